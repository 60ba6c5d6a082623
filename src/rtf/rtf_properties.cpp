#include "rtf/rtf_properties.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <cmath>

namespace ombre::rtf {

int twipsFromPixels(double pixels)
{
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}

double pixelsFromTwips(int twips)
{
    return twips / kTwipsPerPixel;
}

double firstLineIndent(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    if (block.textList() && format.hasProperty(kListFirstIndentProperty))
        return format.doubleProperty(kListFirstIndentProperty);
    return format.textIndent();
}

void setFirstLineIndent(QTextBlockFormat &format, double pixels, bool inList)
{
    if (inList) {
        format.setTextIndent(0);
        format.setProperty(kListFirstIndentProperty, pixels);
    } else {
        format.setTextIndent(pixels);
        format.clearProperty(kListFirstIndentProperty);
    }
}

QTextBlockFormat ParagraphProperties::blockFormat() const
{
    QTextBlockFormat format;
    format.setAlignment(alignment);
    format.setLeftMargin(pixelsFromTwips(leftIndent));
    format.setRightMargin(pixelsFromTwips(rightIndent));
    setFirstLineIndent(format, pixelsFromTwips(firstIndent), list != ListKind::None);
    format.setTopMargin(pixelsFromTwips(spaceBefore));
    format.setBottomMargin(pixelsFromTwips(spaceAfter));
    if (!tabs.isEmpty()) {
        QList<QTextOption::Tab> qtTabs;
        for (const TabStop &tab : tabs)
            qtTabs.append(QTextOption::Tab(pixelsFromTwips(tab.position), tab.type,
                                           tab.type == QTextOption::DelimiterTab ? QChar(u'.') : QChar()));
        format.setTabPositions(qtTabs);
    }
    return format;
}

ParagraphProperties ParagraphProperties::of(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    ParagraphProperties props;
    const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter)
        props.alignment = Qt::AlignHCenter;
    else if (horizontal & Qt::AlignJustify)
        props.alignment = Qt::AlignJustify;
    else if (horizontal & Qt::AlignRight)
        props.alignment = Qt::AlignRight;

    // Indent levels (Qt's own "increase indent", list nesting) become part of the left indent.
    int levels = format.indent();
    const QTextList *list = block.textList();
    if (list) {
        levels += list->format().indent();
        props.list = listKind(list->format().style());
    }
    const double indentWidth = block.document() ? block.document()->indentWidth() : 40.0;
    props.leftIndent = twipsFromPixels(format.leftMargin() + levels * indentWidth);
    props.rightIndent = twipsFromPixels(format.rightMargin());
    props.firstIndent = twipsFromPixels(firstLineIndent(block));
    props.spaceBefore = twipsFromPixels(format.topMargin());
    props.spaceAfter = twipsFromPixels(format.bottomMargin());
    for (const QTextOption::Tab &tab : format.tabPositions())
        props.tabs.append({twipsFromPixels(tab.position), tab.type});
    return props;
}

QTextCharFormat CharacterProperties::charFormat() const
{
    QTextCharFormat format;
    if (!family.isEmpty())
        format.setFontFamilies({family});
    format.setFontPointSize(halfPoints / 2.0);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setFontUnderline(underline);
    format.setFontStrikeOut(strike);
    if (colour.isValid())
        format.setForeground(colour);
    if (background.isValid())
        format.setBackground(background);
    if (verticalAlignment != QTextCharFormat::AlignNormal)
        format.setVerticalAlignment(verticalAlignment);
    return format;
}

CharacterProperties CharacterProperties::of(const QTextCharFormat &format, const QFont &defaults)
{
    CharacterProperties props;
    const QStringList families = format.fontFamilies().toStringList();
    props.family = families.isEmpty() || families.first().isEmpty() ? defaults.family()
                                                                    : families.first();
    double points = format.fontPointSize();
    if (points <= 0)
        points = defaults.pointSizeF() > 0 ? defaults.pointSizeF() : 12.0;
    props.halfPoints = std::max(1, static_cast<int>(std::lround(points * 2)));
    props.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                             : defaults.bold();
    props.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaults.italic();
    props.underline = format.hasProperty(QTextFormat::FontUnderline)
            || format.hasProperty(QTextFormat::TextUnderlineStyle)
        ? format.fontUnderline() : defaults.underline();
    props.strike = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut()
                                                                  : defaults.strikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
        props.colour = format.foreground().color().toRgb();
    if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
        props.background = format.background().color().toRgb();
    props.verticalAlignment = format.verticalAlignment();
    return props;
}

QTextListFormat::Style listStyle(ListKind kind)
{
    switch (kind) {
    case ListKind::Decimal: return QTextListFormat::ListDecimal;
    case ListKind::LowerAlpha: return QTextListFormat::ListLowerAlpha;
    case ListKind::UpperAlpha: return QTextListFormat::ListUpperAlpha;
    case ListKind::LowerRoman: return QTextListFormat::ListLowerRoman;
    case ListKind::UpperRoman: return QTextListFormat::ListUpperRoman;
    case ListKind::Bullet:
    case ListKind::None: break;
    }
    return QTextListFormat::ListDisc;
}

ListKind listKind(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListDecimal: return ListKind::Decimal;
    case QTextListFormat::ListLowerAlpha: return ListKind::LowerAlpha;
    case QTextListFormat::ListUpperAlpha: return ListKind::UpperAlpha;
    case QTextListFormat::ListLowerRoman: return ListKind::LowerRoman;
    case QTextListFormat::ListUpperRoman: return ListKind::UpperRoman;
    default: return ListKind::Bullet;
    }
}

} // namespace ombre::rtf
