// Sealing the active document and opening the container again, end to end through the dialogs.

#include "command_fixture.h"
#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"

#include <QTextCursor>
#include <QTextDocument>

namespace ombre::test {
namespace {

QByteArray richStream()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("Chère Amélie,\n"));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("Rendez-vous à l'Étoile à 18 h."), bold);
    return rtf::writeRtf(document);
}

QString richText(const QByteArray &rtf)
{
    QTextDocument document;
    rtf::readRtf(rtf, document);
    return document.toPlainText();
}

class DocumentCommandTest : public CommandTest {};

TEST_F(DocumentCommandTest, SealedDocumentsOpenAgainWithTheirTextModeAndOwner)
{
    const struct Case {
        QString document;
        QByteArray stream;
        int uuEncode;
        bool readOnly, authenticity;
    } cases[] = {
        {"lettre.rtf", richStream(), 0, true, true},
        {"lettre.rtf", richStream(), 1, false, true},
        {"lettre.rtf", richStream(), 2, true, false},
        {"notes.txt", "Liste :\r\n- pain\r\n- caf\xE9\r\n", 0, false, false},
        {"notes.txt", "Liste :\r\n- pain\r\n- caf\xE9\r\n", 1, true, true},
        {"notes.txt", "Liste :\r\n- pain\r\n- caf\xE9\r\n", 2, false, true},
    };
    const QString extensions[] = {".cod", ".uue", ".xxe"};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.document.toStdString() + " armour " + std::to_string(c.uuEncode));
        TProgramOptions &options = ProgramOptions();
        options.UUEncode = c.uuEncode;
        options.ReadOnly = c.readOnly;
        options.Authenticity = c.authenticity;
        host.documentFileName = QStringLiteral("/documents/") + c.document;
        host.documentStream = c.stream;
        host.captions.clear();
        host.decryptedDocuments.clear();

        answerEncrypt(QStringLiteral("Lune"));
        encryptCurrentDocument(host);
        const QString container = QFileInfo(c.document).completeBaseName() + extensions[c.uuEncode];
        ASSERT_TRUE(QFile::exists(path(container)));
        EXPECT_TRUE(modal.messages().empty()) << "sealing a document says nothing on success";
        EXPECT_TRUE(keyWiped());
        EXPECT_TRUE(host.window.isEnabled());
        QStringList expectedCaptions{"Analyse...", "Cryptage en cours..."};
        if (c.uuEncode != 0) {
            expectedCaptions << "UUEncodage en cours...";
            // The begin line names the container, whatever the armoured file is called.
            EXPECT_TRUE(read(path(container)).startsWith("begin 64 " + QFileInfo(c.document).completeBaseName().toLatin1()
                                                         + ".cod\r\n"));
        }
        EXPECT_EQ(host.captions, expectedCaptions << "-");

        host.captions.clear();
        answerChoose(container, QStringLiteral("Lune"));
        decryptChosenContainer(host);
        ASSERT_EQ(host.decryptedDocuments.size(), 1u);
        const FakeHost::OpenedDocument &opened = host.decryptedDocuments.front();
        EXPECT_EQ(opened.SourceName, c.document);
        EXPECT_EQ(opened.Content, c.stream);
        if (c.document.endsWith(QLatin1String(".rtf"))) {
            EXPECT_EQ(richText(opened.Content), richText(c.stream));
        }
        EXPECT_EQ(opened.ReadOnly, c.readOnly);
        EXPECT_EQ(opened.OwnerPanel, c.authenticity ? QStringLiteral(" Crypté au nom de : Jean Dupont") : QString());
        expectedCaptions = QStringList{"Analyse..."};
        if (c.uuEncode != 0)
            expectedCaptions << "UUDécodage en cours...";
        EXPECT_EQ(host.captions, expectedCaptions << "Décryptage en cours..." << "-");
        EXPECT_TRUE(modal.messages().empty());
        EXPECT_TRUE(keyWiped());
        QFile::remove(path(container));
    }
}

TEST_F(DocumentCommandTest, TheDialogProposesTheDocumentNameWithTheArmourExtension)
{
    const struct {
        QString document;
        int uuEncode;
        QString proposed;
    } cases[] = {
        {"/documents/lettre.rtf", 0, "lettre.cod"},
        {"/documents/lettre.rtf", 1, "lettre.uue"},
        {"/documents/Fichiers normaux/SansNom1.rtf", 2, "SansNom1.xxe"},
        {"/documents/LISEZMOI", 0, "LISEZMOI.cod"},
    };
    for (const auto &c : cases) {
        ProgramOptions().UUEncode = c.uuEncode;
        host.documentFileName = c.document;
        QString proposed;
        answerForm<TCodage>(modal, [&proposed](TCodage &dialog) {
            proposed = dialog.EditName->text();
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Crypter"));
            click(dialog.BtnAnnuler);
        });
        encryptCurrentDocument(host);
        EXPECT_EQ(proposed, c.proposed);
    }
    EXPECT_TRUE(folderContents().isEmpty()) << "cancelling writes nothing";
    EXPECT_TRUE(modal.messages().empty());
    EXPECT_EQ(host.streamRequests, 0);
    EXPECT_TRUE(keyWiped());
}

TEST_F(DocumentCommandTest, NothingHappensWithoutAnActiveDocument)
{
    host.updating = true;
    encryptCurrentDocument(host); // the scripted seam fails the test if anything opens
    EXPECT_TRUE(modal.shown().empty());
}

TEST_F(DocumentCommandTest, EmptyPlainDocumentWithoutOwnerIsTheHeaderAlone)
{
    ProgramOptions().OwnerName.clear();
    host.documentFileName = QStringLiteral("/documents/a.txt");
    host.documentStream.clear();
    answerEncrypt(QStringLiteral("Lune"));
    encryptCurrentDocument(host);
    const QByteArray bytes = read(path("a.cod"));
    ASSERT_EQ(bytes.size(), 1 + 12);
    EXPECT_TRUE(bytes.startsWith(QByteArray::fromHex("0C5043310200" "0005")));
    EXPECT_TRUE(host.positions.empty()) << "nothing to encipher, nothing to show";
}

TEST_F(DocumentCommandTest, TheBarCountsOwnerNameAndTextTogether)
{
    // 11 owner bytes and 39 text bytes: below Max, the bar moves by one per byte.
    host.documentFileName = QStringLiteral("/documents/court.txt");
    host.documentStream = QByteArray(39, 'x');
    answerEncrypt(QStringLiteral("Lune"));
    encryptCurrentDocument(host);
    std::vector<int> expected;
    for (int p = 1; p <= 50; ++p)
        expected.push_back(p);
    EXPECT_EQ(host.positions, expected);
}

TEST_F(DocumentCommandTest, TheSameDocumentSealedTwiceGivesIdenticalBytes)
{
    for (const int uuEncode : {0, 1}) {
        ProgramOptions().UUEncode = uuEncode;
        host.documentStream = richStream();
        const QString container = uuEncode == 0 ? QStringLiteral("lettre.cod") : QStringLiteral("lettre.uue");
        answerEncrypt(QStringLiteral("Lune"));
        encryptCurrentDocument(host);
        const QByteArray first = read(path(container));
        answerEncrypt(QStringLiteral("Lune"), QMessageBox::Yes);
        encryptCurrentDocument(host);
        EXPECT_FALSE(first.isEmpty());
        EXPECT_EQ(read(path(container)), first);
    }
}

TEST_F(DocumentCommandTest, AWriteFailureShowsTheSaveErrorAndLeavesEverythingAsItWas)
{
    // A folder stands where the container should go: it cannot be replaced by a file.
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("lettre.cod/dedans")));
    host.documentStream = richStream();
    answerEncrypt(QStringLiteral("Lune"), QMessageBox::Yes);
    modal.answerMessage(QMessageBox::Ok);
    encryptCurrentDocument(host);

    ASSERT_EQ(modal.messages().size(), 2u);
    EXPECT_EQ(modal.messages()[1].icon, QMessageBox::Critical);
    EXPECT_EQ(modal.messages()[1].text,
              QStringLiteral("\r\nUne erreur est intervenue lors de la sauvegarde. Veuillez vérifier SVP."));
    EXPECT_EQ(modal.messages()[1].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(folderContents(), QStringList{"lettre.cod"});
    EXPECT_TRUE(QDir(path("lettre.cod/dedans")).exists());
    EXPECT_FALSE(host.progress.Shown());
    EXPECT_TRUE(host.window.isEnabled());
    EXPECT_TRUE(keyWiped());
}

TEST_F(DocumentCommandTest, AWrongPasswordOpensOtherBytesUnderTheDefaultOwner)
{
    host.documentFileName = QStringLiteral("/documents/notes.txt");
    host.documentStream = "Rendez-vous demain.";
    answerEncrypt(QStringLiteral("Lune"));
    encryptCurrentDocument(host);
    answerChoose(QStringLiteral("notes.cod"), QStringLiteral("Soleil"));
    decryptChosenContainer(host);
    ASSERT_EQ(host.decryptedDocuments.size(), 1u);
    EXPECT_NE(host.decryptedDocuments[0].Content, host.documentStream);
    EXPECT_EQ(host.decryptedDocuments[0].OwnerPanel, QStringLiteral(" Crypté au nom de : Inconnue"));
    EXPECT_TRUE(modal.messages().empty());
}

} // namespace
} // namespace ombre::test
