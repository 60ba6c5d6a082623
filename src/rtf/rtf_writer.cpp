#include "rtf/rtf_writer.h"

#include "rtf/code_page.h"
#include "rtf/rtf_properties.h"
#include "platform/qt_secret.h"

#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <optional>
#include <vector>

namespace ombre::rtf {
namespace {

// Bullets are drawn with the Symbol font's bullet (0xB7), as the rich-edit control does.
const QString kSymbolFont = QStringLiteral("Symbol");
constexpr char kSymbolBullet[] = "\\'b7";

// The RTF family class of common fonts; readers fall back to it when the font is missing.
const char *familyClass(const QString &name)
{
    const QString lower = name.toLower();
    if (lower.contains(u"courier") || lower.contains(u"mono") || lower.contains(u"consolas"))
        return "\\fmodern";
    if (lower.contains(u"times") || lower.contains(u"serif") || lower.contains(u"georgia")
        || lower.contains(u"garamond"))
        return lower.contains(u"sans") ? "\\fswiss" : "\\froman";
    if (lower.contains(u"arial") || lower.contains(u"helvetica") || lower.contains(u"verdana")
        || lower.contains(u"tahoma") || lower.contains(u"sans"))
        return "\\fswiss";
    return "\\fnil";
}

const char *numberingStyle(ListKind kind)
{
    switch (kind) {
    case ListKind::UpperAlpha: return "\\pnucltr";
    case ListKind::LowerAlpha: return "\\pnlcltr";
    case ListKind::UpperRoman: return "\\pnucrm";
    case ListKind::LowerRoman: return "\\pnlcrm";
    default: return "\\pndec";
    }
}

class Writer
{
public:
    explicit Writer(const QTextDocument &document)
        : m_document(document), m_defaults(document.defaultFont())
    {
    }

    QByteArray write();

private:
    void collectTables();
    void header();
    void paragraph(const QTextBlock &block);
    void paragraphProperties(const ParagraphProperties &props);
    void bulletText(const QTextBlock &block, ListKind kind);
    void characterProperties(const CharacterProperties &props);
    void text(QStringView text);
    void word(const char *name);
    void word(const char *name, int value);

    int fontIndex(const QString &family) const { return m_fontIndex.value(family); }
    int colourIndex(const QColor &colour) const;
    void useFont(const QString &family);
    void useColour(const QColor &colour);

    const QTextDocument &m_document;
    const QFont m_defaults;
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    std::vector<QRgb> m_colours; // colour table entries after the automatic one
    QHash<QRgb, int> m_colourIndex; // 0 is the automatic colour
    bool m_hasBullets = false;
    QByteArray m_out;
    bool m_needDelimiter = false;
    std::optional<CharacterProperties> m_chars;
    std::optional<ParagraphProperties> m_paragraph;
};

QByteArray Writer::write()
{
    // Room for the usual case at once: every reallocation would leave a copy of the text behind.
    m_out.reserve(qsizetype(m_document.characterCount()) * 2 + 4096);
    collectTables();
    header();
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next())
        paragraph(block);
    m_out += "}\r\n";
    return m_out;
}

void Writer::collectTables()
{
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const CharacterProperties props
                = CharacterProperties::of(it.fragment().charFormat(), m_defaults);
            useFont(props.family);
            useColour(props.colour);
            useColour(props.background);
        }
        // Only an empty paragraph writes its mark's font (see paragraph()).
        if (block.begin().atEnd()) {
            const CharacterProperties mark = CharacterProperties::of(block.charFormat(), m_defaults);
            useFont(mark.family);
            useColour(mark.colour);
            useColour(mark.background);
        }
        if (block.textList() && listKind(block.textList()->format().style()) == ListKind::Bullet)
            m_hasBullets = true;
    }
    if (m_fonts.isEmpty())
        useFont(m_defaults.family());
    if (m_hasBullets)
        useFont(kSymbolFont);
}

void Writer::useFont(const QString &family)
{
    if (!m_fontIndex.contains(family)) {
        m_fontIndex.insert(family, int(m_fonts.size()));
        m_fonts.append(family);
    }
}

void Writer::useColour(const QColor &colour)
{
    if (colour.isValid() && !m_colourIndex.contains(colour.rgb())) {
        m_colours.push_back(colour.rgb());
        m_colourIndex.insert(colour.rgb(), int(m_colours.size()));
    }
}

int Writer::colourIndex(const QColor &colour) const
{
    return colour.isValid() ? m_colourIndex.value(colour.rgb()) : 0;
}

void Writer::header()
{
    m_out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl";
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        const QString &family = m_fonts[i];
        const bool symbol = family == kSymbolFont;
        m_out += "{\\f" + QByteArray::number(i) + (symbol ? "\\fnil" : familyClass(family))
            + (symbol ? "\\fcharset2 " : "\\fcharset0 ");
        m_needDelimiter = false;
        text(QString(family).remove(u';')); // a semicolon would end the entry
        m_out += ";}";
    }
    m_out += "}\r\n";
    if (!m_colours.empty()) {
        m_out += "{\\colortbl ;";
        for (const QRgb rgb : m_colours)
            m_out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green"
                + QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
        m_out += "}\r\n";
    }
    m_out += "\\viewkind4\\uc1";
    m_needDelimiter = true;
}

void Writer::paragraph(const QTextBlock &block)
{
    const ParagraphProperties props = ParagraphProperties::of(block);
    if (!m_paragraph || !(*m_paragraph == props)) {
        paragraphProperties(props);
        m_paragraph = props;
    }
    if (props.list != ListKind::None)
        bulletText(block, props.list);

    if (block.begin().atEnd()) // an empty paragraph keeps the size of its mark
        characterProperties(CharacterProperties::of(block.charFormat(), m_defaults));
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        characterProperties(CharacterProperties::of(fragment.charFormat(), m_defaults));
        const SecretString fragmentText(fragment.text()); // a copy of the document's text
        text(fragmentText.value);
    }
    word("par");
    m_out += "\r\n";
    m_needDelimiter = false;
}

void Writer::paragraphProperties(const ParagraphProperties &props)
{
    word("pard");
    if (props.list == ListKind::Bullet) {
        m_out += "{\\*\\pn\\pnlvlblt\\pnf" + QByteArray::number(fontIndex(kSymbolFont))
            + "\\pnindent0{\\pntxtb" + kSymbolBullet + "}}";
    } else if (props.list != ListKind::None) {
        m_out += QByteArray("{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1")
            + numberingStyle(props.list) + "{\\pntxta.}}";
    }
    m_needDelimiter = props.list == ListKind::None; // a closing brace ends a word too
    if (props.firstIndent)
        word("fi", props.firstIndent);
    if (props.leftIndent)
        word("li", props.leftIndent);
    if (props.rightIndent)
        word("ri", props.rightIndent);
    if (props.spaceBefore)
        word("sb", props.spaceBefore);
    if (props.spaceAfter)
        word("sa", props.spaceAfter);
    if (props.alignment == Qt::AlignHCenter)
        word("qc");
    else if (props.alignment == Qt::AlignRight)
        word("qr");
    else if (props.alignment == Qt::AlignJustify)
        word("qj");
    for (const TabStop &tab : props.tabs) {
        if (tab.type == QTextOption::RightTab)
            word("tqr");
        else if (tab.type == QTextOption::CenterTab)
            word("tqc");
        else if (tab.type == QTextOption::DelimiterTab)
            word("tqdec");
        word("tx", tab.position);
    }
}

// What the paragraph shows before its text, for readers that do not number paragraphs.
void Writer::bulletText(const QTextBlock &block, ListKind kind)
{
    if (kind == ListKind::Bullet) {
        m_out += "{\\pntext\\f" + QByteArray::number(fontIndex(kSymbolFont)) + kSymbolBullet
            + "\\tab}";
    } else {
        m_out += "{\\pntext\\f0 ";
        m_needDelimiter = false;
        text(block.textList()->itemText(block));
        m_out += "\\tab}";
    }
    m_needDelimiter = false; // after a closing brace a space would be text
}

void Writer::characterProperties(const CharacterProperties &props)
{
    if (m_chars && *m_chars == props)
        return;
    // RTF's initial state: nothing set but the font and size, always stated first.
    CharacterProperties current;
    current.halfPoints = -1;
    if (m_chars)
        current = *m_chars;
    if (props.family != current.family)
        word("f", fontIndex(props.family));
    if (props.halfPoints != current.halfPoints)
        word("fs", props.halfPoints);
    if (props.bold != current.bold)
        props.bold ? word("b") : word("b", 0);
    if (props.italic != current.italic)
        props.italic ? word("i") : word("i", 0);
    if (props.underline != current.underline)
        props.underline ? word("ul") : word("ulnone");
    if (props.strike != current.strike)
        props.strike ? word("strike") : word("strike", 0);
    if (props.colour != current.colour)
        word("cf", colourIndex(props.colour));
    if (props.background != current.background)
        word("highlight", colourIndex(props.background));
    if (props.verticalAlignment != current.verticalAlignment) {
        if (props.verticalAlignment == QTextCharFormat::AlignSuperScript)
            word("super");
        else if (props.verticalAlignment == QTextCharFormat::AlignSubScript)
            word("sub");
        else
            word("nosupersub");
    }
    m_chars = props;
}

void Writer::word(const char *name)
{
    m_out += '\\';
    m_out += name;
    m_needDelimiter = true;
}

void Writer::word(const char *name, int value)
{
    word(name);
    m_out += QByteArray::number(value);
}

void Writer::text(QStringView text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        switch (c) {
        case u'\t': word("tab"); continue;
        case 0x2028: word("line"); continue;
        case 0x00AD: m_out += "\\-"; m_needDelimiter = false; continue;
        case 0x2011: m_out += "\\_"; m_needDelimiter = false; continue;
        case 0x2029: // block and frame boundaries and embedded objects are not text
        case 0xFDD0:
        case 0xFDD1:
        case QChar::ObjectReplacementCharacter: continue;
        default: break;
        }
        if (c < 0x20)
            continue;
        if (c < 0x80) {
            if (m_needDelimiter)
                m_out += ' ';
            if (c == u'\\' || c == u'{' || c == u'}')
                m_out += '\\';
            m_out += char(c);
        } else if (const int byte = windows1252Byte(c); byte >= 0) {
            m_out += "\\'";
            m_out += kHex[byte >> 4];
            m_out += kHex[byte & 15];
        } else {
            m_out += "\\u" + QByteArray::number(int(static_cast<int16_t>(c))) + '?';
        }
        m_needDelimiter = false;
    }
}

} // namespace

QByteArray writeRtf(const QTextDocument &document)
{
    return Writer(document).write();
}

} // namespace ombre::rtf
