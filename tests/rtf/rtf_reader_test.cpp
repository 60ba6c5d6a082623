#include "rtf/document_view.h"
#include "rtf/rtf_reader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include <memory>

namespace ombre::rtf {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::readDocument;
using test::textOf;

struct TextCase
{
    const char *name;
    QByteArray rtf;
    QString text;
};

class ReadText : public testing::TestWithParam<TextCase> {};

TEST_P(ReadText, GivesTheText)
{
    EXPECT_EQ(textOf(GetParam().rtf), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Text, ReadText,
    testing::Values(
        TextCase{"plain", R"({\rtf1 Hello world})", u"Hello world"_s},
        TextCase{"escaped_symbols", R"({\rtf1 a\\b\{c\}})", u"a\\b{c}"_s},
        TextCase{"source_line_breaks_mean_nothing", "{\\rtf1 a\r\nb\nc}", u"abc"_s},
        TextCase{"windows1252_hex", R"({\rtf1\ansi caf\'e9 \'80 \'93x\'94 \'85})", u"café € “x” …"_s},
        TextCase{"unicode_with_fallback", R"({\rtf1\uc1 \u8364?x \u321?})", u"€x Ł"_s},
        TextCase{"unicode_fallback_of_two_hex_bytes", R"({\rtf1\uc2 \u26085\'93\'fax})", u"日x"_s},
        TextCase{"unicode_without_fallback", R"({\rtf1\uc0 \u233 t\u233 })", u"été"_s},
        TextCase{"uc_is_restored_after_a_group", R"({\rtf1{\uc2 \u233 ab}\u233?c})", u"ééc"_s},
        TextCase{"surrogate_pair", R"({\rtf1 \u-10179?\u-8704?})", u"\U0001F600"_s},
        TextCase{"lone_surrogate_dropped", R"({\rtf1 a\u-10179?b})", u"ab"_s},
        // Characters the document keeps for its own structure never enter as text.
        TextCase{"document_marks_dropped", R"({\rtf1 a\u-4?b\u8233?c\u-560?d})", u"abcd"_s},
        TextCase{"special_characters",
                 R"({\rtf1 \tab|\~|\-|\_|\emdash|\endash|\lquote\rquote|\ldblquote\rdblquote|\bullet})",
                 u"\t|\u00A0|\u00AD|\u2011|—|–|‘’|“”|•"_s},
        TextCase{"line_break_inside_paragraph", R"({\rtf1 a\line b})", u"a\u2028b"_s},
        TextCase{"paragraphs", R"({\rtf1 a\par b})", u"a\nb"_s},
        TextCase{"final_par_ends_the_last_paragraph", R"({\rtf1 a\par b\par})", u"a\nb"_s},
        TextCase{"empty_paragraphs_kept", R"({\rtf1 a\par\par\par b\par\par})", u"a\n\n\nb\n"_s},
        TextCase{"old_style_par", "{\\rtf1 a\\\r\nb}", u"a\nb"_s},
        TextCase{"tables_as_tabs_and_lines",
                 R"({\rtf1\trowd\cellx1000\cellx2000\intbl a\cell b\cell\row c})", u"a\tb\t\nc"_s},
        TextCase{"unknown_words_ignored", R"({\rtf1\foo\bar12 a\zzz-3 b})", u"ab"_s},
        TextCase{"unknown_starred_destination_skipped", R"({\rtf1 a{\*\unknown x{y}}b})", u"ab"_s},
        TextCase{"metadata_skipped",
                 R"({\rtf1{\info{\title T}{\author A}}{\stylesheet{\s1 Heading;}}{\*\generator G;}a})",
                 u"a"_s},
        TextCase{"pictures_skipped_text_kept",
                 R"({\rtf1 a{\pict\pngblip\picw10 89504e470d0a}b{\*\shppict{\pict 00ff}}{\nonshppict{\pict 00}}c})",
                 u"abc"_s},
        TextCase{"object_result_kept",
                 R"({\rtf1 x{\object\objemb{\*\objclass Paint}{\*\objdata 0102}{\result y}}z})", u"xyz"_s},
        TextCase{"field_result_kept",
                 R"({\rtf1{\field{\*\fldinst HYPERLINK "http://a"}{\fldrslt lien}} {\field{\fldinst PAGE}{\fldrslt 3}}})",
                 u"lien 3"_s},
        TextCase{"headers_and_footnotes_skipped", R"({\rtf1{\header H}a{\footnote F}b})", u"ab"_s},
        TextCase{"bin_data_is_not_text", R"({\rtf1 a{\pict\bin4 {}{}}b\bin3 xyzc})", u"abc"_s},
        TextCase{"bullet_text_not_repeated", R"({\rtf1{\pntext\f1\'B7\tab}Un{\listtext\pard\plain \'b7\tab}})", u"Un"_s},
        TextCase{"control_bytes_dropped", R"({\rtf1 a\'00b\'07c})", u"abc"_s},
        TextCase{"ansicpg1251", R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8})", u"При"_s},
        TextCase{"font_charset_decides",
                 R"({\rtf1\ansi{\fonttbl{\f0\fcharset0 Arial;}{\f1\fcharset204 Arial Cyr;}{\f2\fcharset238 Arial CE;}}\f1\'cf\f0\'e9\f2\'b3})",
                 u"Пéł"_s},
        TextCase{"shift_jis_pairs", R"({\rtf1\ansi\ansicpg932 \'93\'fa\'96\'7b})", u"日本"_s},
        TextCase{"mac_roman", R"({\rtf1\mac caf\'8e})", u"café"_s},
        TextCase{"undefined_code_page_reads_as_western", R"({\rtf1\ansicpg4242 \'e9})", u"é"_s},
        TextCase{"text_after_the_document_ignored", R"({\rtf1 a}b)", u"a"_s},
        TextCase{"not_rtf_still_gives_its_text", "hello", u"hello"_s},
        TextCase{"empty", "", u""_s}),
    [](const auto &info) { return std::string(info.param.name); });

// Damaged and hostile input: the reader keeps what it could read and stops cleanly.
INSTANTIATE_TEST_SUITE_P(
    BadInput, ReadText,
    testing::Values(
        TextCase{"truncated_in_a_word", R"({\rtf1 Bonjour \b gr)", u"Bonjour gr"_s},
        TextCase{"truncated_in_hex", R"({\rtf1 a\'e)", u"a"_s},
        TextCase{"truncated_after_backslash", "{\\rtf1 a\\", u"a"_s},
        TextCase{"truncated_in_font_table", R"({\rtf1{\fonttbl{\f0 Ari)", u""_s},
        TextCase{"hex_without_digits", R"({\rtf1 a\'zzb})", u"azzb"_s},
        TextCase{"extra_closing_braces", R"(}}{\rtf1 a}}}}b)", u"a"_s},
        TextCase{"missing_closing_braces", R"({\rtf1{{{a\par b)", u"a\nb"_s},
        TextCase{"unicode_out_of_range", R"({\rtf1 \u-99999?a\u99999999999?b\u0?c})", u"abc"_s},
        TextCase{"absurd_unicode_skip", R"({\rtf1\uc999999 \u233 abcdefghijklmnopqrstu})", u"éqrstu"_s},
        TextCase{"negative_unicode_skip", R"({\rtf1\uc-4 \u233 a})", u"éa"_s},
        TextCase{"bin_claim_beyond_the_file", "{\\rtf1 a\\bin52428800 " + QByteArray(1000, 'x'), u"a"_s},
        TextCase{"negative_bin", R"({\rtf1 a\bin-5 b})", u"ab"_s},
        TextCase{"endless_control_word", "{\\rtf1 a\\" + QByteArray(100000, 'q') + " b}", u"ab"_s},
        TextCase{"endless_number", "{\\rtf1\\fs" + QByteArray(100000, '9') + " a}", u"a"_s},
        TextCase{"deep_nesting_closed",
                 "{\\rtf1 " + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "y}", u"xy"_s},
        TextCase{"deep_nesting_never_closed", "{\\rtf1 " + QByteArray(100000, '{') + "x", u"x"_s}),
    [](const auto &info) { return std::string(info.param.name); });

QTextCharFormat formatAt(const QTextDocument &document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

TEST(ReadRtf, CharacterFormatting)
{
    const std::unique_ptr<QTextDocument> document(readDocument(
        R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\fmodern Courier New;}})"
        R"({\colortbl ;\red255\green0\blue0;\red0\green128\blue0;})"
        R"(\f0\fs20 p\b b\b0 p\i i\i0 p\ul u\ulnone p\uldb d\ul0 p\strike s\strike0 p)"
        R"(\cf1 r\cf0 p\f1\fs28 c{\b\i g}c\plain p\super 2\nosupersub\highlight2 h})"));
    const QString text = document->toPlainText();
    ASSERT_EQ(text, u"pbpipupdpsprpcgcp2h"_s);
    const auto at = [&](int i) { return formatAt(*document, i); };

    EXPECT_EQ(at(0).fontFamilies().toStringList(), QStringList{u"Arial"_s});
    EXPECT_EQ(at(0).fontPointSize(), 10.0);
    EXPECT_EQ(at(0).fontWeight(), QFont::Normal);
    EXPECT_EQ(at(1).fontWeight(), QFont::Bold);
    EXPECT_TRUE(at(3).fontItalic());
    EXPECT_FALSE(at(4).fontItalic());
    EXPECT_TRUE(at(5).fontUnderline());
    EXPECT_FALSE(at(6).fontUnderline());
    EXPECT_TRUE(at(7).fontUnderline()); // double underline shows as underline
    EXPECT_FALSE(at(8).fontUnderline());
    EXPECT_TRUE(at(9).fontStrikeOut());
    EXPECT_FALSE(at(10).fontStrikeOut());
    EXPECT_EQ(at(11).foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(at(12).hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(at(13).fontFamilies().toStringList(), QStringList{u"Courier New"_s});
    EXPECT_EQ(at(13).fontPointSize(), 14.0);
    EXPECT_EQ(at(14).fontWeight(), QFont::Bold);
    EXPECT_TRUE(at(14).fontItalic());
    EXPECT_EQ(at(15).fontWeight(), QFont::Normal); // the group ended
    EXPECT_EQ(at(15).fontPointSize(), 14.0);
    // \plain: the default font, 12 points, nothing set
    EXPECT_EQ(at(16).fontFamilies().toStringList(), QStringList{u"Arial"_s});
    EXPECT_EQ(at(16).fontPointSize(), 12.0);
    EXPECT_EQ(at(17).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(at(18).background().color(), QColor(0, 128, 0));
}

TEST(ReadRtf, AbsurdNumbersAreClamped)
{
    const std::unique_ptr<QTextDocument> document(readDocument(
        R"({\rtf1{\colortbl;\red999\green-5\blue300;}\fs999999999\cf1 a\fs-4\cf99\f42 b)"
        R"(\li999999999\ri-999999999\fi-999999999\sb-20 c\par})"));
    EXPECT_EQ(formatAt(*document, 0).fontPointSize(), 1638.0);
    EXPECT_EQ(formatAt(*document, 0).foreground().color(), QColor(255, 0, 255));
    EXPECT_EQ(formatAt(*document, 1).fontPointSize(), 12.0);
    EXPECT_FALSE(formatAt(*document, 1).hasProperty(QTextFormat::ForegroundBrush));
    const ParagraphProperties p = ParagraphProperties::of(document->begin());
    EXPECT_EQ(p.leftIndent, 31680);
    EXPECT_EQ(p.rightIndent, -31680);
    EXPECT_EQ(p.firstIndent, -31680);
    EXPECT_EQ(p.spaceBefore, 0);
}

TEST(ReadRtf, ParagraphFormattingInForceAtTheParagraphEndApplies)
{
    const std::unique_ptr<QTextDocument> document(readDocument(
        R"({\rtf1\pard\qc a\par\pard b\qr\par\pard\qj\li720\ri360\fi-240\sb120\sa60)"
        R"(\tx1440\tqr\tx5000\tqc\tx3000\tqdec\tx4000 c\par d\par\pard e})"));
    ASSERT_EQ(document->blockCount(), 5);
    const auto para = [&](int i) { return ParagraphProperties::of(document->findBlockByNumber(i)); };
    EXPECT_EQ(para(0).alignment, Qt::AlignHCenter);
    EXPECT_EQ(para(1).alignment, Qt::AlignRight);
    const ParagraphProperties c = para(2);
    EXPECT_EQ(c.alignment, Qt::AlignJustify);
    EXPECT_EQ(c.leftIndent, 720);
    EXPECT_EQ(c.rightIndent, 360);
    EXPECT_EQ(c.firstIndent, -240);
    EXPECT_EQ(c.spaceBefore, 120);
    EXPECT_EQ(c.spaceAfter, 60);
    const QList<TabStop> tabs = {{1440, QTextOption::LeftTab},
                                 {5000, QTextOption::RightTab},
                                 {3000, QTextOption::CenterTab},
                                 {4000, QTextOption::DelimiterTab}};
    EXPECT_EQ(c.tabs, tabs);
    EXPECT_EQ(para(3), c); // no \pard: the paragraph keeps the formatting
    EXPECT_EQ(para(4), ParagraphProperties{});
    // Indents reach the document in pixels at 96 per inch.
    EXPECT_EQ(document->findBlockByNumber(2).blockFormat().leftMargin(), 48.0);
}

TEST(ReadRtf, EmptyParagraphKeepsTheSizeOfItsMark)
{
    const std::unique_ptr<QTextDocument> document(readDocument(R"({\rtf1\fs40\par\fs16 x\par})"));
    ASSERT_EQ(document->blockCount(), 2);
    EXPECT_EQ(document->begin().charFormat().fontPointSize(), 20.0);
}

TEST(ReadRtf, RichEditBulletsFormOneList)
{
    const std::unique_ptr<QTextDocument> document(readDocument(
        R"({\rtf1{\fonttbl{\f0 Arial;}{\f1\fnil\fcharset2 Symbol;}}\pard a\par)"
        R"(\pard{\pntext\f1\'B7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\'B7}}\fi-360\li360 b\par)"
        R"({\pntext\f1\'B7\tab}c\par\pard d\par)"
        R"(\pard{\*\pn\pnlvlbody\pnf0\pnindent0\pnstart1\pndec{\pntxta.}}{\pntext 1.\tab}e\par)"
        R"({\pntext 2.\tab}f\par})"));
    ASSERT_EQ(document->toPlainText(), u"a\nb\nc\nd\ne\nf"_s);
    const auto block = [&](int i) { return document->findBlockByNumber(i); };
    EXPECT_EQ(block(0).textList(), nullptr);
    ASSERT_NE(block(1).textList(), nullptr);
    EXPECT_EQ(block(1).textList()->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(block(1).textList(), block(2).textList());
    EXPECT_EQ(block(1).textList()->count(), 2);
    EXPECT_EQ(ParagraphProperties::of(block(2)).leftIndent, 360);
    EXPECT_EQ(block(3).textList(), nullptr);
    ASSERT_NE(block(4).textList(), nullptr);
    EXPECT_EQ(block(4).textList()->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(block(4).textList(), block(5).textList());
    EXPECT_EQ(block(5).textList()->itemText(block(5)), u"2."_s);
}

TEST(ReadRtf, LongListsKeepEveryItem)
{
    // Long runs are split into several lists (see the reader); every paragraph keeps its mark.
    QByteArray rtf = R"({\rtf1\pard{\*\pn\pnlvlblt{\pntxtb\'B7}}\li200 )";
    for (int i = 0; i < 300; ++i)
        rtf += "item\\par ";
    const std::unique_ptr<QTextDocument> document(readDocument(rtf + "}"));
    ASSERT_EQ(document->blockCount(), 300);
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        ASSERT_NE(block.textList(), nullptr) << block.blockNumber();
        EXPECT_EQ(block.textList()->format().style(), QTextListFormat::ListDisc);
        EXPECT_EQ(ParagraphProperties::of(block).leftIndent, 200);
    }
}

TEST(ReadRtf, ThousandsOfFontsKeepTheirTextAndTheFirstFonts)
{
    // Past a few hundred families the rest fall back to the default font (see the reader).
    QByteArray rtf = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 2000; ++i)
        rtf += "{\\f" + QByteArray::number(i) + " F" + QByteArray::number(i) + ";}";
    rtf += "}";
    for (int i = 0; i < 2000; ++i)
        rtf += "\\pard\\f" + QByteArray::number(i) + "\\tx" + QByteArray::number(i + 1) + " a\\par ";
    const std::unique_ptr<QTextDocument> document(readDocument(rtf + "}"));
    ASSERT_EQ(document->blockCount(), 2000);
    EXPECT_EQ(formatAt(*document, 0).fontFamilies().toStringList(), QStringList{u"F0"_s});
    EXPECT_EQ(formatAt(*document, 2 * 100).fontFamilies().toStringList(), QStringList{u"F100"_s});
    EXPECT_EQ(ParagraphProperties::of(document->findBlockByNumber(100)).tabs.size(), 1);
    EXPECT_FALSE(formatAt(*document, 2 * 1999).hasProperty(QTextFormat::FontFamilies));
    EXPECT_EQ(document->toPlainText().count(u'a'), 2000);
}

TEST(ReadRtf, WordProcessorListsFollowTheListTable)
{
    const std::unique_ptr<QTextDocument> document(readDocument(
        R"({\rtf1{\*\listtable{\list\listtemplateid1{\listlevel\levelnfc23{\leveltext\'01\u8226 ?;}})"
        R"({\listlevel\levelnfc0{\leveltext\'02\'00.;}}\listid10}{\list{\listlevel\levelnfc0\levelnfcn0)"
        R"({\leveltext\'02\'00.;}}\listid20}}{\*\listoverridetable{\listoverride\listid10\ls1})"
        R"({\listoverride\listid20\ls2}})"
        R"({\listtext\pard\plain \'b7\tab}\ls1\ilvl0 a\par{\listtext\pard\plain \'b7\tab}\ls1 b\par)"
        R"(\pard\ls2 c\par\pard\ls1 d\par})"));
    ASSERT_EQ(document->toPlainText(), u"a\nb\nc\nd"_s);
    const auto list = [&](int i) { return document->findBlockByNumber(i).textList(); };
    ASSERT_TRUE(list(0) && list(2) && list(3));
    EXPECT_EQ(list(0), list(1));
    EXPECT_EQ(list(0)->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(list(2)->format().style(), QTextListFormat::ListDecimal);
    EXPECT_NE(list(3), list(0)); // another list began in between
}

TEST(ReadRtf, ReplacesTheContentAndCannotBeUndone)
{
    QTextDocument document;
    QTextCursor(&document).insertText(u"ancien texte"_s);
    ASSERT_TRUE(document.isUndoAvailable());
    readRtf(R"({\rtf1 nouveau})", document);
    EXPECT_EQ(document.toPlainText(), u"nouveau"_s);
    EXPECT_FALSE(document.isUndoAvailable());
    EXPECT_TRUE(document.isUndoRedoEnabled());
}

TEST(ReadRtf, RecognisesRtf)
{
    EXPECT_TRUE(looksLikeRtf(R"({\rtf1\ansi})"));
    EXPECT_FALSE(looksLikeRtf(" {\\rtf1"));
    EXPECT_FALSE(looksLikeRtf("{\\rt"));
    EXPECT_FALSE(looksLikeRtf(""));
}

} // namespace
} // namespace ombre::rtf
