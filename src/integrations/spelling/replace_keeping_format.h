#pragma once
// Replaces a range of a document in one undo step; the new text takes the format of the text it
// replaces (the first character of the range), not of the character before it.

#include <QString>
#include <QTextCursor>

class QTextDocument;

namespace ombre {

// The cursor is left with the caret after the replacement.
QTextCursor replaceKeepingFormat(QTextDocument &document, qsizetype start, qsizetype length, const QString &replacement);

} // namespace ombre
