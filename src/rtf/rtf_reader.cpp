#include "rtf/rtf_reader.h"

#include "rtf/code_page.h"
#include "rtf/rtf_properties.h"
#include "rtf/rtf_tokenizer.h"
#include "platform/qt_secret.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QSet>

#include <algorithm>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ombre::rtf {
namespace {

// Real documents nest a few dozen groups; anything deeper is read into the deepest state, so
// memory stays bounded whatever the input claims.
constexpr std::size_t kMaxDepth = 256;
constexpr qsizetype kMaxTabs = 64;
constexpr int kMaxTwips = 31680; // 22 inches, wider than any page
constexpr int kMaxHalfPoints = 3276; // 1638 points, the largest size the rich-edit control takes
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxUnicodeSkip = 16;
// Qt marks every item of a list as changed each time one is added, so building a list costs the
// square of its length. Longer runs of paragraphs are split into several lists: bullets look
// the same, numbers start again (no letter numbers hundreds of paragraphs).
constexpr int kMaxBulletItems = 64;
constexpr int kMaxNumberedItems = 256;
// Qt hashes a format's font families and tab stops by their type alone, so formats that differ
// only there are told apart one by one. Past this many different families (or sets of tab
// stops) in one document, further ones are dropped: text keeps the default font and tabs.
constexpr qsizetype kMaxDistinct = 256;

enum class Destination { Text, Skip, FontTable, ColourTable, ListTable, ListOverrideTable, Numbering };

enum class Command {
    // document
    Rtf, Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont, UnicodeSkip, Unicode,
    // text
    ParagraphEnd, Character,
    // character formatting
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, Font, FontSize, Foreground, Background,
    Superscript, Subscript, NoSuperSub, Raise, Lower,
    // paragraph formatting
    Pard, AlignLeft, AlignCentre, AlignRight, AlignJustify, LeftIndent, RightIndent, FirstIndent,
    SpaceBefore, SpaceAfter, TabRight, TabCentre, TabDecimal, TabBar, TabPosition, ListOverride,
    // tables of the header
    FontCharset, FontCodePage, Red, Green, Blue, List, ListLevel, LevelNumberFormat, ListId,
    // old-style numbering, \pn
    NumberBullet, NumberBody, NumberContinue, NumberDecimal, NumberUpperAlpha, NumberLowerAlpha,
    NumberUpperRoman, NumberLowerRoman,
    // destinations
    FontTable, ColourTable, ListTable, ListOverrideTable, Numbering, SkippedDestination,
};

struct WordEntry
{
    Command command;
    char16_t character = 0; // for Command::Character
};

const std::unordered_map<std::string_view, WordEntry> &words()
{
    static const std::unordered_map<std::string_view, WordEntry> table = [] {
        std::unordered_map<std::string_view, WordEntry> t = {
            {"rtf", {Command::Rtf}}, {"ansi", {Command::Ansi}}, {"mac", {Command::Mac}},
            {"pc", {Command::Pc}}, {"pca", {Command::Pca}}, {"ansicpg", {Command::AnsiCodePage}},
            {"deff", {Command::DefaultFont}}, {"uc", {Command::UnicodeSkip}}, {"u", {Command::Unicode}},
            {"par", {Command::ParagraphEnd}}, {"sect", {Command::ParagraphEnd}},
            {"page", {Command::ParagraphEnd}}, {"row", {Command::ParagraphEnd}},
            {"nestrow", {Command::ParagraphEnd}},
            {"line", {Command::Character, 0x2028}}, {"tab", {Command::Character, u'\t'}},
            {"cell", {Command::Character, u'\t'}}, {"nestcell", {Command::Character, u'\t'}},
            {"emdash", {Command::Character, 0x2014}}, {"endash", {Command::Character, 0x2013}},
            {"emspace", {Command::Character, 0x2003}}, {"enspace", {Command::Character, 0x2002}},
            {"qmspace", {Command::Character, 0x2005}}, {"bullet", {Command::Character, 0x2022}},
            {"lquote", {Command::Character, 0x2018}}, {"rquote", {Command::Character, 0x2019}},
            {"ldblquote", {Command::Character, 0x201C}}, {"rdblquote", {Command::Character, 0x201D}},
            {"zwj", {Command::Character, 0x200D}}, {"zwnj", {Command::Character, 0x200C}},
            {"zwbo", {Command::Character, 0x200B}}, {"ltrmark", {Command::Character, 0x200E}},
            {"rtlmark", {Command::Character, 0x200F}},
            {"plain", {Command::Plain}}, {"b", {Command::Bold}}, {"i", {Command::Italic}},
            {"ul", {Command::Underline}}, {"ulnone", {Command::UnderlineNone}},
            {"strike", {Command::Strike}}, {"striked", {Command::Strike}},
            {"f", {Command::Font}}, {"fs", {Command::FontSize}}, {"cf", {Command::Foreground}},
            {"cb", {Command::Background}}, {"highlight", {Command::Background}},
            {"super", {Command::Superscript}}, {"sub", {Command::Subscript}},
            {"nosupersub", {Command::NoSuperSub}}, {"up", {Command::Raise}},
            {"dn", {Command::Lower}},
            {"pard", {Command::Pard}}, {"ql", {Command::AlignLeft}}, {"qc", {Command::AlignCentre}},
            {"qr", {Command::AlignRight}}, {"qj", {Command::AlignJustify}},
            {"qd", {Command::AlignJustify}},
            {"li", {Command::LeftIndent}}, {"lin", {Command::LeftIndent}},
            {"ri", {Command::RightIndent}}, {"rin", {Command::RightIndent}},
            {"fi", {Command::FirstIndent}}, {"sb", {Command::SpaceBefore}},
            {"sa", {Command::SpaceAfter}}, {"tqr", {Command::TabRight}},
            {"tqc", {Command::TabCentre}}, {"tqdec", {Command::TabDecimal}},
            {"tb", {Command::TabBar}}, {"tx", {Command::TabPosition}},
            {"ls", {Command::ListOverride}},
            {"fcharset", {Command::FontCharset}}, {"cpg", {Command::FontCodePage}},
            {"red", {Command::Red}}, {"green", {Command::Green}}, {"blue", {Command::Blue}},
            {"list", {Command::List}}, {"listlevel", {Command::ListLevel}},
            {"levelnfc", {Command::LevelNumberFormat}}, {"levelnfcn", {Command::LevelNumberFormat}},
            {"listid", {Command::ListId}},
            {"pnlvlblt", {Command::NumberBullet}}, {"pnlvlbody", {Command::NumberBody}},
            {"pnlvl", {Command::NumberBody}}, {"pnlvlcont", {Command::NumberContinue}},
            {"pndec", {Command::NumberDecimal}}, {"pnucltr", {Command::NumberUpperAlpha}},
            {"pnlcltr", {Command::NumberLowerAlpha}}, {"pnucrm", {Command::NumberUpperRoman}},
            {"pnlcrm", {Command::NumberLowerRoman}},
            {"fonttbl", {Command::FontTable}}, {"colortbl", {Command::ColourTable}},
            {"listtable", {Command::ListTable}},
            {"listoverridetable", {Command::ListOverrideTable}}, {"pn", {Command::Numbering}},
        };
        // Every kind of underline shows as an underline.
        for (std::string_view word : {"uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                      "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd",
                                      "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"})
            t.emplace(word, WordEntry{Command::Underline});
        // Destinations whose content is not text of the document.
        for (std::string_view word :
             {"stylesheet", "info", "pict", "header", "headerl", "headerr", "headerf", "footer",
              "footerl", "footerr", "footerf", "footnote", "fldinst", "pntext", "listtext",
              "pntxta", "pntxtb", "xe", "tc", "txe", "rxe", "annotation", "atnid", "atnauthor",
              "nonshppict", "objdata", "objclass", "themedata", "colorschememapping",
              "latentstyles", "datastore", "xmlnstbl", "rsidtbl", "generator", "filetbl",
              "revtbl", "bkmkstart", "bkmkend", "shpinst", "falt", "panose", "leveltext",
              "levelnumbers", "listname", "listpicture", "ftnsep", "ftnsepc", "ftncn", "aftnsep",
              "aftnsepc", "aftncn", "template", "userprops", "docvar", "private", "pgdsctbl"})
            t.emplace(word, WordEntry{Command::SkippedDestination});
        return t;
    }();
    return table;
}

// Null for a word this reader does not know.
const WordEntry *lookUp(QByteArrayView word)
{
    const auto &table = words();
    const auto found = table.find(std::string_view(word.data(), std::size_t(word.size())));
    return found == table.end() ? nullptr : &found->second;
}

// Character formatting as RTF states it: fonts and colours by their table index.
struct CharacterState
{
    int font = -1; // -1: the document's default font (\deff)
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int foreground = 0; // 0: automatic
    int background = 0;
    QTextCharFormat::VerticalAlignment verticalAlignment = QTextCharFormat::AlignNormal;
    friend bool operator==(const CharacterState &, const CharacterState &) = default;
};

struct GroupState
{
    Destination destination = Destination::Text;
    CharacterState chars;
    ParagraphProperties paragraph;
    int listIdentity = 0; // which \ls list (or -1 for \pn numbering) the paragraph belongs to
    int unicodeSkip = 1;
    QTextOption::TabType pendingTab = QTextOption::LeftTab;
};

int clampTwips(int value, int low = -kMaxTwips)
{
    return std::clamp(value, low, kMaxTwips);
}

bool switchValue(const Token &token)
{
    return !token.hasParameter || token.parameter != 0;
}

ListKind kindOfNumberFormat(int format)
{
    switch (format) {
    case 0: return ListKind::Decimal;
    case 1: return ListKind::UpperRoman;
    case 2: return ListKind::LowerRoman;
    case 3: return ListKind::UpperAlpha;
    case 4: return ListKind::LowerAlpha;
    case 23:
    case -1: return ListKind::Bullet;
    case 255: return ListKind::None; // a level that shows no number
    default: return ListKind::Decimal;
    }
}

QByteArray keyOf(const QList<TabStop> &tabs)
{
    QByteArray key;
    for (const TabStop &tab : tabs)
        key += QByteArray::number(tab.position) + char('a' + int(tab.type));
    return key;
}

class Reader
{
public:
    explicit Reader(QTextDocument &document) : m_cursor(&document)
    {
        m_stack.reserve(kMaxDepth);
        m_stack.emplace_back();
    }

    void read(QByteArrayView input);

private:
    GroupState &state() { return m_stack.back(); }

    void openGroup();
    bool closeGroup(); // false when the document's outermost group has closed
    void controlWord(const Token &token);
    void textWord(const WordEntry &entry, const Token &token);
    void tableWord(const WordEntry &entry, const Token &token);
    void controlSymbol(char symbol);
    void text(QByteArrayView bytes);
    void hexByte(unsigned char byte);

    void appendBytes(QByteArrayView bytes);
    void appendUnit(char16_t unit);
    void prepareText();
    void flushBytes();
    void flushRun();
    void endParagraph();
    void applyParagraph();

    void fontTableText(QByteArrayView bytes);
    void commitFont();
    void colourTableText(QByteArrayView bytes);
    ListKind kindOfListOverride(int override) const;
    const CodePageDecoder &decoder(int codePage);
    const CodePageDecoder &textDecoder();
    CharacterProperties resolve(const CharacterState &chars);

    QTextCursor m_cursor;
    std::vector<GroupState> m_stack;
    std::size_t m_overflowDepth = 0;
    bool m_sawRtf = false;
    bool m_starNext = false;
    int m_skipChars = 0;

    int m_documentCodePage = kWindows1252;
    int m_defaultFont = 0;
    std::map<int, std::unique_ptr<CodePageDecoder>> m_decoders;

    struct Font { QString name; int codePage = 0; };
    std::map<int, Font> m_fonts;
    bool m_fontOpen = false;
    int m_fontNumber = 0;
    int m_fontCodePage = 0;
    QByteArray m_fontName;

    std::vector<QColor> m_colours;
    int m_rgb[3] = {0, 0, 0};
    bool m_colourGiven = false;

    std::map<int, int> m_listNumberFormats; // \listid -> number format of its first level
    std::map<int, int> m_listOverrides;     // \ls -> \listid
    int m_listLevel = -1;
    int m_levelNumberFormat = -1;
    int m_overrideListId = 0;

    QSet<QString> m_families; // see kMaxDistinct
    QSet<QByteArray> m_tabSets;

    QString m_run; // text in m_runChars not yet in the document
    CharacterState m_runChars;
    QByteArray m_pendingBytes; // multi-byte code page text not yet decoded
    const CodePageDecoder *m_pendingDecoder = nullptr;
    char16_t m_highSurrogate = 0;

    bool m_paragraphClosed = false; // a \par ended the last paragraph; content opens the next
    QTextList *m_list = nullptr;
    ListKind m_listKind = ListKind::None;
    int m_listIdentity = 0;
    int m_listItems = 0;
    bool m_previousInList = false;
};

void Reader::read(QByteArrayView input)
{
    // One edit block: the document lays out and signals once at the end, not at every run.
    m_cursor.beginEditBlock();
    Tokenizer tokenizer(input);
    bool inDocument = true;
    while (inDocument) {
        const Token token = tokenizer.next();
        switch (token.kind) {
        case Token::Kind::GroupStart:
            openGroup();
            break;
        case Token::Kind::GroupEnd:
            inDocument = closeGroup(); // what follows the document is not part of it
            break;
        case Token::Kind::ControlWord:
            controlWord(token);
            break;
        case Token::Kind::ControlSymbol:
            controlSymbol(token.symbol);
            break;
        case Token::Kind::HexByte:
            hexByte(token.byte);
            break;
        case Token::Kind::Text:
            text(token.bytes);
            break;
        case Token::Kind::Binary:
            if (m_skipChars > 0)
                --m_skipChars;
            break;
        case Token::Kind::End:
            inDocument = false;
            break;
        }
    }
    flushRun();
    if (!m_paragraphClosed)
        applyParagraph();
    m_cursor.endEditBlock();
    wipe(m_run);
    wipe(m_pendingBytes);
}

void Reader::openGroup()
{
    m_skipChars = 0;
    m_starNext = false;
    if (m_stack.size() >= kMaxDepth) {
        ++m_overflowDepth;
        return;
    }
    GroupState inner = m_stack.back();
    m_stack.push_back(std::move(inner));
}

bool Reader::closeGroup()
{
    m_skipChars = 0;
    m_starNext = false;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return true;
    }
    if (m_stack.size() <= 1)
        return true; // a stray closing brace
    const GroupState closed = std::move(m_stack.back());
    m_stack.pop_back();
    GroupState &outer = state();
    if (closed.destination == Destination::FontTable)
        commitFont(); // an entry may end with its group instead of a semicolon
    if (closed.destination == Destination::Numbering && outer.destination == Destination::Text) {
        // {\*\pn ...} describes the numbering of the paragraph it stands in.
        outer.paragraph.list = closed.paragraph.list;
        outer.listIdentity = -1;
    }
    return !(m_sawRtf && m_stack.size() == 1);
}

void Reader::controlWord(const Token &token)
{
    if (m_skipChars > 0) {
        --m_skipChars; // part of the fallback of a \u character
        return;
    }
    const bool starred = std::exchange(m_starNext, false);
    GroupState &s = state();
    const WordEntry *entry = lookUp(token.word);
    if (!entry) {
        if (starred)
            s.destination = Destination::Skip; // a destination we do not read
        return;                                // any other unknown word shows nothing
    }
    switch (entry->command) {
    case Command::FontTable: s.destination = Destination::FontTable; return;
    case Command::ColourTable: s.destination = Destination::ColourTable; return;
    case Command::ListTable: s.destination = Destination::ListTable; return;
    case Command::ListOverrideTable: s.destination = Destination::ListOverrideTable; return;
    case Command::Numbering:
        if (s.destination == Destination::Text) {
            s.destination = Destination::Numbering;
            s.paragraph.list = ListKind::None;
        }
        return;
    case Command::SkippedDestination: s.destination = Destination::Skip; return;
    default:
        break;
    }
    if (starred) {
        s.destination = Destination::Skip; // a destination we do not read
        return;
    }
    if (s.destination == Destination::Text)
        textWord(*entry, token);
    else if (s.destination != Destination::Skip)
        tableWord(*entry, token);
}

void Reader::textWord(const WordEntry &entry, const Token &token)
{
    GroupState &s = state();
    const int p = token.parameter;
    switch (entry.command) {
    case Command::Rtf: m_sawRtf = true; break;
    case Command::Ansi: m_documentCodePage = kWindows1252; break;
    case Command::Mac: m_documentCodePage = 10000; break;
    case Command::Pc: m_documentCodePage = 437; break;
    case Command::Pca: m_documentCodePage = 850; break;
    case Command::AnsiCodePage:
        if (p > 0 && p < 65536)
            m_documentCodePage = p;
        break;
    case Command::DefaultFont: m_defaultFont = p; break;
    case Command::UnicodeSkip: s.unicodeSkip = std::clamp(p, 0, kMaxUnicodeSkip); break;
    case Command::Unicode: {
        const int value = p < 0 ? p + 65536 : p;
        if (token.hasParameter && value >= 0 && value <= 0xFFFF)
            appendUnit(static_cast<char16_t>(value));
        m_skipChars = s.unicodeSkip;
        break;
    }
    case Command::ParagraphEnd: endParagraph(); break;
    case Command::Character: appendUnit(entry.character); break;
    case Command::Plain: s.chars = CharacterState{}; break;
    case Command::Bold: s.chars.bold = switchValue(token); break;
    case Command::Italic: s.chars.italic = switchValue(token); break;
    case Command::Underline: s.chars.underline = switchValue(token); break;
    case Command::UnderlineNone: s.chars.underline = false; break;
    case Command::Strike: s.chars.strike = switchValue(token); break;
    case Command::Font:
        if (token.hasParameter)
            s.chars.font = p;
        break;
    case Command::FontSize:
        s.chars.halfPoints = token.hasParameter && p > 0 ? std::min(p, kMaxHalfPoints)
                                                         : kDefaultHalfPoints;
        break;
    case Command::Foreground: s.chars.foreground = std::max(0, p); break;
    case Command::Background: s.chars.background = std::max(0, p); break;
    case Command::Superscript: s.chars.verticalAlignment = QTextCharFormat::AlignSuperScript; break;
    case Command::Subscript: s.chars.verticalAlignment = QTextCharFormat::AlignSubScript; break;
    case Command::NoSuperSub: s.chars.verticalAlignment = QTextCharFormat::AlignNormal; break;
    case Command::Raise: // a raised or lowered run shows as superscript or subscript
    case Command::Lower:
        s.chars.verticalAlignment = token.hasParameter && p <= 0 ? QTextCharFormat::AlignNormal
            : entry.command == Command::Raise                   ? QTextCharFormat::AlignSuperScript
                                                                : QTextCharFormat::AlignSubScript;
        break;
    case Command::Pard:
        s.paragraph = ParagraphProperties{};
        s.listIdentity = 0;
        s.pendingTab = QTextOption::LeftTab;
        break;
    case Command::AlignLeft: s.paragraph.alignment = Qt::AlignLeft; break;
    case Command::AlignCentre: s.paragraph.alignment = Qt::AlignHCenter; break;
    case Command::AlignRight: s.paragraph.alignment = Qt::AlignRight; break;
    case Command::AlignJustify: s.paragraph.alignment = Qt::AlignJustify; break;
    case Command::LeftIndent: s.paragraph.leftIndent = clampTwips(p); break;
    case Command::RightIndent: s.paragraph.rightIndent = clampTwips(p); break;
    case Command::FirstIndent: s.paragraph.firstIndent = clampTwips(p); break;
    case Command::SpaceBefore: s.paragraph.spaceBefore = clampTwips(p, 0); break;
    case Command::SpaceAfter: s.paragraph.spaceAfter = clampTwips(p, 0); break;
    case Command::TabRight: s.pendingTab = QTextOption::RightTab; break;
    case Command::TabCentre: s.pendingTab = QTextOption::CenterTab; break;
    case Command::TabDecimal: s.pendingTab = QTextOption::DelimiterTab; break;
    case Command::TabBar: s.pendingTab = QTextOption::LeftTab; break;
    case Command::TabPosition:
        if (s.paragraph.tabs.size() < kMaxTabs)
            s.paragraph.tabs.append({clampTwips(p, 0), s.pendingTab});
        s.pendingTab = QTextOption::LeftTab;
        break;
    case Command::ListOverride:
        s.paragraph.list = kindOfListOverride(p);
        s.listIdentity = p;
        break;
    default:
        break; // words of the header tables mean nothing in text
    }
}

void Reader::tableWord(const WordEntry &entry, const Token &token)
{
    GroupState &s = state();
    const int p = token.parameter;
    switch (s.destination) {
    case Destination::FontTable:
        if (entry.command == Command::Font) {
            commitFont();
            m_fontOpen = true;
            m_fontNumber = p;
            m_fontCodePage = 0;
        } else if (entry.command == Command::FontCharset) {
            m_fontCodePage = codePageForCharset(p);
        } else if (entry.command == Command::FontCodePage && p > 0 && p < 65536) {
            m_fontCodePage = p;
        }
        break;
    case Destination::ColourTable:
        if (entry.command == Command::Red || entry.command == Command::Green
            || entry.command == Command::Blue) {
            m_rgb[int(entry.command) - int(Command::Red)] = std::clamp(p, 0, 255);
            m_colourGiven = true;
        }
        break;
    case Destination::ListTable:
        if (entry.command == Command::List) {
            m_listLevel = -1;
            m_levelNumberFormat = -1;
        } else if (entry.command == Command::ListLevel) {
            ++m_listLevel;
        } else if (entry.command == Command::LevelNumberFormat && m_listLevel == 0) {
            m_levelNumberFormat = p;
        } else if (entry.command == Command::ListId) {
            m_listNumberFormats[p] = m_levelNumberFormat;
        }
        break;
    case Destination::ListOverrideTable:
        if (entry.command == Command::ListId)
            m_overrideListId = p;
        else if (entry.command == Command::ListOverride)
            m_listOverrides[p] = m_overrideListId;
        break;
    case Destination::Numbering:
        switch (entry.command) {
        case Command::NumberBullet: s.paragraph.list = ListKind::Bullet; break;
        case Command::NumberBody:
            if (s.paragraph.list == ListKind::None)
                s.paragraph.list = ListKind::Decimal;
            break;
        case Command::NumberContinue: s.paragraph.list = ListKind::None; break;
        case Command::NumberDecimal:
        case Command::NumberUpperAlpha:
        case Command::NumberLowerAlpha:
        case Command::NumberUpperRoman:
        case Command::NumberLowerRoman:
            if (s.paragraph.list != ListKind::Bullet) {
                static constexpr ListKind kinds[] = {ListKind::Decimal, ListKind::UpperAlpha,
                                                     ListKind::LowerAlpha, ListKind::UpperRoman,
                                                     ListKind::LowerRoman};
                s.paragraph.list = kinds[int(entry.command) - int(Command::NumberDecimal)];
            }
            break;
        default:
            break;
        }
        break;
    case Destination::Text:
    case Destination::Skip:
        break;
    }
}

void Reader::controlSymbol(char symbol)
{
    if (symbol == '*') {
        m_starNext = true;
        return;
    }
    if (m_skipChars > 0) {
        --m_skipChars;
        return;
    }
    m_starNext = false;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        if (state().destination == Destination::FontTable)
            m_fontName.append(symbol);
        else if (state().destination == Destination::Text)
            appendUnit(char16_t(symbol));
        return;
    default:
        break;
    }
    if (state().destination != Destination::Text)
        return;
    switch (symbol) {
    case '~': appendUnit(0x00A0); break;
    case '-': appendUnit(0x00AD); break;
    case '_': appendUnit(0x2011); break;
    case '\n': endParagraph(); break;
    default: break; // \| \: and unknown symbols show nothing
    }
}

void Reader::text(QByteArrayView bytes)
{
    m_starNext = false;
    if (m_skipChars > 0) {
        const qsizetype skipped = std::min<qsizetype>(m_skipChars, bytes.size());
        bytes = bytes.sliced(skipped);
        m_skipChars -= int(skipped);
    }
    if (bytes.isEmpty())
        return;
    switch (state().destination) {
    case Destination::Text: appendBytes(bytes); break;
    case Destination::FontTable: fontTableText(bytes); break;
    case Destination::ColourTable: colourTableText(bytes); break;
    default: break;
    }
}

void Reader::hexByte(unsigned char byte)
{
    m_starNext = false;
    if (m_skipChars > 0) {
        --m_skipChars;
        return;
    }
    const char raw = static_cast<char>(byte);
    if (state().destination == Destination::Text)
        appendBytes(QByteArrayView(&raw, 1));
    else if (state().destination == Destination::FontTable)
        m_fontName.append(raw);
}

const CodePageDecoder &Reader::decoder(int codePage)
{
    // A document names a handful of code pages; a file naming thousands reads the rest as Western.
    constexpr std::size_t kMaxCodePages = 16;
    if (m_decoders.size() >= kMaxCodePages && !m_decoders.count(codePage))
        codePage = kWindows1252;
    std::unique_ptr<CodePageDecoder> &slot = m_decoders[codePage];
    if (!slot)
        slot = std::make_unique<CodePageDecoder>(codePage);
    return *slot;
}

const CodePageDecoder &Reader::textDecoder()
{
    const int font = state().chars.font >= 0 ? state().chars.font : m_defaultFont;
    const auto found = m_fonts.find(font);
    const int fontPage = found == m_fonts.end() ? 0 : found->second.codePage;
    return decoder(fontPage ? fontPage : m_documentCodePage);
}

void Reader::prepareText()
{
    if (m_paragraphClosed) {
        m_cursor.insertBlock();
        m_paragraphClosed = false;
    }
    if (!(state().chars == m_runChars)) {
        flushRun();
        m_runChars = state().chars;
    }
}

void Reader::appendBytes(QByteArrayView bytes)
{
    prepareText();
    const CodePageDecoder &page = textDecoder();
    if (!page.isSingleByte()) {
        if (m_pendingDecoder != &page)
            flushBytes();
        m_pendingBytes.append(bytes);
        m_pendingDecoder = &page;
        return;
    }
    flushBytes();
    m_highSurrogate = 0;
    m_run.reserve(m_run.size() + bytes.size());
    for (const char byte : bytes) {
        const char16_t unit = page.decodeByte(static_cast<unsigned char>(byte));
        if (isTextCharacter(unit))
            m_run.append(QChar(unit));
    }
}

void Reader::appendUnit(char16_t unit)
{
    prepareText();
    flushBytes();
    if (QChar::isHighSurrogate(unit)) {
        m_highSurrogate = unit; // kept only if its low half follows
        return;
    }
    const char16_t high = std::exchange(m_highSurrogate, 0);
    if (QChar::isLowSurrogate(unit)) {
        if (high) {
            m_run.append(QChar(high));
            m_run.append(QChar(unit));
        }
        return;
    }
    if (isTextCharacter(unit))
        m_run.append(QChar(unit));
}

void Reader::flushBytes()
{
    if (m_pendingBytes.isEmpty())
        return;
    QString decoded;
    m_pendingDecoder->appendDecoded(m_pendingBytes, decoded);
    for (const QChar c : decoded)
        if (isTextCharacter(c.unicode()))
            m_run.append(c);
    wipe(decoded);
    m_pendingBytes.resize(0);
}

void Reader::flushRun()
{
    flushBytes();
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, resolve(m_runChars).charFormat());
    m_run.resize(0); // keeps the buffer for the next run; wiped when the read ends
}

void Reader::endParagraph()
{
    if (m_paragraphClosed)
        m_cursor.insertBlock(); // an empty paragraph
    flushRun();
    m_highSurrogate = 0;
    applyParagraph();
    m_paragraphClosed = true;
}

// Paragraph formatting in force at the paragraph's end applies to the whole paragraph.
void Reader::applyParagraph()
{
    const GroupState &s = state();
    const ParagraphProperties &paragraph = s.paragraph;
    const QTextBlock block = m_cursor.block();
    const bool wanted = paragraph.list != ListKind::None;
    const int maxItems = paragraph.list == ListKind::Bullet ? kMaxBulletItems : kMaxNumberedItems;
    const bool continues = wanted && m_list && m_previousInList && m_listKind == paragraph.list
        && m_listIdentity == s.listIdentity && m_listItems < maxItems;

    // A new block inherits the list of the one before it; leave it unless it continues.
    QTextList *current = m_cursor.currentList();
    if (current && !(continues && current == m_list))
        current->remove(block);
    ParagraphProperties applied = paragraph;
    if (!applied.tabs.isEmpty()) {
        const QByteArray tabs = keyOf(applied.tabs);
        if (m_tabSets.contains(tabs) || m_tabSets.size() < kMaxDistinct)
            m_tabSets.insert(tabs);
        else
            applied.tabs.clear();
    }
    m_cursor.setBlockFormat(applied.blockFormat());
    m_cursor.setBlockCharFormat(resolve(s.chars).charFormat());
    if (wanted && !m_cursor.currentList()) {
        if (continues) {
            m_list->add(block);
            ++m_listItems;
        } else {
            QTextListFormat format;
            format.setStyle(listStyle(paragraph.list));
            format.setIndent(0);
            m_list = m_cursor.createList(format);
            m_listKind = paragraph.list;
            m_listIdentity = s.listIdentity;
            m_listItems = 1;
        }
    } else if (continues) {
        ++m_listItems; // the new block came into the list with the format of the one before
    }
    m_previousInList = wanted;
}

void Reader::fontTableText(QByteArrayView bytes)
{
    for (const char byte : bytes) {
        if (byte == ';')
            commitFont();
        else if (m_fontOpen)
            m_fontName.append(byte);
    }
}

void Reader::commitFont()
{
    if (!m_fontOpen)
        return;
    m_fontOpen = false;
    QString name;
    decoder(m_fontCodePage ? m_fontCodePage : m_documentCodePage).appendDecoded(m_fontName, name);
    m_fontName.clear();
    m_fonts[m_fontNumber] = Font{name.trimmed(), m_fontCodePage};
}

void Reader::colourTableText(QByteArrayView bytes)
{
    for (const char byte : bytes) {
        if (byte != ';')
            continue;
        m_colours.push_back(m_colourGiven ? QColor(m_rgb[0], m_rgb[1], m_rgb[2]) : QColor());
        m_rgb[0] = m_rgb[1] = m_rgb[2] = 0;
        m_colourGiven = false;
    }
}

ListKind Reader::kindOfListOverride(int override) const
{
    const auto list = m_listOverrides.find(override);
    if (list == m_listOverrides.end())
        return ListKind::Bullet;
    const auto format = m_listNumberFormats.find(list->second);
    return kindOfNumberFormat(format == m_listNumberFormats.end() ? -1 : format->second);
}

CharacterProperties Reader::resolve(const CharacterState &chars)
{
    CharacterProperties props;
    const auto font = m_fonts.find(chars.font >= 0 ? chars.font : m_defaultFont);
    if (font != m_fonts.end()
        && (m_families.contains(font->second.name) || m_families.size() < kMaxDistinct)) {
        props.family = font->second.name;
        m_families.insert(props.family);
    }
    props.halfPoints = chars.halfPoints;
    props.bold = chars.bold;
    props.italic = chars.italic;
    props.underline = chars.underline;
    props.strike = chars.strike;
    const auto colour = [this](int index) {
        return index > 0 && std::size_t(index) < m_colours.size() ? m_colours[index] : QColor();
    };
    props.colour = colour(chars.foreground);
    props.background = colour(chars.background);
    props.verticalAlignment = chars.verticalAlignment;
    return props;
}

} // namespace

bool looksLikeRtf(QByteArrayView bytes)
{
    return bytes.startsWith("{\\rtf");
}

void readRtf(QByteArrayView rtf, QTextDocument &document)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false); // a load is not an edit the user could undo
    document.clear();
    Reader(document).read(rtf);
    document.setUndoRedoEnabled(undo);
}

} // namespace ombre::rtf
