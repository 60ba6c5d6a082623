// Authenticating a container: the header and owner shown in TAuthentique, and the refusals.

#include "command_fixture.h"

#include "commands/authentique_window.h"

#include <QLabel>
#include <QTest>

namespace ombre::test {
namespace {

struct Shown {
    QString fichier, algo, version, type, owner;
};

class AuthenticateTest : public CommandTest {
protected:
    // Authenticates `name` with `password` and returns what TAuthentique showed.
    Shown authenticate(const QString &name, const QString &password)
    {
        Shown shown;
        answerChoose(name, password);
        answerForm<TAuthentique>(modal, [&shown](TAuthentique &window) {
            shown = {window.LFichier->text(), window.LAlgo->text(), window.LVersion->text(), window.LType->text(),
                     window.LAuthentic->text()};
            window.accept();
        });
        authenticateContainer(host);
        return shown;
    }
};

TEST_F(AuthenticateTest, ShowsNameSignatureVersionTypeAndOwner)
{
    host.documentFileName = QStringLiteral("/documents/lettre.rtf");
    host.documentStream = "{\\rtf1 x}";
    answerEncrypt(QStringLiteral("Lune"));
    encryptCurrentDocument(host);
    write(path("rapport.pdf"), "%PDF");
    modal.answerOpenFile(path("rapport.pdf"));
    answerEncrypt(QStringLiteral("Lune"));
    modal.answerMessage(QMessageBox::Ok);
    encryptExistingFile(host);

    const Shown document = authenticate(QStringLiteral("lettre.cod"), QStringLiteral("Lune"));
    EXPECT_EQ(document.fichier, QStringLiteral("lettre.rtf"));
    EXPECT_EQ(document.algo, QStringLiteral("PC1"));
    EXPECT_EQ(document.version, QStringLiteral("2"));
    EXPECT_EQ(document.type, QStringLiteral("Document"));
    EXPECT_EQ(document.owner, QStringLiteral("Jean Dupont"));
    EXPECT_TRUE(keyWiped());

    const Shown file = authenticate(QStringLiteral("rapport.cod"), QStringLiteral("Lune"));
    EXPECT_EQ(file.fichier, QStringLiteral("rapport.pdf"));
    EXPECT_EQ(file.type, QStringLiteral("Fichier"));

    // A wrong password is no error: the owner fails its check.
    EXPECT_EQ(authenticate(QStringLiteral("rapport.cod"), QStringLiteral("Soleil")).owner, QStringLiteral("Inconnue"));
    EXPECT_TRUE(modal.messages().size() == 1u) << "only the sealing message was shown";
    EXPECT_TRUE(keyWiped());

    // An unknown content type leaves the design text.
    QByteArray bytes = read(path("rapport.cod"));
    bytes[5] = 7;
    write(path("autre.cod"), bytes);
    EXPECT_EQ(authenticate(QStringLiteral("autre.cod"), QStringLiteral("Lune")).type, QStringLiteral("Type"));
}

TEST_F(AuthenticateTest, AnEmptyOwnerShowsTheDefaultOwnerText)
{
    ProgramOptions().OwnerName.clear();
    host.documentFileName = QStringLiteral("/documents/lettre.rtf");
    answerEncrypt(QStringLiteral("Lune"));
    encryptCurrentDocument(host);
    EXPECT_EQ(authenticate(QStringLiteral("lettre.cod"), QStringLiteral("Lune")).owner, QStringLiteral("Inconnue"));
}

TEST_F(AuthenticateTest, UnknownFormatsAreRefusedWithThePath)
{
    write(path("v1.cod"), QByteArray::fromHex("0C50433101000005") + "abcde");
    answerChoose(QStringLiteral("v1.cod"), QStringLiteral("Lune"));
    modal.answerMessage(QMessageBox::Ok);
    authenticateContainer(host);
    ASSERT_EQ(modal.messages().size(), 1u);
    EXPECT_EQ(modal.messages()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(modal.messages()[0].text, QStringLiteral("\r\n") + path("v1.cod")
                                            + QStringLiteral("\r\n\r\nLe format ou la version de ce fichier n'est pas reconnu."));
    EXPECT_TRUE(keyWiped());
}

TEST_F(AuthenticateTest, OnlyContainersCanBeChosenAndCancellingShowsNothing)
{
    write(path("lettre.uue"), "begin 64 lettre.cod\r\n");
    answerForm<TCodage>(modal, [](TCodage &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Authentifier"));
        EXPECT_EQ(dialog.FileList->count(), 0) << "armoured files are not listed";
        EXPECT_TRUE(dialog.EditName->isReadOnly());
        dialog.EditCode->setText(QStringLiteral("Lune"));
        click(dialog.BtnAnnuler);
    });
    authenticateContainer(host);
    EXPECT_TRUE(modal.messages().empty());
    EXPECT_TRUE(keyWiped()) << "a key loaded before cancelling is wiped as well";
}

TEST_F(AuthenticateTest, AReadFailureShowsTheAuthenticationError)
{
    write(path("lettre.cod"), "x");
    answerForm<TCodage>(modal, [this](TCodage &dialog) {
        dialog.FileList->selectFile(QStringLiteral("lettre.cod"));
        dialog.EditCode->setText(QStringLiteral("Lune"));
        click(dialog.BtnCrypter);
        QFile::remove(path("lettre.cod")); // gone between the dialog and the reading
    });
    modal.answerMessage(QMessageBox::Ok);
    authenticateContainer(host);
    ASSERT_EQ(modal.messages().size(), 1u);
    EXPECT_EQ(modal.messages()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(modal.messages()[0].text, QStringLiteral("\r\nUne erreur est intervenue lors de l'authentification."));
    EXPECT_TRUE(keyWiped());
}

TEST(AuthentiqueWindow, OnlyTheOkButtonClosesIt)
{
    TAuthentique window(nullptr);
    EXPECT_EQ(window.size(), QSize(307, 287));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Authentification"));
    EXPECT_EQ(window.LAuthentic->text(), QStringLiteral("Inconnue"));
    EXPECT_EQ(window.BtnOk->text(), QStringLiteral("Ok"));
    EXPECT_EQ(window.BtnOk->geometry(), QRect(15, 250, 65, 20));
    const QList<QLabel *> labels{window.LFichier, window.LAlgo, window.LVersion, window.LType, window.LAuthentic};
    for (int i = 0; i < labels.size(); ++i)
        EXPECT_EQ(labels[i]->pos(), QPoint(95, 95 + 20 * i)) << labels[i]->objectName().toStdString();
    EXPECT_FALSE(window.Image->pixmap().isNull());

    window.show();
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    window.BtnOk->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST(AuthentiqueWindow, LongNamesAreShortenedWithTheWholeNameInTheTip)
{
    TAuthentique window(nullptr);
    const QString name = QString(120, QLatin1Char('n')) + QStringLiteral(".pdf");
    TAuthentique::setLabelText(window.LFichier, name);
    EXPECT_NE(window.LFichier->text(), name);
    EXPECT_EQ(window.LFichier->toolTip(), name);
    TAuthentique::setLabelText(window.LFichier, QStringLiteral("court.pdf"));
    EXPECT_EQ(window.LFichier->text(), QStringLiteral("court.pdf"));
    EXPECT_TRUE(window.LFichier->toolTip().isEmpty());
}

} // namespace
} // namespace ombre::test
