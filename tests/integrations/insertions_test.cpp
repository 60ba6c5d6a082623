// The insertion commands end to end, through the frame's actions: the date menu and button, the
// formulas menu and button, the signature, and when they may run.

#include "editor/editor_fixture.h"
#include "platform/registry.h"
#include "settings/formulas.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace ombre::test {
namespace {

const QDateTime kLeapNight(QDate(2024, 2, 29), QTime(23, 59, 5));

class InsertionsTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        form->Clock = [] { return kLeapNight; };
    }

    QTextEdit &editor() const { return *active().RichEdit; }

    // A new document holding `text`, the caret at its end.
    QTextEdit &documentWith(const QString &text)
    {
        run("FileNewItem");
        type(text);
        return editor();
    }

    void placeCaret(int position)
    {
        QTextCursor cursor = editor().textCursor();
        cursor.setPosition(position);
        editor().setTextCursor(cursor);
    }

    QList<QAction *> formulaItems() const { return form->FormulesItem->menu()->actions(); }

    QAction &formulaItem(int index) const
    {
        for (QAction *a : formulaItems())
            if (a->data().toInt() == index)
                return *a;
        throw std::runtime_error("no formula item " + std::to_string(index));
    }

    QList<int> checkedFormulas() const
    {
        QList<int> indexes;
        for (const QAction *a : formulaItems())
            if (a->isChecked())
                indexes.append(a->data().toInt());
        return indexes;
    }

    QAction &dateItem(int i) const { return *form->M[static_cast<std::size_t>(i)]; }

    QList<int> checkedDates() const
    {
        QList<int> items;
        for (int i = 0; i < static_cast<int>(form->M.size()); ++i)
            if (dateItem(i).isChecked())
                items.append(i);
        return items;
    }

    void openDateMenu()
    {
        QMenu *menu = form->DateItem->menu();
        menu->popup(QPoint());
        menu->close();
        settle();
    }

    // The settings dialog closed with OK after `edit` changed it.
    void acceptSettings(const std::function<void(QDialog &)> &edit)
    {
        modal.answerDialog([edit](QDialog &dialog) {
            edit(dialog);
            dialog.findChild<QPushButton *>(QStringLiteral("BtnOk"))->click();
        });
        run("OptionsItem");
    }

    void storeFormulas(const QStringList &lines)
    {
        acceptSettings([lines](QDialog &dialog) {
            dialog.findChild<QPlainTextEdit *>(QStringLiteral("MemoFormule"))->setPlainText(lines.join(QLatin1Char('\n')));
        });
    }

    void expectInsertionsEnabled(bool enabled, const char *why)
    {
        for (const char *name : {"DateItem", "BtnDate", "FormulesItem", "BtnFormule", "SignatureItem"})
            EXPECT_EQ(item(name).isEnabled(), enabled) << name << ": " << why;
    }
};

TEST_F(InsertionsTest, FirstRunOffersTheSixDefaultFormulas)
{
    QStringList captions;
    for (const QAction *a : formulaItems()) {
        captions.append(a->text());
        EXPECT_EQ(a->statusTip(), QStringLiteral("Insérer cette formule de politesse"));
    }
    EXPECT_EQ(captions, DefaultFormulas());
    EXPECT_EQ(checkedFormulas(), QList<int>{0});
    EXPECT_EQ(ProgramOptions().Formule, 0);
    EXPECT_TRUE(form->FormulasAvailable);
    QStringList stored;
    ASSERT_TRUE(RegReadValues(FormulesKey, stored));
    EXPECT_EQ(stored, DefaultFormulas());

    // The settings dialog's formulas page shows them too.
    modal.answerDialog([](QDialog &dialog) {
        EXPECT_EQ(dialog.findChild<QPlainTextEdit *>(QStringLiteral("MemoFormule"))->toPlainText(),
                  DefaultFormulas().join(QLatin1Char('\n')));
        dialog.findChild<QPushButton *>(QStringLiteral("BtnAnnuler"))->click();
    });
    run("OptionsItem");

    // "Recevez, <>, ..." at caret 100: the marker, characters 109 and 110, is selected.
    documentWith(QString(100, QLatin1Char('a')));
    formulaItem(2).trigger();
    EXPECT_EQ(editor().textCursor().selectionStart(), 109);
    EXPECT_EQ(editor().textCursor().selectionEnd(), 111);
    type(QStringLiteral("Monsieur"));
    EXPECT_EQ(editor().toPlainText(), QString(100, QLatin1Char('a')) + QStringLiteral("Recevez, Monsieur, mes meilleures salutations."));
    EXPECT_EQ(ProgramOptions().Formule, 2);
    EXPECT_EQ(checkedFormulas(), QList<int>{2});
}

TEST_F(InsertionsTest, FormulaLeavesTheMarkerSelectedOrTheCaretAfterIt)
{
    const QStringList formulas = {QStringLiteral("Madame, Monsieur,"), QStringLiteral("Recevez, <>, mes meilleures salutations."),
                                  QStringLiteral("<>, bonjour"), QStringLiteral("Dupont & Fils, <>.")};
    storeFormulas(formulas);
    // A formula's "&" is shown as itself, never as an accelerator mark.
    EXPECT_EQ(formulaItem(3).text(), QStringLiteral("Dupont && Fils, <>."));

    const struct {
        int index;
        int selectionStart;
        int selectionEnd;
    } cases[] = {
        {0, 117, 117}, // no marker: the caret after the comma
        {1, 109, 111},
        {2, 111, 111}, // a marker that opens the formula is left where it is
        {3, 115, 117},
    };
    const QString before(100, QLatin1Char('a'));
    documentWith(before);
    for (const auto &c : cases) {
        editor().setPlainText(before);
        placeCaret(100);
        formulaItem(c.index).trigger();
        EXPECT_EQ(editor().toPlainText(), before + formulas[c.index]) << "formula " << c.index;
        EXPECT_EQ(editor().textCursor().selectionStart(), c.selectionStart) << "formula " << c.index;
        EXPECT_EQ(editor().textCursor().selectionEnd(), c.selectionEnd) << "formula " << c.index;
        EXPECT_EQ(ProgramOptions().Formule, c.index);
        EXPECT_EQ(checkedFormulas(), QList<int>{c.index});
    }

    // The button inserts the current formula the same way and leaves it current.
    editor().clear();
    run("BtnFormule");
    EXPECT_EQ(editor().toPlainText(), formulas[3]);
    EXPECT_EQ(editor().textCursor().selectedText(), QStringLiteral("<>"));
    EXPECT_EQ(ProgramOptions().Formule, 3);
}

TEST_F(InsertionsTest, CurrentFormulaBeyondTheListBecomesTheLast)
{
    ProgramOptions().Formule = 9;
    storeFormulas({QStringLiteral("Un"), QStringLiteral("Deux"), QStringLiteral("Trois"), QStringLiteral("Quatre")});
    EXPECT_EQ(ProgramOptions().Formule, 3);
    EXPECT_EQ(checkedFormulas(), QList<int>{3});

    documentWith(QString());
    run("BtnFormule");
    EXPECT_EQ(editor().toPlainText(), QStringLiteral("Quatre"));
}

TEST_F(InsertionsTest, FormulasMenuTakesTheKeyAsStored)
{
    const struct {
        const char *why;
        std::function<void()> store;
        QList<int> items; // the indexes the items remember
        QList<int> checked;
        bool available;
    } cases[] = {
        // An empty value keeps its place in the list: the items after it keep their indexes.
        {"an empty value", [] {
             RegWriteStr(FormulesKey, QStringLiteral("F0"), QStringLiteral("Bonjour,"));
             RegWriteStr(FormulesKey, QStringLiteral("F1"), QString());
             RegWriteStr(FormulesKey, QStringLiteral("F2"), QStringLiteral("Salut <> !"));
         }, {0, 2}, {2}, true},
        // Nothing to insert: the commands stay off rather than offer an empty menu.
        {"only empty values", [] { RegWriteStr(FormulesKey, QStringLiteral("F0"), QString()); }, {}, {}, false},
        {"a value that is not text", [] {
             RegWriteStr(FormulesKey, QStringLiteral("F0"), QStringLiteral("Bonjour,"));
             RegWriteInt(FormulesKey, QStringLiteral("F1"), 7);
         }, {}, {}, false},
    };
    for (const auto &c : cases) {
        form.reset();
        settle();
        RegKeyDelete(FormulesKey);
        c.store();
        ProgramOptions().Formule = 2;
        form = std::make_unique<TMainForm>();
        form->show();
        settle();
        QList<int> items;
        for (const QAction *a : formulaItems())
            items.append(a->data().toInt());
        EXPECT_EQ(items, c.items) << c.why;
        EXPECT_EQ(checkedFormulas(), c.checked) << c.why;
        EXPECT_EQ(form->FormulasAvailable, c.available) << c.why;
        documentWith(QString());
        EXPECT_EQ(item("FormulesItem").isEnabled(), c.available) << c.why;
        EXPECT_EQ(item("BtnFormule").isEnabled(), c.available) << c.why;
    }
}

TEST_F(InsertionsTest, DateMenuShowsTheFormatsOfOneMoment)
{
    openDateMenu();
    const char *captions[] = {"29/02/24", "29/02/2024", "29 février 2024", "jeudi 29 février 2024", "",
                              "23:59", "23:59:05", "", "29/02/24 23:59"};
    for (int i = 0; i < 9; ++i) {
        if (dateItem(i).isSeparator())
            continue;
        EXPECT_EQ(dateItem(i).text(), QString::fromUtf8(captions[i])) << "M" << i;
    }
    EXPECT_EQ(checkedDates(), QList<int>{0});

    // A clock that moves on between two readings: the menu must not show the day after with the
    // time before midnight.
    int readings = 0;
    form->Clock = [&readings] {
        return readings++ == 0 ? QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59, 999)) : QDateTime(QDate(2024, 3, 1), QTime(0, 0));
    };
    openDateMenu();
    EXPECT_EQ(dateItem(0).text(), QStringLiteral("29/02/24"));
    EXPECT_EQ(dateItem(8).text(), QStringLiteral("29/02/24 23:59"));
}

TEST_F(InsertionsTest, ChosenDateFormatIsKeptForTheButton)
{
    documentWith(QString());
    openDateMenu();
    dateItem(6).trigger();
    EXPECT_EQ(editor().toPlainText(), QStringLiteral("23:59:05"));
    EXPECT_EQ(ProgramOptions().Date, 6);
    EXPECT_EQ(checkedDates(), QList<int>{6});

    // The button reads the clock again.
    form->Clock = [] { return QDateTime(QDate(2024, 3, 1), QTime(0, 0, 7)); };
    editor().clear();
    run("BtnDate");
    EXPECT_EQ(editor().toPlainText(), QStringLiteral("00:00:07"));

    // A separator's number or one out of range chooses no format: nothing is inserted.
    for (const int date : {4, 7, 9, -1}) {
        ProgramOptions().Date = date;
        editor().clear();
        run("BtnDate");
        EXPECT_EQ(editor().toPlainText(), QString()) << date;
        EXPECT_EQ(checkedDates(), QList<int>{}) << date;
    }
}

TEST_F(InsertionsTest, SignatureLineBreaksBecomeParagraphs)
{
    for (const char *signature : {"Jean Dupont\r\nParis", "Jean Dupont\nParis"}) {
        ProgramOptions().Signature = QString::fromUtf8(signature);
        documentWith(QString());
        form->UpdateMenuItems();
        run("SignatureItem");
        EXPECT_EQ(editor().toPlainText(), QStringLiteral("Jean Dupont\nParis")) << signature;
        EXPECT_EQ(editor().document()->blockCount(), 2) << signature;
        EXPECT_EQ(editor().textCursor().position(), 17) << signature;
    }
}

TEST_F(InsertionsTest, InsertionReplacesTheSelectionAsOneUndoStep)
{
    ProgramOptions().Signature = QStringLiteral("Jean Dupont\nParis");
    const QString text = QStringLiteral("Bonjour tout le monde");
    for (const char *command : {"SignatureItem", "BtnFormule", "BtnDate"}) {
        documentWith(text);
        select(8, 12);
        run(command);
        EXPECT_FALSE(editor().toPlainText().contains(QStringLiteral("tout"))) << command;
        EXPECT_TRUE(editor().toPlainText().startsWith(QStringLiteral("Bonjour "))) << command;
        run("UndoItem");
        EXPECT_EQ(editor().toPlainText(), text) << command;
    }
}

TEST_F(InsertionsTest, InsertionTakesTheFormatAtTheCaret)
{
    documentWith(QStringLiteral("a"));
    run("BtnBold");
    run("BtnDate");
    EXPECT_EQ(editor().toPlainText(), QStringLiteral("a29/02/24"));
    const QTextBlock block = editor().document()->firstBlock();
    QTextCursor probe(block);
    probe.setPosition(1);
    EXPECT_NE(probe.charFormat().fontWeight(), QFont::Bold);
    probe.setPosition(9);
    EXPECT_EQ(probe.charFormat().fontWeight(), QFont::Bold);
}

TEST_F(InsertionsTest, NothingIsInsertedWithoutAWritableDocument)
{
    ProgramOptions().Signature = QStringLiteral("Jean");
    form->UpdateMenuItems();
    expectInsertionsEnabled(false, "no document");
    // The items of the two menus stay reachable in code: each must refuse by itself.
    const auto callEveryInsertion = [this] {
        openDateMenu();
        dateItem(6).trigger();
        formulaItem(2).trigger();
        form->BtnDateClick();
        form->BtnFormuleClick();
        form->SignatureItemClick();
        settle();
    };
    callEveryInsertion();
    EXPECT_EQ(ProgramOptions().Date, 0);
    EXPECT_EQ(ProgramOptions().Formule, 0);

    documentWith(QStringLiteral("abc"));
    expectInsertionsEnabled(true, "a writable document");
    active().setReadOnly(true);
    form->UpdateMenuItems();
    expectInsertionsEnabled(false, "read-only");
    callEveryInsertion();
    EXPECT_EQ(editor().toPlainText(), QStringLiteral("abc"));
    EXPECT_EQ(ProgramOptions().Date, 0);
    EXPECT_EQ(ProgramOptions().Formule, 0);
}

TEST_F(InsertionsTest, SignatureCommandFollowsTheSettings)
{
    documentWith(QString());
    EXPECT_FALSE(item("SignatureItem").isEnabled());
    acceptSettings([](QDialog &dialog) {
        dialog.findChild<QPlainTextEdit *>(QStringLiteral("MemoSignature"))->setPlainText(QStringLiteral("Jean\nParis"));
    });
    ASSERT_TRUE(item("SignatureItem").isEnabled());
    run("SignatureItem");
    EXPECT_EQ(editor().toPlainText(), QStringLiteral("Jean\nParis"));
}

} // namespace
} // namespace ombre::test
