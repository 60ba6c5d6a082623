// The strong format end to end through the dialogs: sealing documents and files as age files,
// opening age files (recognised by their content) into windows or back to files, what a wrong
// passphrase or a damaged file leaves (nothing), and authentication.

#include "command_fixture.h"

#include "cipher/age/age.h"
#include "commands/authentique_window.h"

#include <QLabel>

namespace ombre::test {
namespace {

// Files made here for opening use a low work factor: scrypt then costs milliseconds.
constexpr int kFastWorkFactor = 10;
const QString kPassphrase = QStringLiteral("la lune est un ballon de plage");
const QString kWrongPassphrase = QStringLiteral("la lune est un ballon de foot");

const QString kEncryptedNotice = QStringLiteral("Le fichier crypté a été enregistré à cet emplacement.");
const QString kDecryptedNotice = QStringLiteral("Le fichier décrypté a été enregistré à cet emplacement.");
const QString kWrongPassphraseText =
    QStringLiteral("Le mot de passe ne permet pas d'ouvrir ce fichier. Rien n'a été ouvert.");
const QString kDamagedText = QStringLiteral(
    "Ce fichier est endommagé ou incomplet : son contenu ne peut pas être vérifié. Rien n'a été ouvert.");
const QString kNotPassphraseText = QStringLiteral(
    "Ce fichier age est crypté pour des clés et non avec un mot de passe : il ne peut pas être ouvert ici.");

std::span<const std::uint8_t> bytesOf(const QByteArray &bytes)
{
    return std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
}


QByteArray sealed(const QByteArray &plain, bool armoured = false)
{
    const std::vector<std::uint8_t> file =
        age::SealBuffer(kPassphrase.toStdString(), armoured, bytesOf(plain), {}, kFastWorkFactor);
    return QByteArray(reinterpret_cast<const char *>(file.data()), static_cast<qsizetype>(file.size()));
}

// An age file sealed for a key, not a passphrase: only its header matters here.
QByteArray sealedForAKey()
{
    const auto base64 = [](char fill) { return QByteArray(32, fill).toBase64(QByteArray::OmitTrailingEquals); };
    return "age-encryption.org/v1\n-> X25519 " + base64('a') + "\n" + base64('b') + "\n--- " + base64('c') + "\n"
           + QByteArray(40, 'p');
}

struct Opened {
    age::Result result;
    QByteArray plain;
};

// The format's own reader, apart from the commands.
Opened openWithReader(const QByteArray &file, const QString &passphrase = kPassphrase)
{
    Opened opened{age::Result::NotAge, {}};
    const std::string text = passphrase.toStdString();
    age::Reader reader(text, [&opened](std::span<const std::uint8_t> bytes) {
        opened.plain.append(reinterpret_cast<const char *>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    });
    opened.result = reader.feed(bytesOf(file));
    if (opened.result == age::Result::Ok)
        opened.result = reader.finish();
    return opened;
}

std::vector<int> oneToNinetyNine()
{
    std::vector<int> positions;
    for (int p = 1; p <= 99; ++p)
        positions.push_back(p);
    return positions;
}

class AgeCommandTest : public CommandTest {
protected:
    AgeCommandTest() { ProgramOptions().Format = FormatAge; }

    // The first save dialog shown since `mark` (an index into what the seam showed).
    const ScriptedModal::Shown *saveDialog(std::size_t mark = 0) const
    {
        for (std::size_t i = mark; i < modal.shown().size(); ++i)
            if (modal.shown()[i].kind == ScriptedModal::Kind::SaveFile)
                return &modal.shown()[i];
        return nullptr;
    }

    // The message boxes shown since `mark`.
    std::vector<ScriptedModal::Shown> messagesSince(std::size_t mark) const
    {
        std::vector<ScriptedModal::Shown> messages;
        for (std::size_t i = mark; i < modal.shown().size(); ++i)
            if (modal.shown()[i].kind == ScriptedModal::Kind::Message)
                messages.push_back(modal.shown()[i]);
        return messages;
    }

    QString aboutPath(const QString &name, const QString &sentence) const
    {
        return QStringLiteral("\r\n") + path(name) + QStringLiteral("\r\n\r\n") + sentence;
    }
};

// Sealing through the dialogs uses the real work factor (about a second each): few cases.
TEST_F(AgeCommandTest, ADocumentIsSealedToAnAgeFileThatOpensToItsExactStream)
{
    const struct {
        QString document;
        int uuEncode;
        bool armoured;
    } cases[] = {
        {"lettre.rtf", 0, false},
        {"notes.txt", 2, true}, // the compatible XXE choice asks for age's text armour
    };
    // More than one chunk, so that the bar moves with each.
    const QByteArray stream = "{\\rtf1\\ansi " + QByteArray(100000, 'x') + "}";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.document.toStdString());
        ProgramOptions().UUEncode = c.uuEncode;
        host.documentFileName = QStringLiteral("/documents/") + c.document;
        host.documentStream = stream;
        host.captions.clear();
        host.positions.clear();
        answerEncrypt(kPassphrase); // longer than a compatible password
        encryptCurrentDocument(host);

        const QByteArray file = read(path(c.document + QStringLiteral(".age")));
        EXPECT_EQ(file.startsWith("-----BEGIN AGE ENCRYPTED FILE-----\n"), c.armoured);
        const Opened opened = openWithReader(file);
        EXPECT_EQ(opened.result, age::Result::Ok);
        EXPECT_EQ(opened.plain, stream);

        EXPECT_TRUE(modal.messages().empty()) << "sealing a document says nothing on success";
        EXPECT_EQ(host.captions, (QStringList{"Analyse...", "Cryptage en cours...", "-"}));
        EXPECT_EQ(host.positions, oneToNinetyNine());
        EXPECT_EQ(ProgramOptions().UUEncode, c.uuEncode);
        EXPECT_TRUE(keyWiped()) << "the compatible key is never loaded";
        EXPECT_TRUE(host.window.isEnabled());
    }
}

TEST_F(AgeCommandTest, AFileIsSealedAsItStreamsAndWrittenBackUnchanged)
{
    const QByteArray original = binarySample(3 * 1024 * 1024 + 17);
    write(path("rapport.pdf"), original);
    for (const int uuEncode : {0, 1}) {
        SCOPED_TRACE(uuEncode);
        ProgramOptions().UUEncode = uuEncode;
        host.captions.clear();
        host.positions.clear();
        modal.answerOpenFile(path("rapport.pdf"));
        answerEncrypt(kPassphrase);
        modal.answerMessage(QMessageBox::Ok);
        encryptExistingFile(host);
        // age names no owner: the notice stands alone.
        EXPECT_EQ(modal.messages().back().icon, QMessageBox::Information);
        EXPECT_EQ(modal.messages().back().text, aboutPath("rapport.pdf.age", kEncryptedNotice));
        EXPECT_EQ(host.captions, (QStringList{"Analyse...", "Cryptage en cours...", "-"}));
        EXPECT_EQ(host.positions, oneToNinetyNine());
        EXPECT_EQ(read(path("rapport.pdf.age")).startsWith("-----BEGIN AGE ENCRYPTED FILE-----\n"), uuEncode != 0);
        EXPECT_EQ(read(path("rapport.pdf")), original) << "the source is only read";

        host.captions.clear();
        answerChoose(QStringLiteral("rapport.pdf.age"), kPassphrase);
        modal.answerSaveFile(path("copie.pdf"));
        modal.answerMessage(QMessageBox::Ok);
        decryptChosenContainer(host);
        EXPECT_EQ(read(path("copie.pdf")), original);
        ASSERT_NE(saveDialog(), nullptr);
        EXPECT_EQ(saveDialog()->file.fileName, QStringLiteral("rapport.pdf"));
        EXPECT_EQ(modal.messages().back().text, aboutPath("copie.pdf", kDecryptedNotice));
        // The bar goes while SaveCrypter asks, then shows the file being deciphered into it.
        EXPECT_EQ(host.captions, (QStringList{"Analyse...", "Décryptage en cours...", "-", "Analyse...",
                                              "Décryptage en cours...", "-"}));
        EXPECT_TRUE(keyWiped());
        QFile::remove(path("copie.pdf"));
        QFile::remove(path("rapport.pdf.age"));
    }
    EXPECT_EQ(folderContents(), QStringList{"rapport.pdf"}) << "no temporary file stays behind";
}

TEST_F(AgeCommandTest, AgeDocumentsOpenIntoAWindowByTheirContentWhateverTheirName)
{
    const QByteArray rich = "{\\rtf1\\ansi Ch\\'e8re Am\\'e9lie " + binarySample(200000).toHex() + "}";
    const struct {
        QString file;
        bool armoured;
        QByteArray content;
        QString sourceName;
        bool readOnly;
    } cases[] = {
        {"lettre.rtf.age", false, rich, "lettre.rtf", true},
        {"NOTES.TXT.AGE", true, "Liste :\r\n- pain\r\n- caf\xE9\r\n", "NOTES.TXT", false},
        {"memo.txt", false, "sans extension .age", "memo (décrypté).txt", true},
        {"vide.txt.age", false, "", "vide.txt", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        write(path(c.file), sealed(c.content, c.armoured));
        ProgramOptions().ReadOnly = c.readOnly;
        host.captions.clear();
        host.decryptedDocuments.clear();
        answerChoose(c.file, kPassphrase);
        decryptChosenContainer(host);
        ASSERT_EQ(host.decryptedDocuments.size(), 1u);
        const FakeHost::OpenedDocument &opened = host.decryptedDocuments.front();
        EXPECT_EQ(opened.SourceName, c.sourceName);
        EXPECT_EQ(opened.Content, c.content);
        EXPECT_EQ(opened.ReadOnly, c.readOnly);
        EXPECT_EQ(opened.OwnerPanel, QString()) << "age names no owner";
        EXPECT_EQ(host.captions, (QStringList{"Analyse...", "Décryptage en cours...", "-"}));
    }
    EXPECT_TRUE(modal.messages().empty());
    EXPECT_EQ(saveDialog(), nullptr);
    EXPECT_TRUE(keyWiped());
}

TEST_F(AgeCommandTest, AgeFilesAreWrittenBackThroughSaveCrypter)
{
    const QByteArray content = binarySample(70000);
    const struct {
        QString file, proposed;
    } cases[] = {
        {"x.pdf.age", "x.pdf"},
        // Without ".age" the restored file never takes the sealed file's name.
        {"archive", "archive (décrypté)"},
        {"photo.jpg", "photo (décrypté).jpg"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        const std::size_t mark = modal.shown().size();
        write(path(c.file), sealed(content, true));
        answerChoose(c.file, kPassphrase);
        modal.answerSaveFile(path("restitue"));
        modal.answerMessage(QMessageBox::Ok);
        decryptChosenContainer(host);
        ASSERT_NE(saveDialog(mark), nullptr);
        EXPECT_EQ(saveDialog(mark)->file.fileName, c.proposed);
        EXPECT_EQ(saveDialog(mark)->file.title, QStringLiteral("Enregistrer sous"));
        EXPECT_EQ(read(path("restitue")), content);
        EXPECT_EQ(modal.messages().back().text, aboutPath("restitue", kDecryptedNotice));
        QFile::remove(path("restitue"));
        QFile::remove(path(c.file));
    }

    // Cancelled: nothing is written, nothing is said.
    write(path("x.pdf.age"), sealed(content));
    answerChoose(QStringLiteral("x.pdf.age"), kPassphrase);
    modal.answerSaveFile(QString());
    const std::size_t messages = modal.messages().size();
    decryptChosenContainer(host);
    EXPECT_EQ(modal.messages().size(), messages);
    EXPECT_EQ(folderContents(), QStringList{"x.pdf.age"});

    // The sealed file itself is refused as the target.
    answerChoose(QStringLiteral("x.pdf.age"), kPassphrase);
    modal.answerSaveFile(path("x.pdf.age"));
    modal.answerMessage(QMessageBox::Ok);
    modal.answerSaveFile(QString());
    decryptChosenContainer(host);
    EXPECT_EQ(modal.messages().back().text,
              aboutPath("x.pdf.age", QStringLiteral("Le fichier décrypté ne peut pas remplacer son conteneur.")));
    EXPECT_EQ(openWithReader(read(path("x.pdf.age"))).plain, content);
}

TEST_F(AgeCommandTest, DroppedAgeFilesAskForTheirPassphraseWhateverTheirName)
{
    write(path("memo.rtf"), "{\\rtf1 memo}");
    write(path("lettre.rtf.age"), sealed("{\\rtf1 secret}"));
    write(path("photo.jpg"), sealed("JFIF", true));
    EXPECT_TRUE(isDecryptableFile(path("photo.jpg")));
    EXPECT_FALSE(isDecryptableFile(path("memo.rtf")));

    QStringList names;
    for (int i = 0; i < 2; ++i)
        answerForm<TOuverture>(modal, [&names](TOuverture &dialog) {
            names << dialog.EditName->text();
            EXPECT_EQ(dialog.EditCode->maxLength(), 1024);
            dialog.EditCode->setText(kPassphrase);
            click(dialog.BtnDecrypter);
        });
    modal.answerSaveFile(path("photo-copie.jpg"));
    modal.answerMessage(QMessageBox::Ok);
    openDroppedFiles(host, {path("memo.rtf"), path("lettre.rtf.age"), path("photo.jpg")});

    EXPECT_EQ(host.openedFiles, QStringList{path("memo.rtf")});
    EXPECT_EQ(names, (QStringList{"lettre.rtf.age", "photo.jpg"}));
    ASSERT_EQ(host.decryptedDocuments.size(), 1u);
    EXPECT_EQ(host.decryptedDocuments[0].SourceName, QStringLiteral("lettre.rtf"));
    EXPECT_EQ(host.decryptedDocuments[0].Content, QByteArray("{\\rtf1 secret}"));
    EXPECT_EQ(read(path("photo-copie.jpg")), QByteArray("JFIF"));
    EXPECT_TRUE(keyWiped());
}

TEST_F(AgeCommandTest, OuvertureChecksTheRuleOfTheFilesFormat)
{
    const struct {
        bool age;
        QString password, refusal; // no refusal: accepted
    } cases[] = {
        {true, "onzecaracts", ""},
        {false, "onzecaracts", "\r\nLe mot de passe ne doit pas comporter plus de 10 caractères."},
        {true, QString(600, QChar(0xE9)), "\r\nLe mot de passe ne doit pas dépasser 1 024 octets."},
        {true, "", "\r\nUn mot de passe est requis pour décrypter ce fichier."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.password.size());
        TOuverture dialog(nullptr, false, c.age);
        dialog.show();
        dialog.EditCode->setMaxLength(32767);
        // A copy of its own: the dialog wipes what its field held, for every owner of the buffer.
        dialog.EditCode->setText(QString(c.password.constData(), c.password.size()));
        if (!c.refusal.isEmpty())
            modal.answerMessage(QMessageBox::Ok);
        const std::size_t before = modal.messages().size();
        click(dialog.BtnDecrypter);
        EXPECT_EQ(dialog.result(), c.refusal.isEmpty() ? QDialog::Accepted : QDialog::Rejected);
        if (!c.refusal.isEmpty()) {
            ASSERT_EQ(modal.messages().size(), before + 1);
            EXPECT_EQ(modal.messages().back().icon, QMessageBox::Warning);
            EXPECT_EQ(modal.messages().back().text, c.refusal);
        }
    }
}

// Nothing is opened or written from a file that is not whole and verified: no window, no file.
TEST_F(AgeCommandTest, AWrongPassphraseOrADamagedFileOpensNothing)
{
    const QByteArray document = sealed("Texte secret.\r\n" + binarySample(70000));
    QByteArray flipped = document;
    flipped[flipped.size() - 20] = static_cast<char>(flipped[flipped.size() - 20] ^ 0x01);
    const QByteArray armoured = sealed(binarySample(100), true);
    const struct {
        const char *what;
        QByteArray file;
        QString passphrase;
        bool headerOpens; // the target of a file is asked for only then
        QString sentence;
    } cases[] = {
        {"wrong passphrase", document, kWrongPassphrase, false, kWrongPassphraseText},
        {"bit flipped", flipped, kPassphrase, true, kDamagedText},
        {"cut short", document.left(document.size() - 10), kPassphrase, true, kDamagedText},
        {"cut at the header", document.left(40), kPassphrase, false, kDamagedText},
        {"armour without its end", armoured.left(armoured.indexOf("-----END")), kPassphrase, true, kDamagedText},
        {"sealed for a key", sealedForAKey(), kPassphrase, false, kNotPassphraseText},
    };
    for (const auto &c : cases) {
        for (const QString name : {"lettre.txt.age", "rapport.pdf.age"}) {
            SCOPED_TRACE(std::string(c.what) + " " + name.toStdString());
            const std::size_t mark = modal.shown().size();
            write(path(name), c.file);
            const bool asksTarget = c.headerOpens && name == QLatin1String("rapport.pdf.age");
            answerChoose(name, c.passphrase);
            if (asksTarget)
                modal.answerSaveFile(path("rapport.pdf"));
            modal.answerMessage(QMessageBox::Ok);
            decryptChosenContainer(host);
            const std::vector<ScriptedModal::Shown> messages = messagesSince(mark);
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
            EXPECT_EQ(messages[0].text, aboutPath(name, c.sentence));
            EXPECT_EQ(saveDialog(mark) != nullptr, asksTarget);
            EXPECT_TRUE(host.decryptedDocuments.empty());
            EXPECT_EQ(folderContents(), QStringList{name}) << "no file, not even a temporary one";
            EXPECT_FALSE(host.progress.Shown());
            EXPECT_TRUE(host.window.isEnabled());
            QFile::remove(path(name));
        }
    }
}

class AgeAuthenticateTest : public AgeCommandTest {
protected:
    struct Shown {
        QString fichier, algo, version, type, authenticity;
    };

    // The whole text of a label: an elided one keeps it in its tip.
    static QString whole(const QLabel *label) { return label->toolTip().isEmpty() ? label->text() : label->toolTip(); }

    Shown authenticate(const QString &name, const QString &passphrase = kPassphrase)
    {
        Shown shown;
        answerChoose(name, passphrase);
        answerForm<TAuthentique>(modal, [&shown](TAuthentique &window) {
            shown = {window.LFichier->text(), window.LAlgo->text(), window.LVersion->text(), window.LType->text(),
                     whole(window.LAuthentic)};
            window.accept();
        });
        authenticateContainer(host);
        return shown;
    }
};

TEST_F(AgeAuthenticateTest, ShowsTheHeaderAndWhetherThePassphraseOpensIt)
{
    write(path("rapport.pdf.age"), sealed(binarySample(200000)));
    write(path("lettre.rtf.age"), sealed("{\\rtf1 x}", true));
    write(path("cle.age"), sealedForAKey());

    const Shown file = authenticate(QStringLiteral("rapport.pdf.age"));
    EXPECT_EQ(file.fichier, QStringLiteral("rapport.pdf.age"));
    EXPECT_EQ(file.algo, QStringLiteral("age v1 (scrypt, facteur 10)"));
    EXPECT_EQ(file.version, QStringLiteral("1"));
    EXPECT_EQ(file.type, QStringLiteral("Fichier"));
    EXPECT_EQ(file.authenticity, QStringLiteral("Mot de passe correct"));

    EXPECT_EQ(authenticate(QStringLiteral("rapport.pdf.age"), kWrongPassphrase).authenticity,
              QStringLiteral("Mot de passe faux"));
    EXPECT_EQ(authenticate(QStringLiteral("lettre.rtf.age")).type, QStringLiteral("Document"));

    const Shown forKeys = authenticate(QStringLiteral("cle.age"));
    EXPECT_EQ(forKeys.algo, QStringLiteral("age v1 (X25519)"));
    EXPECT_EQ(forKeys.authenticity, QStringLiteral("Crypté pour des clés"));
    EXPECT_TRUE(modal.messages().empty());
    EXPECT_TRUE(keyWiped());
}

TEST_F(AgeAuthenticateTest, ADamagedHeaderIsReportedWithoutTheWindow)
{
    QByteArray file = sealed("x");
    const qsizetype mac = file.indexOf("--- ") + 4;
    file[mac] = file[mac] == 'A' ? 'B' : 'A';
    write(path("abime.age"), file);
    answerChoose(QStringLiteral("abime.age"), kPassphrase);
    modal.answerMessage(QMessageBox::Ok);
    authenticateContainer(host);
    ASSERT_EQ(modal.messages().size(), 1u);
    EXPECT_EQ(modal.messages()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(modal.messages()[0].text, aboutPath("abime.age", kDamagedText));
}

} // namespace
} // namespace ombre::test
