#pragma once
// "Envoyer vers > Raccourci du bureau": a launcher on the user's desktop that starts the program
// on the document.

#include <QString>

class QWidget;

namespace ombre {

// "<base> (Document)", the base being the file name cut before its first ".".
QString DocumentShortcutName(const QString &documentPath);

// Writes the launcher for `documentPath` (which need not exist yet: a new document's proposed
// name) and tells the user its name. A failure ends the command without a word and leaves no file.
void createDocumentShortcut(QWidget &window, const QString &documentPath);

} // namespace ombre
