// Find, find again, replace and replace all, through the frame's commands and the dialogs'
// widgets, found by name as a user would find them on screen.

#include "editor_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace ombre::test {
using namespace Qt::Literals::StringLiterals;
namespace {

const QString kNotFound = u"Le texte recherché n'a pas été trouvé."_s;

struct Selection {
    int start = 0;
    int end = 0;
    bool operator==(const Selection &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Selection &s)
{
    return out << '[' << s.start << ", " << s.end << ')';
}

struct Flags {
    bool matchCase = false;
    bool wholeWord = false;
    bool up = false; // the find dialog's direction
};
constexpr Flags kAnyCase{}, kCase{true}, kWord{false, true}, kUp{false, false, true};

class FindReplaceTest : public EditorTest {
protected:
    // A new document holding `text` ("\n" opens a paragraph), the caret at `caret`.
    TMDIChild &document(const QString &text, int caret = 0)
    {
        run("FileNewItem");
        type(text);
        select(caret, caret);
        return active();
    }

    Selection selection() const
    {
        const QTextCursor cursor = active().RichEdit->textCursor();
        return {cursor.selectionStart(), cursor.selectionEnd()};
    }

    QString text() const { return active().RichEdit->toPlainText(); }

    // The dialog the last command opened; null when none was ever made.
    QDialog *dialog(const char *name) const { return form->findChild<QDialog *>(QLatin1String(name)); }

    template <typename Widget>
    static Widget &in(QDialog &dialog, const char *name)
    {
        auto *widget = dialog.findChild<Widget *>(QLatin1String(name));
        if (!widget)
            throw std::runtime_error(std::string("no widget ") + name);
        return *widget;
    }

    static void click(QDialog &dialog, const char *button)
    {
        in<QPushButton>(dialog, button).click();
        settle();
    }

    // Fills the dialog's fields as the user would.
    static void fill(QDialog &dialog, const QString &find, Flags flags = {}, const QString &replacement = {})
    {
        in<QLineEdit>(dialog, "EditFind").setText(find);
        in<QCheckBox>(dialog, "CheckMatchCase").setChecked(flags.matchCase);
        in<QCheckBox>(dialog, "CheckWholeWord").setChecked(flags.wholeWord);
        if (auto *up = dialog.findChild<QRadioButton *>(u"RadioUp"_s))
            (flags.up ? up : &in<QRadioButton>(dialog, "RadioDown"))->setChecked(true);
        if (auto *field = dialog.findChild<QLineEdit *>(u"EditReplace"_s))
            field->setText(replacement);
    }

    QDialog &openFind()
    {
        run("RechercherItem");
        return *dialog("FindDialog");
    }

    QDialog &openReplace()
    {
        run("RemplacerItem");
        return *dialog("ReplaceDialog");
    }
};

TEST_F(FindReplaceTest, SearchesAndReplacesAsTheButtonsAreClicked)
{
    const struct {
        const char *name;
        QString text;
        int caret;
        QString find;
        Flags flags;
        QString replacement;
        std::vector<const char *> buttons; // of the replace dialog, or of the find dialog with kUp
        int notFound;                      // boxes telling so
        QString expectedText;
        Selection expectedSelection;
    } cases[] = {
        {"find next", u"un deux un"_s, 0, u"un"_s, kAnyCase, {}, {"BtnFindNext", "BtnFindNext"}, 0,
         u"un deux un"_s, {8, 10}},
        {"find next past the last", u"un deux un"_s, 3, u"un"_s, kAnyCase, {}, {"BtnFindNext", "BtnFindNext"}, 1,
         u"un deux un"_s, {8, 10}},
        {"find upwards", u"un deux un"_s, 10, u"un"_s, kUp, {}, {"BtnFindNext", "BtnFindNext"}, 0,
         u"un deux un"_s, {0, 2}},
        {"match at a block start and end", u"x\nété\ny"_s, 0, u"été"_s, kWord, {}, {"BtnFindNext"}, 0,
         u"x\nété\ny"_s, {2, 5}},
        {"whole word beside an apostrophe and a hyphen", u"étés l'été arc-été"_s, 0, u"été"_s, kWord, u"hiver"_s,
         {"BtnReplaceAll"}, 0, u"étés l'hiver arc-hiver"_s, {0, 0}},
        {"capital É against é", u"Été comme été"_s, 0, u"été"_s, kAnyCase, u"hiver"_s, {"BtnReplaceAll"}, 0,
         u"hiver comme hiver"_s, {0, 0}},
        {"match case keeps É", u"Été comme été"_s, 0, u"été"_s, kCase, u"hiver"_s, {"BtnReplaceAll"}, 0,
         u"Été comme hiver"_s, {0, 0}},
        {"replacement holding the find text", u"ab ab"_s, 0, u"ab"_s, kAnyCase, u"xaby"_s, {"BtnReplaceAll"}, 0,
         u"xaby xaby"_s, {0, 0}},
        {"replacement that makes a new match", u"aab"_s, 0, u"ab"_s, kAnyCase, u"b"_s, {"BtnReplaceAll"}, 0,
         u"ab"_s, {0, 0}},
        {"empty replacement removes", u"un, deux, un"_s, 0, u"un"_s, kAnyCase, {}, {"BtnReplaceAll"}, 0,
         u", deux, "_s, {0, 0}},
        {"replace all across paragraphs", u"été\nl'été\nété"_s, 5, u"été"_s, kWord, u"hiver"_s, {"BtnReplaceAll"}, 0,
         u"hiver\nl'hiver\nhiver"_s, {0, 0}},
        {"replace all finding nothing says nothing", u"bonjour"_s, 3, u"salut"_s, kAnyCase, u"x"_s,
         {"BtnReplaceAll"}, 0, u"bonjour"_s, {0, 0}},
        {"replace first finds", u"un deux un"_s, 0, u"un"_s, kAnyCase, u"X"_s, {"BtnReplace"}, 0, u"un deux un"_s,
         {0, 2}},
        {"then replaces and finds the next", u"un deux un"_s, 0, u"un"_s, kAnyCase, u"X"_s,
         {"BtnReplace", "BtnReplace"}, 0, u"X deux un"_s, {7, 9}},
        {"the last replacement tells nothing is left", u"un deux un"_s, 0, u"un"_s, kAnyCase, u"X"_s,
         {"BtnReplace", "BtnReplace", "BtnReplace"}, 1, u"X deux X"_s, {8, 8}},
        {"empty replacement one by one", u"un deux"_s, 0, u"un"_s, kAnyCase, {}, {"BtnReplace", "BtnReplace"}, 1,
         u" deux"_s, {0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const size_t before = modal.messages().size();
        document(c.text, c.caret);
        QDialog &shown = c.flags.up ? openFind() : openReplace();
        fill(shown, c.find, c.flags, c.replacement);
        for (int i = 0; i < c.notFound; ++i)
            modal.answerMessage(QMessageBox::Ok);
        for (const char *button : c.buttons)
            click(shown, button);
        EXPECT_EQ(text(), c.expectedText);
        EXPECT_EQ(selection(), c.expectedSelection);
        EXPECT_EQ(int(modal.messages().size() - before), c.notFound);
        EXPECT_TRUE(modal.allAnswered());
        shown.reject();
        active().setModified(false);
        run("FileCloseItem");
    }
}

TEST_F(FindReplaceTest, OnlyASelectedMatchIsReplaced)
{
    document(u"un deux un"_s);
    QDialog &replace = openReplace();
    fill(replace, u"un"_s, kAnyCase, u"X"_s);
    // The user selects other text in the document while the dialog is open.
    select(3, 7);
    click(replace, "BtnReplace");
    EXPECT_EQ(text(), u"un deux un"_s);
    EXPECT_EQ(selection(), (Selection{8, 10}));
    // A selected match is replaced whatever its case.
    select(0, 2);
    in<QLineEdit>(replace, "EditFind").setText(u"UN"_s);
    click(replace, "BtnReplace");
    EXPECT_EQ(text(), u"X deux un"_s);
    EXPECT_EQ(selection(), (Selection{7, 9}));
}

TEST_F(FindReplaceTest, OneUndoGivesBackTheDocumentAsItWasBeforeReplaceAll)
{
    TMDIChild &child = document(QString());
    QTextCursor cursor(child.RichEdit->document());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (int i = 0; i < 50; ++i) {
        cursor.insertText(u"L'été "_s);
        cursor.insertText(u"été"_s, bold);
        cursor.insertText(u" arc-ÉTÉ, étés."_s);
        cursor.insertBlock();
    }
    const QString before = child.RichEdit->document()->toHtml();

    QDialog &replace = openReplace();
    fill(replace, u"été"_s, kWord, u"hiver été"_s);
    click(replace, "BtnReplaceAll");
    EXPECT_EQ(child.RichEdit->document()->toPlainText().count(u"hiver été"_s), 150);
    EXPECT_EQ(child.RichEdit->document()->toPlainText().count(u"étés"_s), 50);
    EXPECT_EQ(selection(), (Selection{0, 0}));
    EXPECT_TRUE(child.isModified());

    child.RichEdit->document()->undo();
    EXPECT_EQ(child.RichEdit->document()->toHtml(), before);
    // The replaced words kept their format.
    child.RichEdit->document()->redo();
    QTextCursor second(child.RichEdit->document());
    second.setPosition(int(u"L'hiver été "_s.size()) + 1);
    EXPECT_TRUE(second.charFormat().fontWeight() == QFont::Bold);
}

TEST_F(FindReplaceTest, FindAgainRepeatsTheLastSearchAfterTheDialogClosedAndInAnotherDocument)
{
    document(u"un Un un Un"_s);
    QDialog &find = openFind();
    fill(find, u"Un"_s, kCase);
    click(find, "BtnFindNext");
    EXPECT_EQ(selection(), (Selection{3, 5}));
    // F3 in the dialog finds the next one, as in the document.
    QTest::keyClick(&in<QLineEdit>(find, "EditFind"), Qt::Key_F3);
    settle();
    EXPECT_EQ(selection(), (Selection{9, 11}));
    select(5, 5);
    QTest::keyClick(&find, Qt::Key_Escape);
    EXPECT_FALSE(find.isVisible());

    run("RechercherNextItem");
    EXPECT_EQ(selection(), (Selection{9, 11}));

    document(u"Un un Un"_s, 1);
    run("RechercherNextItem");
    EXPECT_EQ(selection(), (Selection{6, 8}));

    // What the replace dialog searched last is what find again repeats.
    QDialog &replace = openReplace();
    fill(replace, u"un"_s, kWord);
    QTest::keyClick(&replace, Qt::Key_Escape);
    EXPECT_FALSE(replace.isVisible());
    select(0, 0);
    run("RechercherNextItem");
    EXPECT_EQ(selection(), (Selection{0, 2}));
}

TEST_F(FindReplaceTest, NotFoundTellsSoAndKeepsTheSelection)
{
    document(u"bonjour tout le monde"_s);
    QDialog &find = openFind();
    fill(find, u"salut"_s);
    select(8, 12);
    modal.answerMessage(QMessageBox::Ok);
    click(find, "BtnFindNext");
    ASSERT_EQ(modal.messages().size(), 1u);
    EXPECT_EQ(modal.messages()[0].text, kNotFound);
    EXPECT_EQ(modal.messages()[0].title, u"Ombrelunaire 98"_s);
    EXPECT_EQ(modal.messages()[0].icon, QMessageBox::Information);
    EXPECT_EQ(selection(), (Selection{8, 12}));

    // Find again says the same.
    find.reject();
    modal.answerMessage(QMessageBox::Ok);
    run("RechercherNextItem");
    ASSERT_EQ(modal.messages().size(), 2u);
    EXPECT_EQ(modal.messages()[1].text, kNotFound);
    EXPECT_EQ(selection(), (Selection{8, 12}));
}

TEST_F(FindReplaceTest, OpeningTakesTheSelectionAndResetsTheOptions)
{
    document(u"premier l'été\nsecond"_s);
    QDialog &find = openFind();
    fill(find, u"avant"_s, {true, true, true});
    find.reject();

    select(10, 13);
    QDialog &again = openFind();
    EXPECT_EQ(&again, &find);
    EXPECT_TRUE(find.isVisible());
    QLineEdit &field = in<QLineEdit>(find, "EditFind");
    EXPECT_EQ(field.text(), u"été"_s);
    EXPECT_EQ(field.selectedText(), u"été"_s);
    EXPECT_EQ(find.focusWidget(), &field);
    EXPECT_FALSE(in<QCheckBox>(find, "CheckMatchCase").isChecked());
    EXPECT_FALSE(in<QCheckBox>(find, "CheckWholeWord").isChecked());
    EXPECT_TRUE(in<QRadioButton>(find, "RadioDown").isChecked());
    // The caret stays at the selection's start, so that the selected word is found first.
    EXPECT_EQ(selection(), (Selection{10, 10}));
    click(find, "BtnFindNext");
    EXPECT_EQ(selection(), (Selection{10, 13}));

    // A selection over two paragraphs is no find text: the last one stays, in either dialog.
    select(10, 16);
    QDialog &replace = openReplace();
    EXPECT_FALSE(find.isVisible());
    EXPECT_EQ(in<QLineEdit>(replace, "EditFind").text(), u"été"_s);
    EXPECT_EQ(selection(), (Selection{10, 10}));
}

TEST_F(FindReplaceTest, DialogsFollowTheFindTextAndTheDocument)
{
    document(u"un deux"_s);
    QDialog &find = openFind();
    EXPECT_EQ(find.windowTitle(), u"Rechercher"_s);
    fill(find, QString());
    QPushButton &next = in<QPushButton>(find, "BtnFindNext");
    EXPECT_TRUE(next.isDefault());
    EXPECT_FALSE(next.isEnabled());
    fill(find, u"un"_s);
    EXPECT_TRUE(next.isEnabled());
    QTest::keyClick(&in<QLineEdit>(find, "EditFind"), Qt::Key_Return);
    EXPECT_EQ(selection(), (Selection{0, 2}));

    QDialog &replace = openReplace();
    EXPECT_EQ(replace.windowTitle(), u"Remplacer"_s);
    EXPECT_EQ(replace.findChild<QRadioButton *>(), nullptr); // no direction: it searches down
    for (const char *name : {"BtnReplace", "BtnReplaceAll"})
        EXPECT_TRUE(in<QPushButton>(replace, name).isEnabled()) << name;

    // Another document, read-only, becomes the active one while the dialog is open.
    document(u"un trois"_s).setReadOnly(true);
    // The user went to the frame for it, and comes back to the dialog: its replace buttons
    // follow that document.
    form->activateWindow();
    settle();
    replace.activateWindow();
    settle();
    for (const char *name : {"BtnReplace", "BtnReplaceAll"})
        EXPECT_FALSE(in<QPushButton>(replace, name).isEnabled()) << name;
    // A press that came first changes nothing either.
    for (const char *name : {"BtnReplace", "BtnReplaceAll"})
        in<QPushButton>(replace, name).setEnabled(true);
    click(replace, "BtnReplaceAll");
    click(replace, "BtnReplace");
    EXPECT_EQ(text(), u"un trois"_s);
    for (const char *name : {"BtnReplace", "BtnReplaceAll"})
        EXPECT_FALSE(in<QPushButton>(replace, name).isEnabled()) << name;
    EXPECT_TRUE(in<QPushButton>(replace, "BtnFindNext").isEnabled());
    fill(replace, QString());
    EXPECT_FALSE(in<QPushButton>(replace, "BtnFindNext").isEnabled());
}

TEST_F(FindReplaceTest, NothingHappensWhileNoDocumentIsValidlyActive)
{
    document(u"un deux un"_s);
    QDialog &find = openFind();
    fill(find, u"un"_s);
    find.reject();
    QDialog &replace = openReplace();
    fill(replace, u"un"_s, kAnyCase, u"X"_s);
    replace.reject();
    select(3, 3);

    form->Updating = true;
    form->RechercherItemClick();
    form->RemplacerItemClick();
    form->RechercherNextItemClick();
    EXPECT_FALSE(find.isVisible());
    EXPECT_FALSE(replace.isVisible());
    for (const char *button : {"BtnFindNext", "BtnReplace", "BtnReplaceAll"})
        click(replace, button);
    click(find, "BtnFindNext");
    EXPECT_EQ(text(), u"un deux un"_s);
    EXPECT_EQ(selection(), (Selection{3, 3}));
    EXPECT_TRUE(modal.messages().empty());
    form->Updating = false;
}

} // namespace
} // namespace ombre::test
