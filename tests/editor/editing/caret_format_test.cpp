// What the formatting controls show for a caret, read from a document alone.

#include "editor/editing/caret_format.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextListFormat>
#include <functional>
#include <gtest/gtest.h>

namespace ombre::test {
namespace {

TEST(CaretFormatTest, ReadsTheCharacterFormatAndTheParagraph)
{
    QFont defaultFont(QStringLiteral("Arial"));
    defaultFont.setPixelSize(13); // the control's own default: 10 points at 96 dots per inch
    const auto chars = [](auto set) {
        return [set](QTextCursor &cursor) {
            QTextCharFormat format;
            set(format);
            cursor.insertText(QStringLiteral("texte"), format);
        };
    };
    const auto paragraph = [](auto set) {
        return [set](QTextCursor &cursor) {
            QTextBlockFormat format;
            set(format);
            cursor.setBlockFormat(format);
            cursor.insertText(QStringLiteral("texte"));
        };
    };
    const auto list = [](QTextListFormat::Style style) {
        return [style](QTextCursor &cursor) {
            cursor.insertList(style);
            cursor.insertText(QStringLiteral("point"));
        };
    };
    const auto with = [](auto change) {
        CaretFormat format{QStringLiteral("Arial"), 10};
        change(format);
        return format;
    };
    const struct {
        const char *name;
        std::function<void(QTextCursor &)> write;
        CaretFormat expected;
    } cases[] = {
        {"the document's default", [](QTextCursor &c) { c.insertText(QStringLiteral("texte")); }, with([](auto &) {})},
        {"empty document", [](QTextCursor &) {}, with([](auto &) {})},
        {"face and size",
         chars([](QTextCharFormat &f) {
             f.setFontFamilies({QStringLiteral("Courier New")});
             f.setFontPointSize(14.4);
         }),
         with([](CaretFormat &f) {
             f.family = QStringLiteral("Courier New");
             f.points = 14;
         })},
        {"bold and italic",
         chars([](QTextCharFormat &f) {
             f.setFontWeight(QFont::Bold);
             f.setFontItalic(true);
         }),
         with([](CaretFormat &f) { f.bold = f.italic = true; })},
        {"underlined", chars([](QTextCharFormat &f) { f.setFontUnderline(true); }),
         with([](CaretFormat &f) { f.underline = true; })},
        {"centred", paragraph([](QTextBlockFormat &f) { f.setAlignment(Qt::AlignHCenter); }),
         with([](CaretFormat &f) { f.alignment = ParagraphAlignment::Center; })},
        {"right", paragraph([](QTextBlockFormat &f) { f.setAlignment(Qt::AlignRight); }),
         with([](CaretFormat &f) { f.alignment = ParagraphAlignment::Right; })},
        {"justified shows as left", paragraph([](QTextBlockFormat &f) { f.setAlignment(Qt::AlignJustify); }),
         with([](auto &) {})},
        {"bullets", list(QTextListFormat::ListDisc), with([](CaretFormat &f) { f.bullets = true; })},
        {"square bullets", list(QTextListFormat::ListSquare), with([](CaretFormat &f) { f.bullets = true; })},
        {"numbers are no bullets", list(QTextListFormat::ListDecimal), with([](auto &) {})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTextDocument document;
        document.setDefaultFont(defaultFont);
        QTextCursor cursor(&document);
        c.write(cursor);
        const CaretFormat format = caretFormatAt(cursor, document.defaultFont());
        EXPECT_EQ(format.family.toStdString(), c.expected.family.toStdString());
        EXPECT_EQ(format.points, c.expected.points);
        EXPECT_EQ(format, c.expected);
    }
}

TEST(CaretFormatTest, SelectionShowsTheFormatBeforeItsEnd)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("gras"), bold);
    cursor.insertText(QStringLiteral(" maigre"), QTextCharFormat());
    cursor.setPosition(0);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    EXPECT_TRUE(caretFormatAt(cursor, document.defaultFont()).bold);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    EXPECT_FALSE(caretFormatAt(cursor, document.defaultFont()).bold);
}

} // namespace
} // namespace ombre::test
