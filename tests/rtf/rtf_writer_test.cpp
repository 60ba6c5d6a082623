#include "rtf/document_view.h"
#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include <memory>

namespace ombre::rtf {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::viewOf;

void expectSameDocument(const QTextDocument &expected, const QTextDocument &actual)
{
    const QList<test::Paragraph> a = viewOf(expected);
    const QList<test::Paragraph> b = viewOf(actual);
    ASSERT_EQ(a.size(), b.size());
    for (qsizetype i = 0; i < a.size(); ++i)
        EXPECT_EQ(a[i], b[i]) << "paragraph " << i;
}

// Writes, reads back and compares; writing the result again must give the same bytes.
void expectRoundTrip(const QTextDocument &document)
{
    const QByteArray rtf = writeRtf(document);
    QTextDocument back;
    readRtf(rtf, back);
    expectSameDocument(document, back);
    EXPECT_EQ(writeRtf(back).toStdString(), rtf.toStdString());
}

// A letter formatted with every command of the editor.
void buildLetter(QTextDocument &document)
{
    document.setDefaultFont(QFont(u"Arial"_s, 10));
    QTextCursor cursor(&document);
    const auto chars = [](const QString &family, double points) {
        QTextCharFormat format;
        format.setFontFamilies({family});
        format.setFontPointSize(points);
        return format;
    };
    QTextCharFormat normal = chars(u"Arial"_s, 10);
    cursor.insertText(u"Chère Madame, "_s, normal);
    QTextCharFormat bold = normal;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(u"gras"_s, bold);
    QTextCharFormat italic = normal;
    italic.setFontItalic(true);
    cursor.insertText(u" italique"_s, italic);
    QTextCharFormat underline = normal;
    underline.setFontUnderline(true);
    cursor.insertText(u" souligné"_s, underline);
    QTextCharFormat strike = normal;
    strike.setFontStrikeOut(true);
    cursor.insertText(u" barré"_s, strike);
    QTextCharFormat red = normal;
    red.setForeground(QColor(0x80, 0, 0));
    cursor.insertText(u" rouge foncé"_s, red);
    QTextCharFormat all = chars(u"Courier New"_s, 14.5);
    all.setFontWeight(QFont::Bold);
    all.setFontItalic(true);
    all.setFontUnderline(true);
    all.setForeground(QColor(0, 0, 0xFF));
    cursor.insertText(u" tout {\\} €‘’ Łódź 😀\t\u00A0fin"_s, all);

    QTextBlockFormat centre;
    centre.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centre, normal);
    cursor.insertText(u"Centré"_s, chars(u"Times New Roman"_s, 18));
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    right.setRightMargin(20); // 300 twips
    cursor.insertBlock(right, normal);
    cursor.insertText(u"À droite"_s, normal);
    QTextBlockFormat justified;
    justified.setAlignment(Qt::AlignJustify);
    justified.setLeftMargin(40);   // 30 points
    justified.setTextIndent(-20);  // 15 points
    justified.setRightMargin(10);
    cursor.insertBlock(justified, normal);
    cursor.insertText(u"Justifié avec retraits"_s, normal);

    QTextBlockFormat bulleted;
    bulleted.setLeftMargin(40.0 / 3); // 10 points, the editor's minimum for bullets
    cursor.insertBlock(bulleted, normal);
    QTextListFormat list;
    list.setStyle(QTextListFormat::ListDisc);
    list.setIndent(0);
    cursor.createList(list);
    cursor.insertText(u"premier"_s, normal);
    cursor.insertBlock();
    cursor.insertText(u"second"_s, normal);
    cursor.insertBlock(QTextBlockFormat(), chars(u"Arial"_s, 20));
    // an empty paragraph in 20 points, then the final one
    cursor.insertBlock(QTextBlockFormat(), normal);
    cursor.insertText(u"Signature"_s, normal);
}

TEST(WriteRtf, EveryEditorFormattingSurvivesAWriteAndARead)
{
    QTextDocument document;
    buildLetter(document);
    ASSERT_NE(document.findBlockByNumber(5).textList(), nullptr);
    expectRoundTrip(document);
}

TEST(WriteRtf, WritesTheRichEditDialect)
{
    QTextDocument document;
    buildLetter(document);
    const QByteArray rtf = writeRtf(document);
    EXPECT_TRUE(rtf.startsWith(R"({\rtf1\ansi\ansicpg1252\deff0\deflang1036{\fonttbl{\f0\fswiss\fcharset0 Arial;})"))
        << rtf.constData();
    EXPECT_TRUE(rtf.contains(R"({\f1\fmodern\fcharset0 Courier New;})"));
    EXPECT_TRUE(rtf.contains(R"({\f3\fnil\fcharset2 Symbol;})"));
    EXPECT_TRUE(rtf.contains(R"({\colortbl ;\red128\green0\blue0;\red0\green0\blue255;})"));
    EXPECT_TRUE(rtf.contains(R"(\viewkind4\uc1\pard\f0\fs20 Ch\'e8re Madame, \b gras\b0\i  italique)"));
    // Escapes, the upper half of Windows-1252 as \'hh, the rest as \uN?.
    EXPECT_TRUE(rtf.contains(R"( tout \{\\\} \'80\'91\'92 \u321?\'f3d\u378? \u-10179?\u-8704?\tab\'a0fin)"));
    EXPECT_TRUE(rtf.contains(R"({\pntext\f3\'b7\tab})"));
    EXPECT_TRUE(rtf.contains(R"({\*\pn\pnlvlblt\pnf3\pnindent0{\pntxtb\'b7}})"));
    EXPECT_TRUE(rtf.contains(R"(\pard\li600\ri150\fi-300\qj)") || rtf.contains(R"(\pard\fi-300\li600\ri150\qj)"));
    EXPECT_TRUE(rtf.endsWith("\\par\r\n}\r\n"));
    for (const char byte : rtf)
        ASSERT_LT(static_cast<unsigned char>(byte), 128) << "RTF is 7-bit text";
}

TEST(WriteRtf, EmptyDocumentIsOneEmptyParagraph)
{
    QTextDocument document;
    document.setDefaultFont(QFont(u"Arial"_s, 10));
    const QByteArray rtf = writeRtf(document);
    EXPECT_TRUE(rtf.contains(R"(\viewkind4\uc1\pard\f0\fs20\par)")) << rtf.constData();
    QTextDocument back;
    readRtf(rtf, back);
    EXPECT_EQ(back.blockCount(), 1);
    EXPECT_TRUE(back.isEmpty());
}

TEST(WriteRtf, QtListsAndIndentLevelsKeepTheirPlace)
{
    // Lists and indents as Qt's own commands make them: indent levels of 40 pixels.
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(u"un"_s);
    cursor.createList(QTextListFormat::ListDisc); // indent 1
    cursor.insertBlock();
    cursor.insertText(u"deux"_s);
    cursor.insertBlock();
    QTextBlockFormat indented;
    indented.setIndent(2);
    cursor.setBlockFormat(indented);
    cursor.insertText(u"trois"_s);

    QTextDocument back;
    readRtf(writeRtf(document), back);
    const QTextBlock first = back.begin();
    ASSERT_NE(first.textList(), nullptr);
    EXPECT_EQ(first.textList(), first.next().textList());
    EXPECT_EQ(ParagraphProperties::of(first).leftIndent, 600);
    EXPECT_EQ(first.next().next().textList(), nullptr);
    EXPECT_EQ(ParagraphProperties::of(first.next().next()).leftIndent, 1200);
}

TEST(WriteRtf, NumberedListsAndTabsRoundTrip)
{
    QTextDocument document;
    document.setHtml(u"<ol><li>un</li><li>deux</li></ol><ol type=\"a\"><li>x</li></ol>"
                     "<p style=\"margin-top:8px; margin-bottom:4px\">espacé<sup>2</sup></p>"_s);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat tabs;
    tabs.setTabPositions({QTextOption::Tab(96, QTextOption::RightTab)});
    cursor.insertBlock(tabs);
    cursor.insertText(u"a\tb"_s);
    expectRoundTrip(document);
}

TEST(WriteRtf, SizesKeepHalfPoints)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat format;
    format.setFontPointSize(10.3);
    cursor.insertText(u"x"_s, format);
    EXPECT_TRUE(writeRtf(document).contains(R"(\fs21 x)"));
}

} // namespace
} // namespace ombre::rtf
