// The spelling check end to end through F7 and the dialog's buttons, on the French dictionary:
// what each button does to the document, what the dialog shows, and when the check ends.

#include "integrations/spelling_fixture.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTextDocument>

namespace ombre::test {
namespace {

struct Action {
    const char *shown;  // the word the dialog shows in red
    const char *button; // then clicked
};

struct Walk {
    const char *name;
    const char *text;
    int caret;
    std::vector<Action> actions;
    const char *result; // the document's text at the end
};

class SpellingWalkTest : public SpellingTest, public ::testing::WithParamInterface<Walk> {};

TEST_P(SpellingWalkTest, EachButtonChangesTheDocumentAsItSays)
{
    const Walk &walk = GetParam();
    QTextEdit &editor = documentWith(QString::fromUtf8(walk.text), walk.caret);
    modal.answerMessage(QMessageBox::Ok);
    run("OrthographeItem");
    for (const Action &action : walk.actions) {
        ASSERT_NE(dialog(), nullptr) << "the check ended before " << action.shown;
        EXPECT_EQ(shownWord(), QString::fromUtf8(action.shown));
        EXPECT_EQ(editor.textCursor().selectedText(), QString::fromUtf8(action.shown)) << "the error is selected";
        click(action.button);
    }
    expectFinished();
    EXPECT_EQ(editor.toPlainText(), QString::fromUtf8(walk.result));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, SpellingWalkTest,
    ::testing::Values(
        Walk{"Replace", "Une fote ici, une fote là.", 0, {{"fote", "ChangeButton"}, {"fote", "ChangeButton"}},
             "Une faute ici, une faute là."},
        Walk{"ReplaceAllChangesLaterOnesSilently", "fote, fote et encore fote.", 0, {{"fote", "ChangeAllButton"}},
             "faute, faute et encore faute."},
        Walk{"Ignore", "fote et fote", 0, {{"fote", "SkipButton"}, {"fote", "SkipButton"}}, "fote et fote"},
        Walk{"IgnoreAll", "fote et fote", 0, {{"fote", "SkipAllButton"}}, "fote et fote"},
        Walk{"CaretInTheMiddleChecksFromItsWord", "fote un, fote deux.", 11, {{"fote", "ChangeButton"}},
             "fote un, faute deux."},
        Walk{"ElisionsAndCompoundsAreNotErrors",
             "L'été, aujourd'hui, c'est-à-dire presqu'île ; peut-être quelqu’un, jusqu'à l’étang.", 0, {},
             "L'été, aujourd'hui, c'est-à-dire presqu'île ; peut-être quelqu’un, jusqu'à l’étang."},
        Walk{"ElidedWordKeepsItsApostrophe", "Voici l'etang.", 0, {{"l'etang", "ChangeButton"}}, "Voici l'étang."}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SpellingTest, TheDialogShowsTheLineTheSuggestionsAndTheButtonsOfAnUnknownWord)
{
    documentWith(QStringLiteral("Première ligne.\nUne fote ici.\nDernière."));
    modal.answerMessage(QMessageBox::Ok);
    run("OrthographeItem");
    ASSERT_NE(dialog(), nullptr);
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_FALSE(dialog()->isModal());
    EXPECT_TRUE(dialog()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(dialog()->size(), QSize(419, 255));
    EXPECT_EQ(dialog()->windowTitle(), QStringLiteral("Orthographe : Français (France)"));
    EXPECT_EQ(dialog()->InfoMsg->text(), QStringLiteral("A&bsent du dictionnaire"));
    EXPECT_EQ(dialog()->Misspelling->toPlainText(), QStringLiteral("Une fote ici."));
    EXPECT_EQ(suggestionsShown().value(0), QStringLiteral("faute"));
    EXPECT_EQ(dialog()->Variants->currentRow(), 0);
    for (const char *on : {"ChangeButton", "ChangeAllButton", "SkipButton", "SkipAllButton", "AddButton", "CancelButton"})
        EXPECT_TRUE(button(on).isEnabled()) << on;
    for (const char *off : {"DelButton", "CancelEdit", "OptionsButton"})
        EXPECT_FALSE(button(off).isEnabled()) << off;
    click("CancelButton");
    expectFinished();
}

TEST_F(SpellingTest, AWordReplacedOnceIsOfferedFirstNextTime)
{
    documentWith(QStringLiteral("fote puis fote"));
    modal.answerMessage(QMessageBox::Ok);
    run("OrthographeItem");
    dialog()->Variants->addItem(QStringLiteral("faîte"));
    dialog()->Variants->setCurrentRow(dialog()->Variants->count() - 1);
    click("ChangeButton");
    // The second one is on the change-once list: the same label, the choice put first.
    EXPECT_EQ(dialog()->InfoMsg->text(), QStringLiteral("A&bsent du dictionnaire"));
    EXPECT_EQ(suggestionsShown().value(0), QStringLiteral("faîte"));
    EXPECT_FALSE(button("SkipAllButton").isEnabled());
    EXPECT_FALSE(button("AddButton").isEnabled());
    click("CancelButton");
    expectFinished();
}

TEST_F(SpellingTest, AReplacementIsOneUndoStepAndKeepsTheWordsFormat)
{
    QTextEdit &editor = documentWith(QStringLiteral("Une "));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCursor end(editor.document());
    end.movePosition(QTextCursor::End);
    end.insertText(QStringLiteral("fote"), bold);
    end.insertText(QStringLiteral(" ici."), QTextCharFormat());
    editor.moveCursor(QTextCursor::Start);
    modal.answerMessage(QMessageBox::Ok);
    run("OrthographeItem");
    click("ChangeButton");
    expectFinished();
    ASSERT_EQ(editor.toPlainText(), QStringLiteral("Une faute ici."));
    QTextCursor inWord(editor.document());
    inWord.setPosition(6);
    EXPECT_EQ(inWord.charFormat().fontWeight(), QFont::Bold);
    editor.undo();
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("Une fote ici."));
}

TEST_F(SpellingTest, ATypedWordReplacesTheErrorAndRetablirPutsTheWordBack)
{
    QTextEdit &editor = documentWith(QStringLiteral("Une fote ici."));
    modal.answerMessage(QMessageBox::Ok);
    run("OrthographeItem");
    TMisspellingBox &box = *dialog()->Misspelling;
    QTextCursor inBox = box.textCursor();
    inBox.setPosition(4);
    inBox.setPosition(8, QTextCursor::KeepAnchor);
    box.setTextCursor(inBox);
    QTest::keyClicks(&box, QStringLiteral("foote"));
    EXPECT_EQ(box.typedWord(), QStringLiteral("foote"));
    EXPECT_TRUE(button("CancelEdit").isEnabled());
    EXPECT_TRUE(button("ChangeButton").isEnabled());
    for (const char *off : {"ChangeAllButton", "SkipAllButton", "AddButton", "DelButton"})
        EXPECT_FALSE(button(off).isEnabled()) << off;
    EXPECT_FALSE(dialog()->Variants->isEnabled());

    click("CancelEdit");
    EXPECT_EQ(box.toPlainText(), QStringLiteral("Une fote ici."));
    EXPECT_EQ(box.typedWord(), QStringLiteral("fote"));
    EXPECT_FALSE(button("CancelEdit").isEnabled());
    EXPECT_TRUE(button("AddButton").isEnabled());
    EXPECT_TRUE(dialog()->Variants->isEnabled());

    // The rest of the line refuses edits: typing before the word changes nothing.
    inBox = box.textCursor();
    inBox.setPosition(1);
    box.setTextCursor(inBox);
    QTest::keyClicks(&box, QStringLiteral("zz"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.toPlainText(), QStringLiteral("Une fote ici."));

    // At the word's end the typing joins the word; Return validates.
    inBox.setPosition(8);
    box.setTextCursor(inBox);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, QStringLiteral("ute"));
    EXPECT_EQ(box.typedWord(), QStringLiteral("fotute"));
    click("ChangeButton");
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("Une fotute ici."));
    // The typed word is checked in its turn.
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(shownWord(), QStringLiteral("fotute"));
    click("CancelButton");
    expectFinished();
}

TEST_F(SpellingTest, IgnoreAllLastsForTheRunAndIsNeverWritten)
{
    documentWith(QStringLiteral("Le zorglubien arrive."));
    modal.answerMessage(QMessageBox::Ok);
    run("OrthographeItem");
    EXPECT_EQ(shownWord(), QStringLiteral("zorglubien"));
    click("SkipAllButton");
    expectFinished();

    // Another dictionary and back: still ignored.
    item("DictionnairesItem").menu()->actions().constFirst()->trigger();
    for (QAction *language : item("DictionnairesItem").menu()->actions())
        if (language->data().toInt() == 1036)
            language->trigger();
    modal.answerMessage(QMessageBox::Ok);
    run("OrthographeItem");
    expectFinished();
    EXPECT_FALSE(readFile(customDictionary()).contains("zorglubien"));
}

TEST_F(SpellingTest, AddWritesTheWordToTheCustomDictionary)
{
    documentWith(QStringLiteral("Un zorglubien, deux zorglubien."));
    modal.answerMessage(QMessageBox::Ok);
    run("OrthographeItem");
    click("AddButton");
    expectFinished();
    EXPECT_TRUE(readFile(customDictionary()).split('\n').contains("zorglubien"));
}

TEST_F(SpellingTest, ADocumentWithoutErrorEndsAtOnce)
{
    documentWith(QStringLiteral("Le chat dort au soleil."));
    modal.answerMessage(QMessageBox::Ok);
    run("OrthographeItem");
    expectFinished();
    EXPECT_EQ(modal.messages().size(), 1u);
}

TEST_F(SpellingTest, LosingTheFocusPausesAndReprendreChecksTheActiveDocument)
{
    documentWith(QStringLiteral("Une fote ici."));
    modal.answerMessage(QMessageBox::Ok);
    run("OrthographeItem");
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog()));
    QApplication::setActiveWindow(form.get()); // the user clicks into the document
    settle();
    ASSERT_TRUE(dialog()->isPaused());
    EXPECT_TRUE(dialog()->Misspelling->toPlainText().isEmpty());
    EXPECT_TRUE(button("StartButton").isVisible());
    EXPECT_FALSE(button("SkipButton").isVisible());
    for (const char *off : {"ChangeButton", "ChangeAllButton", "SkipAllButton", "AddButton", "DelButton"})
        EXPECT_FALSE(button(off).isEnabled()) << off;

    // Meanwhile the user moved on to another document.
    documentWith(QStringLiteral("Un autre texte sans ereur."), 4);
    click("StartButton");
    EXPECT_FALSE(dialog()->isPaused());
    EXPECT_EQ(shownWord(), QStringLiteral("ereur"));
    click("CancelButton");
    expectFinished();
}

} // namespace
} // namespace ombre::test
