// The red underlines drawn as the user types, over a finder for which every word holding "zz"
// is wrong, on editors shown on the offscreen platform.
#include "integrations/spelling/spell_underliner.h"

#include <QImage>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace ombre {
namespace {

// Words holding `wrong` are misspelled; every paragraph asked about is remembered.
class FakeFinder : public MisspellingFinder {
public:
    QList<WordSpan> misspellings(QStringView paragraph) override
    {
        asked.append(paragraph.toString());
        return wrongWords(paragraph.toString());
    }

    QList<WordSpan> wrongWords(const QString &paragraph) const
    {
        static const QRegularExpression word(QStringLiteral("\\w+"), QRegularExpression::UseUnicodePropertiesOption);
        QList<WordSpan> spans;
        for (auto it = word.globalMatch(paragraph); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            if (match.captured().contains(wrong))
                spans.append({match.capturedStart(), match.capturedLength()});
        }
        return spans;
    }

    QString wrong = QStringLiteral("zz");
    QStringList asked;
};

// An underline as document positions, to compare with what is expected.
struct Underline {
    int start;
    int length;
    bool operator==(const Underline &) const = default;
};

void PrintTo(const Underline &underline, std::ostream *out)
{
    *out << "{" << underline.start << ", " << underline.length << "}";
}

std::vector<Underline> underlines(const QTextEdit &editor)
{
    std::vector<Underline> found;
    for (const QTextEdit::ExtraSelection &selection : editor.extraSelections()) {
        EXPECT_EQ(selection.format.underlineStyle(), QTextCharFormat::SpellCheckUnderline);
        EXPECT_EQ(selection.format.underlineColor(), QColor(Qt::red));
        found.push_back({selection.cursor.selectionStart(), selection.cursor.selectionEnd() - selection.cursor.selectionStart()});
    }
    return found;
}

// What a check of every paragraph from scratch underlines.
std::vector<Underline> misspelledWords(const QTextEdit &editor, const FakeFinder &finder)
{
    std::vector<Underline> expected;
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next())
        for (const WordSpan &span : finder.wrongWords(block.text()))
            expected.push_back({int(block.position() + span.start), int(span.length)});
    return expected;
}

// The wave is thin and smoothed: its pixels are pale red on the white page.
bool hasRedPixels(QWidget &viewport)
{
    const QImage image = viewport.grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.red() - std::max(pixel.green(), pixel.blue()) > 60)
                return true;
        }
    return false;
}

QString numberedParagraphs(int count)
{
    QStringList lines;
    for (int n = 0; n < count; ++n)
        lines << QStringLiteral("Ligne %1 avec un motzz").arg(n);
    return lines.join(QLatin1Char('\n'));
}

class SpellUnderlinerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor_.resize(400, 300);
        editor_.show();
    }

    // An underliner on the fixture's editor, after its first pass.
    SpellUnderliner &attach()
    {
        finder_.asked.clear();
        underliner_ = std::make_unique<SpellUnderliner>(editor_, finder_);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !finder_.asked.isEmpty(); }));
        return *underliner_;
    }

    bool waitForUnderlines(const std::vector<Underline> &expected)
    {
        return QTest::qWaitFor([&] { return underlines(editor_) == expected; });
    }

    // Types at the caret as a user does, key by key.
    void type(const QString &keys) { QTest::keyClicks(&editor_, keys); }

    void placeCaret(QTextCursor::MoveOperation where)
    {
        QTextCursor caret = editor_.textCursor();
        caret.movePosition(where);
        editor_.setTextCursor(caret);
    }

    QTextEdit editor_;
    FakeFinder finder_;
    std::unique_ptr<SpellUnderliner> underliner_; // goes before the editor
};

TEST_F(SpellUnderlinerTest, UnderlinesTheWrongWordsWithoutTouchingTheDocument)
{
    struct Case {
        const char *name;
        std::function<void(QTextEdit &)> prepare;
    };
    const Case cases[] = {
        {"rich text", [](QTextEdit &editor) { editor.setHtml(QStringLiteral("<p>Un <b>motzz</b> ici</p><p>zzautre, et fin</p>")); }},
        {"read-only", [](QTextEdit &editor) {
             editor.setPlainText(QStringLiteral("Un motzz ici\nzzautre, et fin"));
             editor.setReadOnly(true);
         }},
        {"plain text", [](QTextEdit &editor) {
             editor.setAcceptRichText(false);
             editor.setPlainText(QStringLiteral("Un motzz ici\nzzautre, et fin"));
         }},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        QTextEdit editor;
        editor.resize(400, 300);
        editor.show();
        test.prepare(editor);
        QTextCursor edit(editor.document());
        edit.movePosition(QTextCursor::End);
        edit.insertText(QStringLiteral(" encore")); // one step to undo
        editor.document()->setModified(false);
        const QString html = editor.toHtml();
        const int undoSteps = editor.document()->availableUndoSteps();
        ASSERT_FALSE(hasRedPixels(*editor.viewport()));

        const SpellUnderliner underliner(editor, finder_);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !underlines(editor).empty(); }));
        EXPECT_EQ(underlines(editor), (std::vector<Underline>{{3, 5}, {13, 7}}));
        EXPECT_TRUE(hasRedPixels(*editor.viewport()));
        EXPECT_EQ(editor.toHtml(), html);
        EXPECT_EQ(editor.document()->availableUndoSteps(), undoSteps);
        EXPECT_FALSE(editor.document()->isModified());
    }
}

// Each change is made away from the caret, which the rule for the word being typed follows.
TEST_F(SpellUnderlinerTest, UnderlinesFollowEveryKindOfChange)
{
    struct Case {
        const char *name;
        std::function<void(QTextDocument &)> change;
    };
    const auto at = [](QTextDocument &document, int position) {
        QTextCursor cursor(&document);
        cursor.setPosition(position);
        return cursor;
    };
    const Case cases[] = {
        {"a letter typed into a word", [&](QTextDocument &d) { at(d, 5).insertText(QStringLiteral("z")); }},
        {"a paragraph split inside a wrong word", [&](QTextDocument &d) { at(d, 7).insertBlock(); }},
        {"two paragraphs joined", [&](QTextDocument &d) { at(d, 12).deleteChar(); }},
        {"two paragraphs joined, then undone", [&](QTextDocument &d) {
             at(d, 12).deleteChar();
             d.undo();
         }},
        {"two paragraphs joined, undone, redone", [&](QTextDocument &d) {
             at(d, 12).deleteChar();
             d.undo();
             d.redo();
         }},
        {"several paragraphs pasted", [&](QTextDocument &d) { at(d, 3).insertText(QStringLiteral("unzz\ndeux\ntroiszz ")); }},
        {"a wrong word removed", [&](QTextDocument &d) {
             QTextCursor word = at(d, 3);
             word.setPosition(9, QTextCursor::KeepAnchor);
             word.removeSelectedText();
         }},
        {"a word put in bold", [&](QTextDocument &d) {
             QTextCursor word = at(d, 3);
             word.setPosition(8, QTextCursor::KeepAnchor);
             QTextCharFormat bold;
             bold.setFontWeight(QFont::Bold);
             word.mergeCharFormat(bold);
         }},
        {"the whole text replaced", [](QTextDocument &d) { d.setPlainText(QStringLiteral("Tout zzneuf\net propre")); }},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        editor_.setPlainText(QStringLiteral("Un motzz ici\nzzautre, et fin\nrien"));
        attach();
        test.change(*editor_.document());
        EXPECT_TRUE(waitForUnderlines(misspelledWords(editor_, finder_)));
    }
}

TEST_F(SpellUnderlinerTest, AKeystrokeAsksNothingAtOnceAndThenOnlyItsParagraph)
{
    editor_.setPlainText(QStringLiteral("Premier paragraphe\nDeuxième zzfaute\nTroisième"));
    attach();
    EXPECT_EQ(finder_.asked, (QStringList{"Premier paragraphe", "Deuxième zzfaute", "Troisième"}));

    finder_.asked.clear();
    placeCaret(QTextCursor::End);
    type(QStringLiteral(" x"));
    EXPECT_TRUE(finder_.asked.isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !finder_.asked.isEmpty(); }));
    EXPECT_EQ(finder_.asked, QStringList{"Troisième x"});
}

TEST_F(SpellUnderlinerTest, ChecksOnlyWhatCanBeSeen)
{
    editor_.setPlainText(numberedParagraphs(2000));
    attach();
    const qsizetype seen = finder_.asked.size();
    EXPECT_TRUE(finder_.asked.contains(QStringLiteral("Ligne 0 avec un motzz")));
    EXPECT_LT(seen, 100);
    EXPECT_EQ(underlines(editor_).size(), std::size_t(seen));

    // Taller: the paragraphs that came into view, and only they, are asked.
    finder_.asked.clear();
    editor_.resize(400, 600);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !finder_.asked.isEmpty(); }));
    EXPECT_FALSE(finder_.asked.contains(QStringLiteral("Ligne 0 avec un motzz")));
    EXPECT_TRUE(finder_.asked.contains(QStringLiteral("Ligne %1 avec un motzz").arg(seen)));
    const std::vector<Underline> all = misspelledWords(editor_, finder_);
    EXPECT_EQ(underlines(editor_), std::vector<Underline>(all.begin(), all.begin() + seen + finder_.asked.size()));

    // Scrolled to the end: the last paragraphs, never the first ones again.
    finder_.asked.clear();
    editor_.verticalScrollBar()->setValue(editor_.verticalScrollBar()->maximum());
    EXPECT_TRUE(QTest::qWaitFor([&] { return finder_.asked.contains(QStringLiteral("Ligne 1999 avec un motzz")); }));
    EXPECT_FALSE(finder_.asked.contains(QStringLiteral("Ligne 0 avec un motzz")));
    EXPECT_LT(finder_.asked.size(), 200);
    const std::vector<Underline> shown = underlines(editor_);
    EXPECT_EQ(shown.size(), std::size_t(finder_.asked.size()));
    EXPECT_EQ(shown.back(), misspelledWords(editor_, finder_).back());
}

TEST_F(SpellUnderlinerTest, TheWordBeingTypedIsUnderlinedOnceFinished)
{
    editor_.setPlainText(QStringLiteral("Unzz mot"));
    attach();
    placeCaret(QTextCursor::End);

    type(QStringLiteral(" ecrizz"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return finder_.asked.contains(QStringLiteral("Unzz mot ecrizz")); }));
    EXPECT_EQ(underlines(editor_), (std::vector<Underline>{{0, 4}}));

    // A space ends the word.
    type(QStringLiteral(" "));
    EXPECT_TRUE(waitForUnderlines({{0, 4}, {9, 6}}));

    // Moving the caret away ends it too, even when the caret comes back to the end of the word.
    type(QStringLiteral("suitezz"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return finder_.asked.contains(QStringLiteral("Unzz mot ecrizz suitezz")); }));
    EXPECT_EQ(underlines(editor_), (std::vector<Underline>{{0, 4}, {9, 6}}));
    placeCaret(QTextCursor::Start);
    placeCaret(QTextCursor::End);
    EXPECT_TRUE(waitForUnderlines({{0, 4}, {9, 6}, {16, 7}}));
}

TEST_F(SpellUnderlinerTest, RecheckAllAsksAgain)
{
    editor_.setPlainText(QStringLiteral("Un motzz\nun motyy"));
    SpellUnderliner &underliner = attach();

    finder_.asked.clear();
    finder_.wrong = QStringLiteral("yy"); // as after a change of dictionary
    underliner.recheckAll();
    EXPECT_TRUE(waitForUnderlines({{12, 5}}));
    EXPECT_EQ(finder_.asked, (QStringList{"Un motzz", "un motyy"}));
}

TEST_F(SpellUnderlinerTest, GoingAwayTakesTheUnderlinesAlong)
{
    editor_.setPlainText(QStringLiteral("Un motzz"));
    attach();
    ASSERT_FALSE(editor_.extraSelections().isEmpty());
    underliner_.reset();
    EXPECT_TRUE(editor_.extraSelections().isEmpty());
}

} // namespace
} // namespace ombre
