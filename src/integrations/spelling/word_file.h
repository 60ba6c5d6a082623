#pragma once
// Custom dictionary files: one word per line, written in UTF-8; older files may be Windows-1252.

#include "integrations/spelling/csapi.h"
#include "integrations/spelling/word_lists.h"

#include <QString>
#include <QStringList>

namespace ombre::spelling_engine {

struct WordFile {
    QString path;
    WordList words;
    bool readOnly = false;
};

// The words of the file at `path`, made (with its folder) when it is missing and `create` is set.
// Lines that cannot be words (a damaged file) are skipped.
csapi::Error readWordFile(const QString &path, bool create, WordList &words);

csapi::Error writeWordFile(const QString &path, const QStringList &words);

bool isWritableFile(const QString &path);

} // namespace ombre::spelling_engine
