// What decryption refuses, how it recognises armours, and the ways in other than the command:
// dropped files and names from the command line.

#include "command_fixture.h"

namespace ombre::test {
namespace {

const QString kFormatMessage = QStringLiteral("Le format ou la version de ce fichier n'est pas reconnu.");
const QString kLoadError = QStringLiteral("\r\nUne erreur est intervenue lors du chargement. Veuillez vérifier SVP.");

class DecryptInputTest : public CommandTest {
protected:
    // A document container sealed by the program, armoured as `uuEncode` says.
    QString sealDocument(const QString &document, int uuEncode)
    {
        ProgramOptions().UUEncode = uuEncode;
        host.documentFileName = QStringLiteral("/documents/") + document;
        host.documentStream = "Texte secret.\r\n";
        answerEncrypt(QStringLiteral("Lune"));
        encryptCurrentDocument(host);
        return path(QFileInfo(document).completeBaseName() + TCodage::encryptExtension(uuEncode));
    }
};

TEST_F(DecryptInputTest, UnknownVersionsAndRenamedArmoursAreRefusedWithThePath)
{
    const QString sealed = sealDocument(QStringLiteral("lettre.rtf"), 0);
    QByteArray version1 = read(sealed);
    version1[4] = 1;
    QByteArray version3 = read(sealed);
    version3[4] = 3;
    QByteArray signature = read(sealed);
    signature[1] = 'X';
    write(path("v1.cod"), version1);
    write(path("v3.cod"), version3);
    write(path("signature.cod"), signature);
    write(path("vide.cod"), QByteArray());
    write(path("court.cod"), read(sealed).left(9)); // ends inside its header
    QFile::copy(sealDocument(QStringLiteral("lettre.rtf"), 1), path("renomme.cod"));

    for (const QString name : {"v1.cod", "v3.cod", "signature.cod", "vide.cod", "court.cod", "renomme.cod"}) {
        SCOPED_TRACE(name.toStdString());
        host.captions.clear();
        answerChoose(name, QStringLiteral("Lune"));
        modal.answerMessage(QMessageBox::Ok);
        decryptChosenContainer(host);
        EXPECT_EQ(modal.messages().back().icon, QMessageBox::Warning);
        EXPECT_EQ(modal.messages().back().text, QStringLiteral("\r\n") + path(name) + QStringLiteral("\r\n\r\n") + kFormatMessage);
        EXPECT_TRUE(host.decryptedDocuments.empty());
        EXPECT_FALSE(host.progress.Shown()) << "the progress window goes before the message";
        EXPECT_TRUE(keyWiped());
    }
}

TEST_F(DecryptInputTest, TheArmourIsChosenByTheExtensionInAnyCase)
{
    QFile::rename(sealDocument(QStringLiteral("lettre.rtf"), 2), path("LETTRE.XXE"));
    host.captions.clear();
    answerOuverture(QStringLiteral("Lune"));
    askPasswordAndDecrypt(host, path("LETTRE.XXE"));
    ASSERT_EQ(host.decryptedDocuments.size(), 1u);
    EXPECT_EQ(host.decryptedDocuments[0].Content, QByteArray("Texte secret.\r\n"));
    EXPECT_EQ(host.captions, (QStringList{"Analyse...", "UUDécodage en cours...", "Décryptage en cours...", "-"}));

    // The same text read as UUE holds characters outside the UUE alphabet.
    QFile::rename(path("LETTRE.XXE"), path("lettre.uue"));
    answerOuverture(QStringLiteral("Lune"));
    modal.answerMessage(QMessageBox::Ok);
    askPasswordAndDecrypt(host, path("lettre.uue"));
    EXPECT_EQ(modal.messages().back().icon, QMessageBox::Critical);
    EXPECT_EQ(modal.messages().back().text, kLoadError);
    EXPECT_EQ(host.decryptedDocuments.size(), 1u);
}

TEST_F(DecryptInputTest, AnInvalidArmourCharacterGivesTheLoadingError)
{
    const QString sealed = sealDocument(QStringLiteral("lettre.rtf"), 1);
    QList<QByteArray> lines = read(sealed).split('\n');
    ASSERT_GE(lines.size(), 3);
    lines[1][5] = 'a'; // lower case: not in the UUE alphabet
    write(sealed, lines.join('\n'));
    answerChoose(QStringLiteral("lettre.uue"), QStringLiteral("Lune"));
    modal.answerMessage(QMessageBox::Ok);
    decryptChosenContainer(host);
    ASSERT_EQ(modal.messages().size(), 1u);
    EXPECT_EQ(modal.messages()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(modal.messages()[0].text, kLoadError);
    EXPECT_TRUE(host.decryptedDocuments.empty());
    EXPECT_FALSE(host.progress.Shown());
    EXPECT_TRUE(host.window.isEnabled());
    EXPECT_TRUE(keyWiped());
}

TEST_F(DecryptInputTest, ADocumentNamedTxtOpensAsPlainTextWhateverItsBytes)
{
    host.documentStream = "{\\rtf1 faux}";
    ProgramOptions().UUEncode = 0;
    host.documentFileName = QStringLiteral("/documents/lettre.txt");
    answerEncrypt(QStringLiteral("Lune"));
    encryptCurrentDocument(host);
    answerChoose(QStringLiteral("lettre.cod"), QStringLiteral("Lune"));
    decryptChosenContainer(host);
    ASSERT_EQ(host.decryptedDocuments.size(), 1u);
    EXPECT_EQ(host.decryptedDocuments[0].SourceName, QStringLiteral("lettre.txt"));
}

TEST_F(DecryptInputTest, DroppedContainersAskOneByOneAndOtherFilesOpenDirectly)
{
    sealDocument(QStringLiteral("a.txt"), 0);
    sealDocument(QStringLiteral("b.txt"), 0);
    write(path("memo.rtf"), "{\\rtf1 memo}");

    QStringList namesShown;
    answerForm<TOuverture>(modal, [&namesShown](TOuverture &dialog) {
        namesShown << dialog.EditName->text();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Décryptage"));
        click(dialog.BtnAnnuler); // the first container is skipped, the next still asks
    });
    answerForm<TOuverture>(modal, [&namesShown](TOuverture &dialog) {
        namesShown << dialog.EditName->text();
        dialog.EditCode->setText(QStringLiteral("Lune"));
        click(dialog.BtnDecrypter);
    });
    openDroppedFiles(host, {path("memo.rtf"), path("a.cod"), path("b.cod")});

    EXPECT_EQ(host.broughtToFront, 1);
    EXPECT_EQ(host.openedFiles, QStringList{path("memo.rtf")});
    EXPECT_EQ(namesShown, (QStringList{"a.cod", "b.cod"}));
    ASSERT_EQ(host.decryptedDocuments.size(), 1u);
    EXPECT_EQ(host.decryptedDocuments[0].SourceName, QStringLiteral("b.txt"));
    EXPECT_TRUE(keyWiped());
}

TEST_F(DecryptInputTest, OuvertureRefusesEmptyLongAndUnusablePasswords)
{
    const struct {
        QString password, text;
    } cases[] = {
        {"", "\r\nUn mot de passe est requis pour décrypter ce fichier."},
        {"onzecaracts", "\r\nLe mot de passe ne doit pas comporter plus de 10 caractères."},
        {"月", "\r\nLe mot de passe contient un caractère qui ne peut pas servir de clé (seuls les caractères de "
               "Windows-1252 sont admis)."},
    };
    for (const auto &c : cases) {
        TOuverture dialog(nullptr, false);
        dialog.show();
        dialog.EditCode->setText(c.password);
        modal.answerMessage(QMessageBox::Ok);
        click(dialog.BtnDecrypter);
        EXPECT_EQ(modal.messages().back().icon, QMessageBox::Warning);
        EXPECT_EQ(modal.messages().back().text, c.text);
        EXPECT_TRUE(dialog.isVisible());
    }
    TOuverture masked(nullptr, true);
    EXPECT_EQ(masked.EditCode->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(masked.EditName->isReadOnly());
    EXPECT_EQ(masked.EditName->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(masked.BtnDecrypter->text(), QStringLiteral("&Décrypter"));
    EXPECT_EQ(masked.BtnAnnuler->text(), QStringLiteral("&Annuler"));
    EXPECT_TRUE(masked.BtnDecrypter->isDefault());
}

TEST_F(DecryptInputTest, AContentOfUnknownTypeDecryptsWithoutVisibleResult)
{
    QByteArray bytes = read(sealDocument(QStringLiteral("x.txt"), 0));
    bytes[5] = 2;
    write(path("x.cod"), bytes);
    answerChoose(QStringLiteral("x.cod"), QStringLiteral("Lune"));
    decryptChosenContainer(host);
    EXPECT_TRUE(host.decryptedDocuments.empty());
    EXPECT_TRUE(modal.messages().empty());
    EXPECT_TRUE(keyWiped());
}

} // namespace
} // namespace ombre::test
