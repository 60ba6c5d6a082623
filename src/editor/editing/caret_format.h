#pragma once
// What the formatting tool bar and menu show for the caret: the selection's character format and
// its paragraph's alignment and bullets, read from a cursor alone so that no window is needed.

#include <QString>

class QColor;
class QFont;
class QTextCharFormat;
class QTextCursor;

namespace ombre {

enum class ParagraphAlignment { Left, Center, Right };

struct CaretFormat {
    QString family;
    int points = 0; // whole points, as the size box lists them
    bool bold = false;
    bool italic = false;
    bool underline = false;
    ParagraphAlignment alignment = ParagraphAlignment::Left;
    bool bullets = false;

    bool operator==(const CaretFormat &) const = default;
};

// `defaultFont`: the document's, for what the text's own format leaves unset.
CaretFormat caretFormatAt(const QTextCursor &cursor, const QFont &defaultFont);

// The colour text of `format` is drawn in; `defaultColor` (the editor's text colour) when the
// format sets none.
QColor textColorOf(const QTextCharFormat &format, const QColor &defaultColor);

} // namespace ombre
