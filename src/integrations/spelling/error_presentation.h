#pragma once
// What the checking dialog shows for one error, by the engine's status: the label, the
// suggestions and which buttons work.

#include "integrations/spelling/csapi.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace ombre {

struct ErrorPresentation {
    QString label; // over the line, with its accelerator
    QStringList suggestions;
    bool change = false;    // "Re&mplacer"
    bool changeAll = false; // "Rem&placer tout"
    bool skip = false;      // "&Ignorer"
    bool skipAll = false;   // "Ignor&er tout"
    bool add = false;       // "A&jouter"
    bool del = false;       // "&Effacer"
    bool retype = false;    // the word may be typed again in the line
    bool focusOnSkip = false;
};

// For an error of `status` on `word`. `engineSuggestions` is asked only for the statuses whose
// suggestions come from the engine; `stored` is the replacement the engine returned with a
// change-once word. Nothing for the statuses the dialog has no row for.
std::optional<ErrorPresentation> presentError(csapi::Status status, const QString &word,
                                              const std::function<QStringList()> &engineSuggestions,
                                              const QString &stored, const QLocale &locale);

} // namespace ombre
