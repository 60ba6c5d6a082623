#include "editor/editing/caret_format.h"

#include "editor/document_units.h"

#include <QColor>
#include <QFont>
#include <QTextCharFormat>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>

namespace ombre {
namespace {

// Numbered lists are not bullets: only the three bullet styles light the button.
bool hasBullets(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return false;
    const QTextListFormat::Style style = list->format().style();
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
        || style == QTextListFormat::ListSquare;
}

ParagraphAlignment alignmentOf(Qt::Alignment alignment)
{
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        return ParagraphAlignment::Center;
    if (alignment & Qt::AlignRight)
        return ParagraphAlignment::Right;
    return ParagraphAlignment::Left; // justified and leading text included
}

// A size given in pixels (the control's default font is) counts at 96 dots per inch.
int wholePoints(const QFont &font)
{
    return font.pointSizeF() > 0 ? qRound(font.pointSizeF()) : qRound(font.pixelSize() * kPointsPerPixel);
}

} // namespace

CaretFormat caretFormatAt(const QTextCursor &cursor, const QFont &defaultFont)
{
    const QFont font = cursor.charFormat().font().resolve(defaultFont);
    CaretFormat format;
    format.family = font.families().value(0, font.family());
    format.points = wholePoints(font);
    format.bold = font.bold();
    format.italic = font.italic();
    format.underline = font.underline();
    format.alignment = alignmentOf(cursor.blockFormat().alignment());
    format.bullets = hasBullets(cursor.block());
    return format;
}

QColor textColorOf(const QTextCharFormat &format, const QColor &defaultColor)
{
    return format.foreground().style() == Qt::NoBrush ? defaultColor : format.foreground().color();
}

} // namespace ombre
