// The documents of the last session: written to the Desktop key at exit, reopened at the next
// start where they were, and what a damaged key gives back.

#include "editor_fixture.h"

#include "commands/command_host.h"
#include "editor/desktop_record.h"
#include "platform/registry.h"
#include "support/text_printing.h"

#include <string>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTextCursor>
#include <algorithm>

namespace ombre::test {
namespace {

std::string text(const QString &s)
{
    return s.toStdString();
}

std::string text(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

class DesktopTest : public EditorTest {
protected:
    // The user quits; every document is clean, so no question is asked.
    void exitProgram()
    {
        form->close();
        settle();
    }

    // The next start, with the Desktop option as given (as the settings would hold it).
    void startAgain(bool desktop, const QStringList &arguments = {})
    {
        form.reset();
        settle();
        ProgramOptions().Desktop = desktop;
        RegWriteBool(OptionsKey, QStringLiteral("Desktop"), desktop);
        form = std::make_unique<TMainForm>(arguments);
        form->show();
        settle();
    }

    static QStringList storedRecords()
    {
        QStringList records;
        if (!RegReadValues(DesktopKey, records))
            return {};
        return records;
    }

    static void storeRecords(const QStringList &records)
    {
        RegKeyDelete(DesktopKey);
        for (qsizetype i = 0; i < records.size(); ++i)
            RegWriteStr(DesktopKey, DesktopValueName(static_cast<int>(records.size() - 1 - i)), records[i]);
    }

    // The documents open, front window first.
    QList<TMDIChild *> frontToBack() const
    {
        QList<TMDIChild *> children;
        QList<QMdiSubWindow *> windows = form->MdiArea->subWindowList(QMdiArea::StackingOrder);
        std::reverse(windows.begin(), windows.end());
        for (QMdiSubWindow *window : windows)
            if (auto *child = qobject_cast<TMDIChild *>(window->widget()))
                children.append(child);
        return children;
    }

    QStringList openNames() const
    {
        QStringList names;
        for (const TMDIChild *child : frontToBack())
            names.append(child->DocumentInfo.FileName);
        return names;
    }

    TMDIChild *documentOf(const QString &fileName) const
    {
        for (TMDIChild *child : form->DocumentWindows())
            if (child->DocumentInfo.FileName == fileName)
                return child;
        return nullptr;
    }

    QString longFile(const QString &name) const
    {
        QByteArray text;
        for (int line = 1; line <= 1000; ++line)
            text += "Ligne " + QByteArray::number(line) + " du document\n";
        return writeFile(name, text);
    }

    static QScrollBar &scrollBar(const TMDIChild &child) { return *child.RichEdit->verticalScrollBar(); }
    static int firstVisibleLine(const TMDIChild &child)
    {
        return child.RichEdit->cursorForPosition(QPoint(0, 0)).blockNumber();
    }
    static std::pair<int, int> selectionOf(const TMDIChild &child)
    {
        const QTextCursor cursor = child.RichEdit->textCursor();
        return {cursor.selectionStart(), cursor.selectionEnd()};
    }
};

TEST_F(DesktopTest, ThreeWindowsComeBackAsTheyWereInTheirOrder)
{
    const QString letter = writeFile(QStringLiteral("lettre.rtf"), "{\\rtf1 Cher ami, voici la suite.\\par}");
    const QString notes = writeFile(QStringLiteral("notes.txt"), "des notes");
    const QString journal = longFile(QStringLiteral("journal.txt"));

    // Back: rich text, normal, placed by hand, wrap off, a selection.
    open(letter);
    TMDIChild &back = active();
    back.subWindow()->setGeometry(10, 20, 420, 260);
    run("WordwrapItem");
    ASSERT_FALSE(back.wordWrap());
    select(5, 8);
    // Middle: plain text in Courier New, minimised.
    ProgramOptions().Proportional = false;
    open(notes);
    active().subWindow()->showMinimized();
    // Front: 1,000 lines, proportional, maximised, selection and scroll in the middle. The
    // options at the next start say proportional and wrap: the records, not they, decide.
    ProgramOptions().Proportional = true;
    TMDIChild &front = open(journal);
    front.subWindow()->showMaximized();
    settle();
    select(4000, 4010);
    scrollBar(front).setValue(scrollBar(front).maximum() / 2);
    const int scroll = scrollBar(front).value();
    const int topLine = firstVisibleLine(front);
    ASSERT_GT(scroll, 0);
    // Minimising the middle one sent it to the back.
    const QStringList order = openNames();
    ASSERT_EQ(order, (QStringList{journal, letter, notes}));

    exitProgram();
    const QStringList records = storedRecords();
    ASSERT_EQ(records.size(), 3);
    EXPECT_TRUE(records[0].startsWith(notes + QStringLiteral(","))) << text(records[0]);
    EXPECT_TRUE(records[0].contains(QStringLiteral(",1,1,0,1,"))) << text(records[0]); // minimised, plain, Courier New
    EXPECT_EQ(records[1], letter + QStringLiteral(",10,20,420,260,0,0,0,0,5,8,0,")) << text(records[1]);
    EXPECT_TRUE(records[2].endsWith(QStringLiteral(",2,1,1,1,4000,4010,%1,").arg(scroll))) << text(records[2]);

    startAgain(true);
    EXPECT_EQ(openNames(), order);
    EXPECT_EQ(form->ActiveChild, documentOf(journal));

    const TMDIChild &letterBack = *documentOf(letter);
    EXPECT_EQ(letterBack.subWindow()->geometry(), QRect(10, 20, 420, 260));
    EXPECT_FALSE(letterBack.subWindow()->isMinimized() || letterBack.subWindow()->isMaximized());
    EXPECT_FALSE(letterBack.DocumentInfo.PlainText);
    EXPECT_FALSE(letterBack.wordWrap());
    EXPECT_EQ(selectionOf(letterBack), std::pair(5, 8));
    EXPECT_EQ(letterBack.RichEdit->toPlainText(), QStringLiteral("Cher ami, voici la suite."));

    const TMDIChild &notesMiddle = *documentOf(notes);
    EXPECT_TRUE(notesMiddle.subWindow()->isMinimized());
    EXPECT_TRUE(notesMiddle.DocumentInfo.PlainText);
    EXPECT_FALSE(notesMiddle.DocumentInfo.Proportional);
    EXPECT_EQ(notesMiddle.RichEdit->document()->defaultFont().family(), QStringLiteral("Courier New"));

    const TMDIChild &journalFront = *documentOf(journal);
    EXPECT_TRUE(journalFront.subWindow()->isMaximized());
    EXPECT_TRUE(journalFront.DocumentInfo.PlainText);
    EXPECT_TRUE(journalFront.DocumentInfo.Proportional);
    EXPECT_TRUE(journalFront.wordWrap());
    EXPECT_EQ(selectionOf(journalFront), std::pair(4000, 4010));
    // Once everything has settled the text is still where it was left.
    settle();
    EXPECT_EQ(scrollBar(journalFront).value(), scroll);
    EXPECT_EQ(firstVisibleLine(journalFront), topLine);

    for (const TMDIChild *child : form->DocumentWindows()) {
        EXPECT_TRUE(child->DocumentInfo.Named) << text(child->DocumentInfo.FileName);
        EXPECT_FALSE(child->isModified()) << text(child->DocumentInfo.FileName);
    }
}

TEST_F(DesktopTest, RestoredDocumentTakesItsModeFromTheRecordAndSavesInPlace)
{
    // A .txt file restored as rich text: the record says so, whatever the extension.
    const QString file = writeFile(QStringLiteral("brouillon.txt"), "premier jet");
    storeRecords({file + QStringLiteral(",0,0,420,260,0,0,0,1,0,0,0,")});
    startAgain(true);
    ASSERT_EQ(openNames(), QStringList{file});
    EXPECT_FALSE(active().DocumentInfo.PlainText);

    // Bound to its file: Save writes it without a dialog (any dialog would fail the test).
    select(0, 0);
    type(QStringLiteral("Le "));
    run("FileSaveItem");
    EXPECT_TRUE(readFile(file).startsWith("{\\rtf"));
    EXPECT_TRUE(readFile(file).contains("Le premier jet"));
}

TEST_F(DesktopTest, WhatIsWrittenAtExit)
{
    // A new document never saved is written under its made-up name and skipped at the next start.
    run("FileNewItem");
    const QString untitled = active().DocumentInfo.FileName;
    // A deciphered document with no file of its own is not written: it would name what the
    // container holds. Once saved to a file of its own, it is.
    const QByteArray secret = "texte secret";
    form->OpenDecryptedDocument({QStringLiteral("secret.txt"), secret, false, {}, path(QStringLiteral("secret.ocr"))});
    form->OpenDecryptedDocument({QStringLiteral("copie.txt"), secret, false, {}, path(QStringLiteral("copie.ocr"))});
    const QString copy = path(QStringLiteral("copie-en-clair.txt"));
    modal.answerSaveFile(copy);
    run("FileSaveAsItem");
    // A name holding "," is not written: it would come back cut at the comma.
    const QString comma = writeFile(QStringLiteral("devis,2024.txt"), "devis");
    form->OpenDocumentByName(comma);
    ASSERT_EQ(form->DocumentWindows().size(), 4);

    exitProgram();
    const QStringList records = storedRecords();
    ASSERT_EQ(records.size(), 2) << text(records.join(QLatin1Char('|')));
    EXPECT_TRUE(records[0].startsWith(untitled + QStringLiteral(","))) << text(records[0]);
    EXPECT_TRUE(records[1].startsWith(copy + QStringLiteral(","))) << text(records[1]);
    EXPECT_FALSE(records.join(QString()).contains(QStringLiteral("secret")));

    startAgain(true);
    EXPECT_EQ(openNames(), QStringList{copy});
}

TEST_F(DesktopTest, DesktopOptionOffRestoresNothingButTheKeyIsStillRewritten)
{
    const QString before = writeFile(QStringLiteral("avant.txt"), "avant");
    const QString now = writeFile(QStringLiteral("maintenant.txt"), "maintenant");
    storeRecords({before + QStringLiteral(",0,0,420,260,0,1,1,1,0,0,0,")});

    startAgain(false);
    EXPECT_TRUE(form->DocumentWindows().isEmpty());
    form->OpenDocumentByName(now);
    exitProgram();
    const QStringList records = storedRecords();
    ASSERT_EQ(records.size(), 1);
    EXPECT_TRUE(records[0].startsWith(now + QStringLiteral(","))) << text(records[0]);
}

TEST_F(DesktopTest, FileArgumentOpensOnlyThatFileAndTheKeyIsOverwritten)
{
    const QString stored = writeFile(QStringLiteral("ancien.txt"), "ancien");
    const QString argument = writeFile(QStringLiteral("demande.txt"), "demandé");
    storeRecords({stored + QStringLiteral(",0,0,420,260,0,1,1,1,0,0,0,")});

    startAgain(true, {argument});
    EXPECT_EQ(openNames(), QStringList{argument});
    exitProgram();
    const QStringList records = storedRecords();
    ASSERT_EQ(records.size(), 1);
    EXPECT_TRUE(records[0].startsWith(argument + QStringLiteral(","))) << text(records[0]);
}

TEST_F(DesktopTest, ExitWithNoDocumentRemovesTheKey)
{
    const QString stored = writeFile(QStringLiteral("ancien.txt"), "ancien");
    storeRecords({stored + QStringLiteral(",0,0,420,260,0,1,1,1,0,0,0,")});
    startAgain(true);
    run("FileCloseItem");
    ASSERT_TRUE(form->DocumentWindows().isEmpty());

    exitProgram();
    EXPECT_FALSE(RegKeyExists(DesktopKey));
    startAgain(true);
    EXPECT_TRUE(form->DocumentWindows().isEmpty());
}

TEST_F(DesktopTest, RestoredWindowLiesInsideTheDocumentArea)
{
    const QString file = writeFile(QStringLiteral("fenetre.txt"), "fenêtre");
    const char *const geometries[] = {
        "-50,-80,420,260",
        "5000,4000,420,260",
        "0,0,100000,100000",
        "10,10,1,1", // below the window's minimum size
        "2147483647,2147483647,2147483647,2147483647",
        "-2147483648,-2147483648,-2147483648,-2147483648",
    };
    for (const char *geometry : geometries) {
        SCOPED_TRACE(geometry);
        storeRecords({file + QLatin1Char(',') + QLatin1String(geometry) + QStringLiteral(",0,1,1,1,0,0,0,")});
        startAgain(true);
        ASSERT_EQ(openNames(), QStringList{file});
        const QRect area = form->MdiArea->viewport()->rect();
        EXPECT_TRUE(area.contains(active().subWindow()->geometry())) << text(active().subWindow()->geometry());
    }
}

TEST_F(DesktopTest, WindowMaximisedBehindKeepsItsState)
{
    // The area would maximise each window made after a maximised one.
    const QString behind = writeFile(QStringLiteral("derriere.txt"), "derrière");
    const QString front = writeFile(QStringLiteral("devant.txt"), "devant");
    storeRecords({behind + QStringLiteral(",0,0,420,260,2,1,1,1,0,0,0,"),
                  front + QStringLiteral(",10,10,400,200,0,1,1,1,0,0,0,")});
    startAgain(true);
    ASSERT_EQ(openNames(), (QStringList{front, behind}));
    EXPECT_TRUE(documentOf(behind)->subWindow()->isMaximized());
    EXPECT_FALSE(documentOf(front)->subWindow()->isMaximized());
    EXPECT_EQ(documentOf(front)->subWindow()->geometry(), QRect(10, 10, 400, 200));
}

// One record, damaged or not, for a document of 1,000 lines, followed by a good record for
// another file: what comes back of each.
enum class Outcome {
    Whole,         // window, selection and scroll position
    SelectionOnly, // window and selection; the scroll position is lost
    WindowOnly,    // the window with its text; selection and scroll position are lost
    Skipped,       // no window for it; the next record is restored
    RestoreEnds,   // no window for it, nor for the next record
};

struct DamagedRecord {
    const char *what;
    const char *record; // "{}" stands for the long document's path
    Outcome outcome;
};

const DamagedRecord damagedRecords[] = {
    {"good record", "{},0,0,420,260,0,1,1,1,2,5,300,", Outcome::Whole},
    {"fields after the twelfth are ignored", "{},0,0,420,260,0,1,1,1,2,5,300,7,x,", Outcome::Whole},
    {"signs", "{},+0,-0,+420,260,0,1,1,1,+2,5,+300,", Outcome::Whole},
    {"smallest 32-bit number", "{},-2147483648,0,420,260,0,1,1,1,2,5,300,", Outcome::Whole},
    {"selection beyond the text", "{},0,0,420,260,0,1,1,1,2,2000000000,300,", Outcome::Whole},

    {"no file of that name", "{}.absent,0,0,420,260,0,1,1,1,2,5,300,", Outcome::Skipped},
    {"empty value", "", Outcome::Skipped},
    {"relative name", "journal.txt,0,0,420,260,0,1,1,1,2,5,300,", Outcome::Skipped},
    {"no file and bad fields", "{}.absent,x,x,", Outcome::Skipped},

    {"name alone, no comma", "{}", Outcome::RestoreEnds},
    {"name alone", "{},", Outcome::RestoreEnds},
    {"name cut at a comma it held", "{},2024.txt,0,0,420,260,0,1,1,1,2,5,300,", Outcome::RestoreEnds},
    {"left not a number", "{},x,0,420,260,0,1,1,1,2,5,300,", Outcome::RestoreEnds},
    {"top empty", "{},0,,420,260,0,1,1,1,2,5,300,", Outcome::RestoreEnds},
    {"width beyond 32 bits", "{},0,0,2147483648,260,0,1,1,1,2,5,300,", Outcome::RestoreEnds},
    {"height far beyond 64 bits", "{},0,0,420,99999999999999999999999,0,1,1,1,2,5,300,", Outcome::RestoreEnds},
    {"state with a space", "{},0,0,420,260, 0,1,1,1,2,5,300,", Outcome::RestoreEnds},
    {"plain text not a number", "{},0,0,420,260,0,oui,1,1,2,5,300,", Outcome::RestoreEnds},
    {"proportional hexadecimal", "{},0,0,420,260,0,1,0x1,1,2,5,300,", Outcome::RestoreEnds},
    {"word wrap a lone sign", "{},0,0,420,260,0,1,1,-,2,5,300,", Outcome::RestoreEnds},
    {"word wrap missing", "{},0,0,420,260,0,1,1,", Outcome::RestoreEnds},
    {"word wrap without its comma", "{},0,0,420,260,0,1,1,1", Outcome::RestoreEnds},
    {"non-ASCII digit", "{},0,0,\u0664\u0662\u0660,260,0,1,1,1,2,5,300,", Outcome::RestoreEnds},

    {"selection start missing", "{},0,0,420,260,0,1,1,1,", Outcome::WindowOnly},
    {"selection start not a number", "{},0,0,420,260,0,1,1,1,2.5,5,300,", Outcome::WindowOnly},
    {"selection end empty", "{},0,0,420,260,0,1,1,1,2,,300,", Outcome::WindowOnly},
    {"selection end beyond 32 bits", "{},0,0,420,260,0,1,1,1,2,4294967301,300,", Outcome::WindowOnly},

    {"scroll missing", "{},0,0,420,260,0,1,1,1,2,5,", Outcome::SelectionOnly},
    {"no final comma", "{},0,0,420,260,0,1,1,1,2,5,300", Outcome::SelectionOnly},
    {"scroll not a number", "{},0,0,420,260,0,1,1,1,2,5,3e2,", Outcome::SelectionOnly},
};

TEST_F(DesktopTest, DamagedRecords)
{
    const QString journal = longFile(QStringLiteral("journal.txt"));
    const QString next = writeFile(QStringLiteral("suivant.txt"), "suivant");
    const QString nextRecord = next + QStringLiteral(",0,0,420,260,0,1,1,1,0,0,0,");

    for (const DamagedRecord &damaged : damagedRecords) {
        SCOPED_TRACE(damaged.what);
        const QString record = QString::fromUtf8(damaged.record).replace(QStringLiteral("{}"), journal);
        storeRecords({record, nextRecord});
        startAgain(true);

        const bool windowBack = damaged.outcome != Outcome::Skipped && damaged.outcome != Outcome::RestoreEnds;
        QStringList expected;
        if (damaged.outcome != Outcome::RestoreEnds)
            expected.append(next);
        if (windowBack)
            expected.append(journal);
        ASSERT_EQ(openNames(), expected);
        if (!windowBack)
            continue;

        const TMDIChild &child = *documentOf(journal);
        EXPECT_TRUE(child.RichEdit->toPlainText().startsWith(QStringLiteral("Ligne 1 du document")));
        const bool selection = damaged.outcome != Outcome::WindowOnly;
        const bool scroll = damaged.outcome == Outcome::Whole;
        if (selection)
            EXPECT_EQ(selectionOf(child).first, 2);
        else
            EXPECT_EQ(selectionOf(child), std::pair(0, 0));
        // The selection sits on the first lines: without the stored position the text is not scrolled.
        EXPECT_EQ(scrollBar(child).value(), scroll ? 300 : 0);
    }
}

} // namespace
} // namespace ombre::test
