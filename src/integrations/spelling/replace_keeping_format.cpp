#include "integrations/spelling/replace_keeping_format.h"

namespace ombre {

QTextCursor replaceKeepingFormat(QTextDocument &document, qsizetype start, qsizetype length, const QString &replacement)
{
    QTextCursor cursor(&document);
    cursor.setPosition(int(start + (length > 0 ? 1 : 0)));
    const QTextCharFormat format = cursor.charFormat();
    cursor.setPosition(int(start));
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    cursor.insertText(replacement, format);
    return cursor;
}

} // namespace ombre
