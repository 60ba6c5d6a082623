#pragma once
// The formatting that RTF and a QTextDocument share, in RTF's own units, with the conversions
// both ways. The reader and the writer go through these, so a property survives a write and a
// read exactly when it is listed here.
//
// How a document represents them (what the editor's commands should produce):
// - indents and paragraph spacing are QTextBlockFormat margins in pixels at 96 per inch
//   (1 px = 15 twips = 0.75 pt); the first-line indent is textIndent(), except in a list
//   paragraph (see firstLineIndent below);
// - a bulleted paragraph is a block in a QTextList of style ListDisc; the reader gives its lists
//   an indent of 0 so that the block's own left margin places the text. The writer also accepts
//   lists and blocks with indent levels and adds them to the left indent;
// - font sizes are point sizes, kept to the half point RTF can hold.

#include <QColor>
#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextListFormat>

class QTextBlock;
class QTextDocument;

namespace ombre::rtf {

// Whether a character read from RTF may enter a document as text. Control characters other than
// the tab are noise in RTF text; U+2029, U+FDD0, U+FDD1 and U+FFFC are the document's own marks
// for blocks, frames and embedded objects, so text holding them would change the document's
// structure (and the writer, which skips them, could not give them back).
constexpr bool isTextCharacter(char16_t c)
{
    if (c < 0x20)
        return c == u'\t';
    return c != 0x2029 && c != 0xFDD0 && c != 0xFDD1 && c != 0xFFFC;
}

inline constexpr double kTwipsPerPixel = 15.0;
int twipsFromPixels(double pixels);
double pixelsFromTwips(int twips);

// Qt draws a list's bullet or number to the left of the paragraph's first line; RTF draws it at
// the first-line indent, with the text after it at the left indent. So that a bullet shows where
// the user put it, a list paragraph keeps its first line at the left margin (text indent 0) and
// holds its first-line indent in this property instead.
inline constexpr int kListFirstIndentProperty = QTextFormat::UserProperty + 1;
// The first-line indent of `block` in pixels, relative to its left margin, as RTF counts it.
double firstLineIndent(const QTextBlock &block);
// Sets it on the format of a paragraph that is (`inList`) or is not in a list.
void setFirstLineIndent(QTextBlockFormat &format, double pixels, bool inList);

enum class ListKind { None, Bullet, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman };

struct TabStop
{
    int position = 0; // twips
    QTextOption::TabType type = QTextOption::LeftTab;
    friend bool operator==(const TabStop &, const TabStop &) = default;
};

struct ParagraphProperties
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0; // all in twips
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    QList<TabStop> tabs;
    ListKind list = ListKind::None;

    friend bool operator==(const ParagraphProperties &, const ParagraphProperties &) = default;

    QTextBlockFormat blockFormat() const;
    static ParagraphProperties of(const QTextBlock &block);
};

struct CharacterProperties
{
    QString family;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    QColor colour;     // invalid: automatic (the text colour of the system)
    QColor background; // invalid: none
    QTextCharFormat::VerticalAlignment verticalAlignment = QTextCharFormat::AlignNormal;

    friend bool operator==(const CharacterProperties &, const CharacterProperties &) = default;

    QTextCharFormat charFormat() const;
    // `defaults` supplies the family and size a format leaves to the document.
    static CharacterProperties of(const QTextCharFormat &format, const QFont &defaults);
};

QTextListFormat::Style listStyle(ListKind kind);
ListKind listKind(QTextListFormat::Style style);

} // namespace ombre::rtf
