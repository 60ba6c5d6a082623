// Sealing a file chosen on disk and writing it back through SaveCrypter.

#include "command_fixture.h"

#include "cipher/container.h"

namespace ombre::test {
namespace {

const QString kEncryptedNotice = QStringLiteral("Le fichier crypté a été enregistré à cet emplacement.");
const QString kDecryptedNotice = QStringLiteral("Le fichier décrypté a été enregistré à cet emplacement.");

class FileCommandTest : public CommandTest {
protected:
    // Seals `source` with the current options and checks the success message.
    void seal(const QString &source, const QString &container, const QString &owner = "Jean Dupont")
    {
        modal.answerOpenFile(source);
        answerEncrypt(QStringLiteral("Lune"));
        modal.answerMessage(QMessageBox::Ok);
        const std::size_t before = modal.messages().size();
        encryptExistingFile(host);
        ASSERT_EQ(modal.messages().size(), before + 1);
        const ScriptedModal::Shown message = modal.messages().back();
        EXPECT_EQ(message.icon, QMessageBox::Information);
        EXPECT_EQ(message.text, QStringLiteral("\r\n") + path(container) + QStringLiteral("\r\n\r\n") + kEncryptedNotice
                                    + QStringLiteral("\r\n\r\nCrypté au nom de : ") + owner);
        EXPECT_TRUE(keyWiped());
    }
};

TEST_F(FileCommandTest, AFileIsSealedAndWrittenBackUnchanged)
{
    // Larger than one piece, so that sealing and armouring run over several pieces.
    const QByteArray original = binarySample(3 * 1024 * 1024 + 17);
    write(path("rapport.pdf"), original);

    for (const int uuEncode : {0, 1, 2}) {
        SCOPED_TRACE(uuEncode);
        ProgramOptions().UUEncode = uuEncode;
        const QString container = QStringLiteral("rapport") + TCodage::encryptExtension(uuEncode);
        host.captions.clear();
        host.positions.clear();
        seal(path("rapport.pdf"), container);
        EXPECT_EQ(read(path("rapport.pdf")), original) << "the source is only read";

        QStringList captions{"Analyse...", "Cryptage en cours..."};
        std::vector<int> positions;
        for (int p = 1; p <= 99; ++p)
            positions.push_back(p); // 100 positions need one byte more than the file has
        if (uuEncode != 0) {
            captions << "UUEncodage en cours...";
            EXPECT_TRUE(read(path(container)).startsWith("begin 64 rapport.cod\r\n"));
            for (int p = 0; p <= 100; p += 10)
                positions.push_back(p);
        }
        EXPECT_EQ(host.captions, captions << "-");
        EXPECT_EQ(host.positions, positions);

        answerChoose(container, QStringLiteral("Lune"));
        modal.answerSaveFile(path("copie.pdf"));
        modal.answerMessage(QMessageBox::Ok);
        const std::size_t before = modal.messages().size();
        host.captions.clear();
        decryptChosenContainer(host);
        EXPECT_EQ(read(path("copie.pdf")), original);
        // The bar is hidden while SaveCrypter asks for the target, then shows the content being
        // deciphered into it.
        QStringList decrypting{"Analyse..."};
        if (uuEncode != 0)
            decrypting << "UUDécodage en cours...";
        EXPECT_EQ(host.captions, decrypting << "Décryptage en cours..." << "-" << "Analyse..." << "Décryptage en cours..." << "-");

        const std::vector<ScriptedModal::Shown> &shown = modal.shown();
        const auto saveDialog = std::find_if(shown.begin(), shown.end(), [](const ScriptedModal::Shown &s) {
            return s.kind == ScriptedModal::Kind::SaveFile;
        });
        ASSERT_NE(saveDialog, shown.end());
        EXPECT_EQ(saveDialog->file.fileName, QStringLiteral("rapport.pdf"));
        EXPECT_EQ(saveDialog->file.directory, folder.path());
        EXPECT_TRUE(saveDialog->file.confirmOverwrite);
        ASSERT_EQ(modal.messages().size(), before + 1);
        EXPECT_EQ(modal.messages().back().icon, QMessageBox::Information);
        EXPECT_EQ(modal.messages().back().text, QStringLiteral("\r\n") + path("copie.pdf") + QStringLiteral("\r\n\r\n")
                                                    + kDecryptedNotice + QStringLiteral("\r\n\r\nCrypté au nom de : Jean Dupont"));
        EXPECT_TRUE(keyWiped());
        QFile::remove(path("copie.pdf"));
        QFile::remove(path(container));
    }
}

TEST_F(FileCommandTest, AnEmptyFileGivesHeaderAndOwnerOnly)
{
    write(path("vide.txt"), QByteArray());
    seal(path("vide.txt"), QStringLiteral("vide.cod"));
    EXPECT_EQ(read(path("vide.cod")).size(), 1 + 7 + 8 + 11);
}

TEST_F(FileCommandTest, TheOwnerInTheMessagesFollowsTheOwnerCheckAndTheOption)
{
    write(path("note.txt"), "x");
    ProgramOptions().OwnerName.clear();
    seal(path("note.txt"), QStringLiteral("note.cod"), QStringLiteral("Inconnue"));

    ProgramOptions().OwnerName = QStringLiteral("R2-D2");
    QFile::remove(path("note.cod"));
    seal(path("note.txt"), QStringLiteral("note.cod"), QStringLiteral("Inconnue"));

    // Without the authenticity option the decrypted-file message ends with the notice.
    ProgramOptions().Authenticity = false;
    answerChoose(QStringLiteral("note.cod"), QStringLiteral("Lune"));
    modal.answerSaveFile(path("retour.txt"));
    modal.answerMessage(QMessageBox::Ok);
    decryptChosenContainer(host);
    EXPECT_EQ(modal.messages().back().text,
              QStringLiteral("\r\n") + path("retour.txt") + QStringLiteral("\r\n\r\n") + kDecryptedNotice);
}

// The only sealed copy is never replaced by what it deciphers to: SaveCrypter asks again.
TEST_F(FileCommandTest, TheDecryptedFileNeverReplacesItsContainer)
{
    write(path("rapport.pdf"), "contenu");
    seal(path("rapport.pdf"), QStringLiteral("rapport.cod"));
    const QByteArray sealed = read(path("rapport.cod"));
    answerChoose(QStringLiteral("rapport.cod"), QStringLiteral("Lune"));
    modal.answerSaveFile(path("rapport.cod"));
    modal.answerMessage(QMessageBox::Ok);
    modal.answerSaveFile(QString());
    const std::size_t messages = modal.messages().size();
    decryptChosenContainer(host);
    ASSERT_EQ(modal.messages().size(), messages + 1);
    EXPECT_EQ(modal.messages().back().icon, QMessageBox::Warning);
    EXPECT_EQ(modal.messages().back().text, QStringLiteral("\r\n") + path("rapport.cod")
                                                + QStringLiteral("\r\n\r\nLe fichier décrypté ne peut pas remplacer son conteneur."));
    EXPECT_EQ(read(path("rapport.cod")), sealed);
    EXPECT_TRUE(keyWiped());
}

TEST_F(FileCommandTest, CancellingAnyDialogWritesNothing)
{
    write(path("rapport.pdf"), "contenu");
    modal.answerOpenFile(QString());
    encryptExistingFile(host);
    modal.answerOpenFile(path("rapport.pdf"));
    answerCancel();
    encryptExistingFile(host);
    EXPECT_EQ(folderContents(), QStringList{"rapport.pdf"});

    seal(path("rapport.pdf"), QStringLiteral("rapport.cod"));
    answerChoose(QStringLiteral("rapport.cod"), QStringLiteral("Lune"));
    modal.answerSaveFile(QString());
    const std::size_t messages = modal.messages().size();
    decryptChosenContainer(host);
    EXPECT_EQ(modal.messages().size(), messages) << "a cancelled SaveCrypter shows nothing";
    EXPECT_EQ(folderContents(), (QStringList{"rapport.cod", "rapport.pdf"}));
    EXPECT_TRUE(keyWiped());
}

TEST_F(FileCommandTest, AFailureKeepsTheReplacedContainerIntact)
{
    write(path("rapport.pdf"), "contenu");
    write(path("rapport.cod"), "ancien conteneur");
    modal.answerOpenFile(path("rapport.pdf"));
    // The source disappears once the target is chosen: reading it fails half-way into the command.
    answerForm<TCodage>(modal, [this](TCodage &dialog) {
        dialog.EditCode->setText(QStringLiteral("Lune"));
        click(dialog.BtnCrypter);
        QFile::remove(path("rapport.pdf"));
    });
    modal.answerMessage(QMessageBox::Yes);
    modal.answerMessage(QMessageBox::Ok);
    encryptExistingFile(host);

    ASSERT_EQ(modal.messages().size(), 2u);
    EXPECT_EQ(modal.messages()[1].icon, QMessageBox::Critical);
    EXPECT_EQ(modal.messages()[1].text,
              QStringLiteral("\r\nUne erreur est intervenue lors de la sauvegarde. Veuillez vérifier SVP."));
    EXPECT_EQ(read(path("rapport.cod")), QByteArray("ancien conteneur"));
    EXPECT_EQ(folderContents(), QStringList{"rapport.cod"}) << "no temporary file stays behind";
    EXPECT_FALSE(host.progress.Shown());
    EXPECT_TRUE(keyWiped());
}

TEST_F(FileCommandTest, ASaveCrypterFailureShowsTheLoadingError)
{
    write(path("rapport.pdf"), "contenu");
    seal(path("rapport.pdf"), QStringLiteral("rapport.cod"));
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("dossier/plein")));
    answerChoose(QStringLiteral("rapport.cod"), QStringLiteral("Lune"));
    modal.answerSaveFile(path("dossier")); // a folder cannot be replaced by the file
    modal.answerMessage(QMessageBox::Ok);
    decryptChosenContainer(host);
    EXPECT_EQ(modal.messages().back().icon, QMessageBox::Critical);
    EXPECT_EQ(modal.messages().back().text,
              QStringLiteral("\r\nUne erreur est intervenue lors du chargement. Veuillez vérifier SVP."));
    EXPECT_TRUE(QDir(path("dossier/plein")).exists());
}

TEST_F(FileCommandTest, AHeaderNameThatLeavesTheFolderIsReducedToABareName)
{
    // A container made elsewhere whose header names a path.
    CipherState cipher;
    CipherSetKey(cipher, "Lune");
    const std::vector<std::uint8_t> bytes = SealContainer(cipher, ContainerContent::File, "../../etc/passwd", "",
                                                          std::vector<std::uint8_t>{'x'});
    write(path("piege.cod"), QByteArray(reinterpret_cast<const char *>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    answerChoose(QStringLiteral("piege.cod"), QStringLiteral("Lune"));
    modal.answerSaveFile(QString());
    decryptChosenContainer(host);
    const auto saveDialog = std::find_if(modal.shown().begin(), modal.shown().end(), [](const ScriptedModal::Shown &s) {
        return s.kind == ScriptedModal::Kind::SaveFile;
    });
    ASSERT_NE(saveDialog, modal.shown().end());
    EXPECT_EQ(saveDialog->file.fileName, QStringLiteral("passwd"));
}

} // namespace
} // namespace ombre::test
