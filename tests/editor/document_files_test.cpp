// Documents to and from disk, driven through the commands and answered through the dialogs:
// New, Open, Save, Save As, Close, Close all, Exit, and the rich/plain switches.

#include "editor_fixture.h"

#include "commands/file_names.h"

#include "editor/ruler.h"

#include <QMdiSubWindow>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>

namespace ombre::test {
namespace {

const QString ExtensionRefused = QStringLiteral(
    "\r\n\r\nL'extension de ce fichier ne correspond pas au format en cours."
    "\r\nLe fichier ne peut pas être sauvegardé. Veuillez recommencer.");
const QString WriteFailed = QStringLiteral("\r\n\r\nUne erreur s'est produite durant la sauvegarde de ce fichier.");
const QString ReadOnlyNote = QStringLiteral("\r\n\r\n Ce fichier est en lecture seule.");
const QString ReplaceQuestion = QStringLiteral("\r\n\r\nCe fichier existe déjà. Voulez-vous le remplacer ?");
const QString ToPlainQuestion = QStringLiteral(
    "Attention, vous allez modifier ce document en texte brut.\r\n"
    "Toute la mise en forme sera définitivement perdue.\r\n\r\n"
    "Etes-vous sûr de réaliser cela ?");

QString closeQuestion(const QString &name)
{
    return QStringLiteral("\r\nVoulez-vous enregistrer les modifications apportées à ") + name + QStringLiteral(" ?");
}

class DocumentFilesTest : public EditorTest {
protected:
    int documents() const { return static_cast<int>(form->DocumentWindows().size()); }
};

TEST_F(DocumentFilesTest, NewDocumentIsAnUnnamedRichTextDocument)
{
    run("FileNewItem");
    run("FileNewItem");
    const TDocumentInfo &info = active().DocumentInfo;
    EXPECT_TRUE(info.FileName.endsWith(QStringLiteral("/Fichiers normaux/SansNom2.rtf"))) << info.FileName.toStdString();
    EXPECT_EQ(active().windowTitle(), QStringLiteral("SansNom2.rtf"));
    EXPECT_FALSE(info.PlainText);
    EXPECT_FALSE(info.Named);
    EXPECT_FALSE(active().isModified());
}

TEST_F(DocumentFilesTest, SaveOfANewDocumentGoesThroughSaveAsThenWritesInPlace)
{
    run("FileNewItem");
    type(QStringLiteral("Cher ami,"));
    ASSERT_TRUE(active().isModified());

    const QString target = path(QStringLiteral("lettre.rtf"));
    modal.answerSaveFile(target);
    run("FileSaveItem");
    ASSERT_EQ(modal.shown().size(), 1u);
    const FileDialogRequest &request = modal.shown().front().file;
    EXPECT_EQ(request.filters, QStringList{QStringLiteral("Fichiers Rich Text Format (*.rtf)")});
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("rtf"));
    EXPECT_EQ(request.fileName, QStringLiteral("SansNom1.rtf"));
    EXPECT_EQ(request.directory, folder.path()); // the made-up folder does not exist: option Open

    EXPECT_TRUE(readFile(target).startsWith("{\\rtf"));
    EXPECT_TRUE(readFile(target).contains("Cher ami,"));
    EXPECT_EQ(active().windowTitle(), QStringLiteral("lettre.rtf"));
    EXPECT_TRUE(active().DocumentInfo.Named);
    EXPECT_FALSE(active().isModified());
    EXPECT_FALSE(active().DocumentInfo.Modified);

    // Bound to its file now: Save writes without asking.
    type(QStringLiteral(" Suite."));
    run("FileSaveItem");
    EXPECT_EQ(modal.shown().size(), 1u);
    EXPECT_TRUE(readFile(target).contains("Suite."));
    EXPECT_FALSE(active().isModified());
}

TEST_F(DocumentFilesTest, NameTypedWithoutExtensionTakesTheFormatsOne)
{
    run("FileNewItem");
    modal.answerSaveFile(path(QStringLiteral("memo")));
    run("FileSaveAsItem");
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("memo.rtf"))));
    EXPECT_EQ(active().DocumentInfo.FileName, path(QStringLiteral("memo.rtf")));
}

TEST_F(DocumentFilesTest, DocumentSavedUnderASansNomNameKeepsAskingForAName)
{
    run("FileNewItem");
    modal.answerSaveFile(path(QStringLiteral("SansNom-copie.rtf")));
    run("FileSaveItem");
    type(QStringLiteral("x"));
    modal.answerSaveFile(QString()); // cancelled
    run("FileSaveItem");
    EXPECT_EQ(modal.shown().size(), 2u);
    EXPECT_TRUE(active().isModified());
}

TEST_F(DocumentFilesTest, SaveAsRefusesAnExtensionOfTheOtherFormat)
{
    struct Case {
        const char *opened;
        const char *chosen;
    };
    for (const Case &c : {Case{"note.txt", "note.rtf"}, Case{"texte.rtf", "texte.txt"}, Case{"config.ini", "config.rtf"}}) {
        SCOPED_TRACE(c.opened);
        TMDIChild &child = open(writeFile(QLatin1String(c.opened), c.opened == QLatin1String("texte.rtf")
                                                                    ? QByteArray("{\\rtf1 texte}")
                                                                    : QByteArray("texte")));
        const QString chosen = path(QLatin1String(c.chosen));
        modal.answerSaveFile(chosen);
        modal.answerMessage(QMessageBox::Ok);
        run("FileSaveAsItem");
        const auto messages = modal.messages();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.back().text, chosen + ExtensionRefused);
        EXPECT_EQ(messages.back().icon, QMessageBox::Warning);
        EXPECT_EQ(messages.back().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_FALSE(QFile::exists(chosen));
        EXPECT_EQ(child.DocumentInfo.FileName, path(QLatin1String(c.opened)));
    }
}

TEST_F(DocumentFilesTest, SaveAsProposesTheFilterOfTheDocumentsExtension)
{
    struct Case {
        const char *name;
        const char *filter;
        const char *suffix;
    };
    for (const Case &c : {Case{"a.rtf", "Fichiers Rich Text Format (*.rtf)", "rtf"},
                          Case{"b.txt", "Fichiers au format texte (*.txt)", "txt"},
                          Case{"c.ini", "Tous les fichiers (*)", ""}}) {
        SCOPED_TRACE(c.name);
        open(writeFile(QLatin1String(c.name), "x"));
        modal.answerSaveFile(QString());
        run("FileSaveAsItem");
        const FileDialogRequest &request = modal.shown().back().file;
        EXPECT_EQ(request.filters, QStringList{QString::fromUtf8(c.filter)});
        EXPECT_EQ(request.defaultSuffix, QLatin1String(c.suffix));
        EXPECT_EQ(request.fileName, QLatin1String(c.name));
        EXPECT_EQ(request.directory, folder.path());
    }
}

TEST_F(DocumentFilesTest, SaveAsAsksBeforeReplacingTheFileThatWillBeWritten)
{
    struct Case {
        const char *answered; // what the dialog gives back
        const char *target;   // the file that would be replaced
    };
    for (const Case &c : {Case{"MAJ.RTF", "MAJ.RTF"}, Case{"memo", "memo.rtf"}}) {
        SCOPED_TRACE(c.answered);
        const QString target = writeFile(QLatin1String(c.target), "{\\rtf1 ancien}");
        TMDIChild &child = open(writeFile(QStringLiteral("MAJ.RTF"), "{\\rtf1 ancien}"));
        type(QStringLiteral("nouveau "));

        // No: nothing is written and the dialog asks again, from the name the user gave.
        modal.answerSaveFile(path(QLatin1String(c.answered)));
        modal.answerMessage(QMessageBox::No);
        modal.answerSaveFile(QString());
        run("FileSaveAsItem");
        ASSERT_GE(modal.shown().size(), 3u);
        const auto &question = modal.shown()[modal.shown().size() - 2];
        EXPECT_EQ(question.text, target + ReplaceQuestion);
        EXPECT_EQ(question.icon, QMessageBox::Warning);
        EXPECT_EQ(question.buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
        EXPECT_EQ(modal.shown().back().file.fileName, fileNamePart(target));
        EXPECT_EQ(readFile(target), QByteArray("{\\rtf1 ancien}"));
        EXPECT_TRUE(child.isModified());

        // Yes: that very file is replaced, and no second file appears beside it.
        modal.answerSaveFile(path(QLatin1String(c.answered)));
        modal.answerMessage(QMessageBox::Yes);
        run("FileSaveAsItem");
        EXPECT_TRUE(readFile(target).contains("nouveau ancien"));
        EXPECT_EQ(child.DocumentInfo.FileName, target);
        EXPECT_FALSE(child.isModified());
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), c.target == QLatin1String("MAJ.RTF") ? 1 : 2);
        child.subWindow()->close();
        settle();
    }
}

TEST_F(DocumentFilesTest, UpperCaseExtensionsChooseTheMode)
{
    TMDIChild &plain = open(writeFile(QStringLiteral("NOTES.TXT"), "ligne 1\r\nligne 2"));
    EXPECT_TRUE(plain.DocumentInfo.PlainText);
    EXPECT_EQ(plain.RichEdit->toPlainText(), QStringLiteral("ligne 1\nligne 2"));
    EXPECT_TRUE(plain.DocumentInfo.Named);
    EXPECT_TRUE(plain.Ruler->isHidden());

    TMDIChild &rich = open(writeFile(QStringLiteral("LETTRE.RTF"), "{\\rtf1\\ansi {\\b Gras} normal}"));
    EXPECT_FALSE(rich.DocumentInfo.PlainText);
    EXPECT_EQ(rich.RichEdit->toPlainText(), QStringLiteral("Gras normal"));
    EXPECT_FALSE(rich.isModified());

    EXPECT_EQ(ProgramOptions().Open, folder.path());
}

TEST_F(DocumentFilesTest, OpenDialogRemembersFolderAndFilter)
{
    ProgramOptions().Filter = 2;
    QDir(folder.path()).mkdir(QStringLiteral("sous"));
    const QString file = writeFile(QStringLiteral("sous/a.txt"), "a");
    modal.answerOpenFile(file);
    modal.answerOpenFile(QString()); // second opening, cancelled
    run("FileOpenItem");
    const FileDialogRequest &first = modal.shown().front().file;
    EXPECT_EQ(first.filterIndex, 1);
    EXPECT_EQ(first.filters.size(), 3);
    EXPECT_EQ(first.filters.at(1), QStringLiteral("Fichiers au format Texte (*.txt)"));
    EXPECT_EQ(ProgramOptions().Open, path(QStringLiteral("sous")));
    run("FileOpenItem");
    EXPECT_EQ(modal.shown().back().file.directory, path(QStringLiteral("sous")));
}

TEST_F(DocumentFilesTest, PlainTextIsWrittenBackInTheEncodingItWasFoundIn)
{
    const QByteArray utf8Lf = "été\nhiver\n";
    TMDIChild &child = open(writeFile(QStringLiteral("saisons.txt"), utf8Lf));
    type(QStringLiteral("« "));
    run("FileSaveItem");
    EXPECT_EQ(readFile(path(QStringLiteral("saisons.txt"))), QByteArray("« été\nhiver\n"));
    EXPECT_FALSE(child.isModified());
}

TEST_F(DocumentFilesTest, ReadOnlyFileIsNeverOverwrittenBySave)
{
    const QString locked = writeFile(QStringLiteral("verrou.txt"), "original");
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    open(locked);
    type(QStringLiteral("ajout "));

    const QString copy = path(QStringLiteral("copie.txt"));
    modal.answerMessage(QMessageBox::Ok);
    modal.answerSaveFile(locked); // the dialog refuses a read-only file and asks again
    modal.answerMessage(QMessageBox::Ok);
    modal.answerSaveFile(copy);
    run("FileSaveItem");

    const auto messages = messageTexts();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], locked + ReadOnlyNote);
    EXPECT_EQ(messages[1], locked + ReadOnlyNote);
    EXPECT_EQ(modal.messages().front().icon, QMessageBox::Warning);
    EXPECT_EQ(readFile(locked), QByteArray("original"));
    EXPECT_EQ(readFile(copy), QByteArray("ajout original"));
    EXPECT_EQ(active().DocumentInfo.FileName, copy);
}

TEST_F(DocumentFilesTest, ReadOnlyDocumentBecomesEditableOnceSavedUnderAName)
{
    run("FileNewItem");
    type(QStringLiteral("déchiffré"));
    active().setReadOnly(true);
    const QString before = active().DocumentInfo.FileName;
    const QString target = path(QStringLiteral("clair.rtf"));
    modal.answerMessage(QMessageBox::Ok);
    modal.answerSaveFile(target);
    run("FileSaveItem");
    EXPECT_EQ(messageTexts(), std::vector<QString>{before + ReadOnlyNote});
    EXPECT_FALSE(active().isReadOnly());
    EXPECT_TRUE(item("PolicesItem").isEnabled());
    EXPECT_TRUE(readFile(target).contains("d\\'e9chiffr\\'e9") || readFile(target).contains("chiffr"));
}

TEST_F(DocumentFilesTest, FailedWriteKeepsTheOldFileAndTheDocumentModified)
{
    const QString original = writeFile(QStringLiteral("garde.txt"), "ancien contenu");
    TMDIChild &child = open(original);
    type(QStringLiteral("nouveau "));

    // A folder that is a regular file: nothing can be written there, whoever runs the test.
    const QString impossible = original + QStringLiteral("/autre.txt");
    modal.answerSaveFile(impossible);
    modal.answerMessage(QMessageBox::Ok);
    run("FileSaveAsItem");
    EXPECT_EQ(messageTexts(), std::vector<QString>{impossible + WriteFailed});
    EXPECT_EQ(modal.messages().back().icon, QMessageBox::Critical);
    EXPECT_EQ(readFile(original), QByteArray("ancien contenu"));
    EXPECT_TRUE(child.isModified());
    EXPECT_EQ(child.DocumentInfo.FileName, original);
    EXPECT_TRUE(child.DocumentInfo.Named);
    EXPECT_EQ(child.windowTitle(), QStringLiteral("garde.txt"));

    // Save in place onto a path that became a folder fails the same way and changes nothing.
    QFile::remove(original);
    QDir(folder.path()).mkdir(QStringLiteral("garde.txt"));
    modal.answerMessage(QMessageBox::Ok);
    run("FileSaveItem");
    EXPECT_EQ(messageTexts().back(), original + WriteFailed);
    EXPECT_TRUE(child.isModified());
    EXPECT_TRUE(QFileInfo(original).isDir());
}

TEST_F(DocumentFilesTest, CloseAsksAboutChangesOnly)
{
    run("FileNewItem");
    run("FileCloseItem");
    EXPECT_EQ(documents(), 0);
    EXPECT_TRUE(modal.messages().empty());
}

TEST_F(DocumentFilesTest, CloseQuestionAnswers)
{
    // Cancel keeps the document open and modified.
    run("FileNewItem");
    type(QStringLiteral("brouillon"));
    modal.answerMessage(QMessageBox::Cancel);
    run("FileCloseItem");
    EXPECT_EQ(documents(), 1);
    EXPECT_TRUE(active().isModified());
    const auto question = modal.messages().back();
    EXPECT_EQ(question.text, closeQuestion(QStringLiteral("SansNom1.rtf")));
    EXPECT_EQ(question.icon, QMessageBox::Question);
    EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    // Yes, then a cancelled Save As: the document would be lost, so it stays.
    modal.answerMessage(QMessageBox::Yes);
    modal.answerSaveFile(QString());
    run("FileCloseItem");
    EXPECT_EQ(documents(), 1);

    // Yes and a name: saved, then closed.
    const QString target = path(QStringLiteral("brouillon.rtf"));
    modal.answerMessage(QMessageBox::Yes);
    modal.answerSaveFile(target);
    run("FileCloseItem");
    EXPECT_EQ(documents(), 0);
    EXPECT_TRUE(readFile(target).contains("brouillon"));

    // No: closed without writing anything.
    TMDIChild &child = open(target);
    type(QStringLiteral("perdu "));
    modal.answerMessage(QMessageBox::No);
    run("FileCloseItem");
    (void)child;
    EXPECT_EQ(documents(), 0);
    EXPECT_FALSE(readFile(target).contains("perdu"));
}

TEST_F(DocumentFilesTest, CloseAllClosesTheOthersWhenOneIsKept)
{
    run("FileNewItem");
    type(QStringLiteral("un"));
    TMDIChild *first = form->ActiveChild;
    run("FileNewItem");
    type(QStringLiteral("deux"));
    run("FileNewItem");

    // From the last to the first: the third closes silently, the second is dropped, the first kept.
    modal.answerMessage(QMessageBox::No);
    modal.answerMessage(QMessageBox::Cancel);
    run("FileCloseAllItem");
    EXPECT_EQ(messageTexts(), (std::vector<QString>{closeQuestion(QStringLiteral("SansNom2.rtf")),
                                                     closeQuestion(QStringLiteral("SansNom1.rtf"))}));
    ASSERT_EQ(documents(), 1);
    EXPECT_EQ(form->DocumentWindows().front(), first);
    EXPECT_EQ(form->ActiveChild, first);
    EXPECT_FALSE(form->Updating);
}

TEST_F(DocumentFilesTest, ExitStopsWhenADocumentIsKept)
{
    run("FileNewItem");
    type(QStringLiteral("x"));
    modal.answerMessage(QMessageBox::Cancel);
    run("FileExitItem");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(documents(), 1);

    modal.answerMessage(QMessageBox::No);
    run("FileExitItem");
    EXPECT_FALSE(form->isVisible());
}

TEST_F(DocumentFilesTest, RichToPlainAndBackLosesFormattingAndRenames)
{
    const QString file = writeFile(QStringLiteral("mise.rtf"), "{\\rtf1\\ansi Texte {\\b gras}\\par}");
    TMDIChild &child = open(file);
    QTextCursor bold(child.RichEdit->document());
    bold.setPosition(7);
    ASSERT_TRUE(bold.charFormat().font().bold());

    // No: nothing changes.
    modal.answerMessage(QMessageBox::No);
    run("BrutItem");
    EXPECT_FALSE(child.DocumentInfo.PlainText);
    EXPECT_TRUE(item("EnrichiItem").isChecked());

    modal.answerMessage(QMessageBox::Yes);
    run("BrutItem");
    EXPECT_EQ(modal.messages().back().text, ToPlainQuestion);
    EXPECT_EQ(modal.messages().back().icon, QMessageBox::Warning);
    EXPECT_EQ(modal.messages().back().buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(child.DocumentInfo.PlainText);
    EXPECT_EQ(child.DocumentInfo.FileName, path(QStringLiteral("mise.txt")));
    EXPECT_EQ(child.windowTitle(), QStringLiteral("mise.txt"));
    EXPECT_FALSE(child.DocumentInfo.Named);
    EXPECT_TRUE(child.isModified());
    EXPECT_TRUE(child.Ruler->isHidden());
    EXPECT_EQ(child.RichEdit->toPlainText(), QStringLiteral("Texte gras"));
    EXPECT_FALSE(QTextCursor(child.RichEdit->document()).charFormat().font().bold());
    EXPECT_NE(item("BrutItem").menu(), nullptr);
    EXPECT_FALSE(item("PolicesItem").isEnabled());

    run("EnrichiItem");
    EXPECT_FALSE(child.DocumentInfo.PlainText);
    EXPECT_EQ(child.DocumentInfo.FileName, path(QStringLiteral("mise.rtf")));
    EXPECT_EQ(child.windowTitle(), QStringLiteral("mise.rtf"));
    EXPECT_FALSE(child.DocumentInfo.Named);
    EXPECT_EQ(item("BrutItem").menu(), nullptr);
    EXPECT_TRUE(item("PolicesItem").isEnabled());
    QTextCursor after(child.RichEdit->document());
    after.setPosition(7);
    EXPECT_FALSE(after.charFormat().font().bold());

    // Not bound to a file any more: Save asks for a name.
    modal.answerSaveFile(QString());
    run("FileSaveItem");
    EXPECT_EQ(modal.shown().back().kind, ScriptedModal::Kind::SaveFile);
}

TEST_F(DocumentFilesTest, PlainTextFontItemsNeverMarkTheDocumentModified)
{
    ProgramOptions().Proportional = false;
    TMDIChild &child = open(writeFile(QStringLiteral("p.txt"), "abc"));
    ASSERT_NE(form->ProportionnelItem, nullptr);
    EXPECT_TRUE(form->NonProportionnelItem->isChecked());
    EXPECT_EQ(child.RichEdit->document()->defaultFont().family(), QStringLiteral("Courier New"));

    form->ProportionnelItem->trigger();
    EXPECT_TRUE(child.DocumentInfo.Proportional);
    EXPECT_EQ(child.RichEdit->document()->defaultFont().family(), QStringLiteral("Arial"));
    EXPECT_FALSE(child.isModified());

    type(QStringLiteral("x"));
    form->NonProportionnelItem->trigger();
    EXPECT_TRUE(child.isModified());
    EXPECT_FALSE(child.DocumentInfo.Proportional);
    EXPECT_EQ(child.RichEdit->toPlainText(), QStringLiteral("xabc"));
}

TEST_F(DocumentFilesTest, OpenByNameTakesExistingDocumentsOnly)
{
    form->OpenDocumentByName(path(QStringLiteral("absent.txt")));
    form->OpenDocumentByName(folder.path());
    // A container goes to decryption, which asks for its password first: cancelled here.
    modal.answerDialog([](QDialog &dialog) { dialog.reject(); });
    form->OpenDocumentByName(writeFile(QStringLiteral("secret.COD"), "PC1"));
    ASSERT_FALSE(modal.shown().empty());
    EXPECT_EQ(modal.shown().back().text, QStringLiteral("Ouverture"));
    EXPECT_EQ(documents(), 0);

    form->OpenDocumentByName(writeFile(QStringLiteral("arg.txt"), "argument"));
    ASSERT_EQ(documents(), 1);
    EXPECT_FALSE(active().DocumentInfo.Named);
    EXPECT_EQ(active().RichEdit->toPlainText(), QStringLiteral("argument"));
}

TEST_F(DocumentFilesTest, UnreadableFileGivesTheReadErrorAndNoWindow)
{
    QDir(folder.path()).mkdir(QStringLiteral("dossier.txt"));
    const QString name = path(QStringLiteral("dossier.txt"));
    modal.answerOpenFile(name);
    modal.answerMessage(QMessageBox::Ok);
    run("FileOpenItem");
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{name + QStringLiteral("\r\n\r\nUne erreur s'est produite durant la lecture de ce fichier.")});
    EXPECT_EQ(documents(), 0);
}

} // namespace
} // namespace ombre::test
