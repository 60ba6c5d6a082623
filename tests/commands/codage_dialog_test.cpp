// TCodage in its three modes: what it shows, how its options and lists behave, and the checks of
// its action button.

#include "cipher/cipher.h"
#include "commands/codage_dialog.h"
#include "commands/drive_combo_box.h"
#include "commands/file_list_box.h"
#include "commands/filter_combo_box.h"
#include "commands/folder_list_box.h"
#include "settings/options.h"
#include "support/scripted_modal.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace ombre {
namespace {

using test::ScriptedModal;

void touch(const QString &path, const QByteArray &bytes = "x")
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList filterEntries(const FilterComboBox &filter)
{
    QStringList entries;
    for (int i = 0; i < filter.count(); ++i)
        entries << filter.itemText(i) + QLatin1Char('|') + filter.itemData(i).toString();
    return entries;
}

QStringList listed(const FileListBox &list)
{
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names << list.item(i)->text();
    return names;
}

class CodageTest : public ::testing::Test {
protected:
    CodageTest()
    {
        options.Code = folder.path();
        options.UUEncode = 0;
        options.Options = false;
    }

    // Encrypt mode as the commands open it: the target proposed from the source's name.
    std::unique_ptr<TCodage> openToSeal(const QString &source)
    {
        auto dialog = std::make_unique<TCodage>(nullptr, options, cipher);
        dialog->Mode = TCodage::ModeEncrypt;
        dialog->SourceName = source;
        dialog->EditName->setText(dialog->proposedName());
        dialog->show();
        return dialog;
    }

    std::unique_ptr<TCodage> open(std::uint8_t mode, const QString &name = QString())
    {
        auto dialog = std::make_unique<TCodage>(nullptr, options, cipher);
        dialog->Mode = mode;
        if (!name.isNull())
            dialog->EditName->setText(name);
        dialog->show();
        return dialog;
    }

    QTemporaryDir folder;
    TProgramOptions options;
    CipherState cipher;
    ScriptedModal modal;
};

TEST_F(CodageTest, EachModeHasItsTitleButtonFolderLabelAndFilter)
{
    struct Case {
        std::uint8_t mode;
        QString title, caption, hint, labelDir;
        bool optionsButton, nameReadOnly;
        QStringList filter;
        int passwordLimit;
    };
    const QStringList cod{QStringLiteral("Fichiers codage (*.cod)|*.cod")};
    // age files are recognised by their content: any file may be chosen to be opened.
    const QStringList age{QStringLiteral("Fichiers age (*.age)|*.age"), QStringLiteral("Tous les fichiers (*)|*")};
    const Case cases[] = {
        {TCodage::ModeDecrypt, "Décrypter", "&Décrypter", "Décrypte le document ou le fichier", "Origine", false,
         true, cod + QStringList{"Fichiers UUE (*.uue)|*.uue", "Fichiers XXE (*.xxe)|*.xxe"} + age, 1024},
        {TCodage::ModeEncrypt, "Crypter", "&Crypter", "Crypte le document ou le fichier", "Destination", true, false,
         cod, 10},
        {TCodage::ModeAuthenticate, "Authentifier", "&Authentifier", "Authentifie le document ou le fichier",
         "Origine", false, true, cod + age, 1024},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        auto dialog = open(c.mode);
        EXPECT_EQ(dialog->windowTitle(), c.title);
        EXPECT_EQ(dialog->BtnCrypter->text(), c.caption);
        EXPECT_EQ(dialog->BtnCrypter->toolTip(), c.hint);
        EXPECT_TRUE(dialog->BtnCrypter->isDefault());
        EXPECT_EQ(dialog->LabelDir->text(), c.labelDir);
        EXPECT_EQ(dialog->BtnOptions->isVisible(), c.optionsButton);
        EXPECT_EQ(dialog->EditName->isReadOnly(), c.nameReadOnly);
        EXPECT_EQ(filterEntries(*dialog->Filter), c.filter);
        EXPECT_EQ(dialog->EditName->text(), QStringLiteral("*.cod"));
        EXPECT_EQ(dialog->EditCode->maxLength(), c.passwordLimit);
        EXPECT_EQ(dialog->width(), 480);
        EXPECT_EQ(dialog->height(), dialog->FoldedHeight);
    }
}

TEST_F(CodageTest, FixedTextsOfTheControls)
{
    auto dialog = open(TCodage::ModeEncrypt);
    EXPECT_EQ(dialog->Label1->text(), QStringLiteral("Mot de passe"));
    EXPECT_EQ(dialog->Label2->text(), QStringLiteral("Nom du fichier crypté"));
    EXPECT_EQ(dialog->BtnAide->text(), QStringLiteral(" &Aide"));
    EXPECT_EQ(dialog->BtnAnnuler->text(), QStringLiteral("A&nnuler"));
    EXPECT_EQ(dialog->BtnOptions->text(), QStringLiteral("&Options"));
    EXPECT_EQ(dialog->BoxOptions->title(), QStringLiteral(" Options "));
    EXPECT_EQ(dialog->CheckUUE->text(),
              QStringLiteral("Encoder le fichier crypté (fichier .cod) au format UUE (UUEncode + somme de contrôle)"));
    EXPECT_EQ(dialog->CheckXXE->text(),
              QStringLiteral("Encoder le fichier crypté (fichier .cod) au format  XXE (XXEncode + somme de contrôle)"));
    EXPECT_EQ(dialog->EditCode->toolTip(), QStringLiteral("Mot de passe (clé de codage)"));
    EXPECT_EQ(dialog->Directory->toolTip(), QStringLiteral("Liste des répertoires"));
    EXPECT_EQ(dialog->Drive->toolTip(), QStringLiteral("Listes des unités disponibles"));
    EXPECT_EQ(dialog->FileList->toolTip(), QStringLiteral("Listes des fichiers disponibles (suivant filtre)"));
    EXPECT_EQ(dialog->Filter->toolTip(), QStringLiteral("Filtre(s) de sélection"));
    EXPECT_EQ(dialog->EditName->toolTip(), QStringLiteral("Nom du fichier choisi"));
    EXPECT_EQ(dialog->CheckUUE->toolTip(), QStringLiteral("Encodage supplémentaire pour messagerie"));
}

TEST_F(CodageTest, EncryptModeFilterAndExtensionFollowTheArmourOption)
{
    const struct {
        int uuEncode;
        QString filter, name;
    } cases[] = {
        {0, "Fichiers codage (*.cod)|*.cod", "rapport.cod"},
        {1, "Fichiers UUE (*.uue)|*.uue", "rapport.uue"},
        {2, "Fichiers XXE (*.xxe)|*.xxe", "rapport.xxe"},
    };
    for (const auto &c : cases) {
        options.UUEncode = c.uuEncode;
        auto dialog = open(TCodage::ModeEncrypt, QStringLiteral("rapport.pdf"));
        EXPECT_EQ(filterEntries(*dialog->Filter), QStringList{c.filter});
        EXPECT_EQ(dialog->EditName->text(), c.name);
        EXPECT_EQ(dialog->CheckUUE->isChecked(), c.uuEncode == 1);
        EXPECT_EQ(dialog->CheckXXE->isChecked(), c.uuEncode == 2);
    }
}

TEST_F(CodageTest, ArmourCheckBoxesExcludeEachOtherAndChangeTheOptionAtOnce)
{
    options.UUEncode = 1;
    options.Options = true;
    auto dialog = open(TCodage::ModeEncrypt, QStringLiteral("rapport.uue"));

    dialog->CheckXXE->click();
    EXPECT_FALSE(dialog->CheckUUE->isChecked());
    EXPECT_EQ(options.UUEncode, 2);
    EXPECT_EQ(filterEntries(*dialog->Filter), QStringList{"Fichiers XXE (*.xxe)|*.xxe"});
    EXPECT_EQ(dialog->EditName->text(), QStringLiteral("rapport.xxe"));

    dialog->CheckXXE->click();
    EXPECT_EQ(options.UUEncode, 0);
    EXPECT_EQ(dialog->EditName->text(), QStringLiteral("rapport.cod"));

    dialog->CheckUUE->click();
    EXPECT_EQ(options.UUEncode, 1);
    EXPECT_EQ(dialog->EditName->text(), QStringLiteral("rapport.uue"));

    dialog->reject(); // cancelling keeps the option as it was set
    EXPECT_EQ(options.UUEncode, 1);
}

const QString kUueCaption =
    QStringLiteral("Encoder le fichier crypté (fichier .cod) au format UUE (UUEncode + somme de contrôle)");
const QString kAgeArmourCaption =
    QStringLiteral("Armure texte : fichier crypté (.age) en texte imprimable, pour la messagerie");

TEST_F(CodageTest, TheFormatChoosesNameFilterArmourBoxAndPasswordLimit)
{
    const struct {
        int format, uuEncode;
        QString name, filter, uueCaption;
        bool uueChecked, xxeEnabled, xxeChecked;
        int passwordLimit;
    } cases[] = {
        {FormatCompatible, 0, "lettre.cod", "Fichiers codage (*.cod)|*.cod", kUueCaption, false, true, false, 10},
        {FormatCompatible, 2, "lettre.xxe", "Fichiers XXE (*.xxe)|*.xxe", kUueCaption, false, true, true, 10},
        {FormatAge, 0, "lettre.rtf.age", "Fichiers age (*.age)|*.age", kAgeArmourCaption, false, false, false, 1024},
        // Either compatible armour asks for age's one text armour.
        {FormatAge, 1, "lettre.rtf.age", "Fichiers age (*.age)|*.age", kAgeArmourCaption, true, false, false, 1024},
        {FormatAge, 2, "lettre.rtf.age", "Fichiers age (*.age)|*.age", kAgeArmourCaption, true, false, false, 1024},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name.toStdString() + " " + std::to_string(c.uuEncode));
        options.Format = c.format;
        options.UUEncode = c.uuEncode;
        options.Options = true;
        auto dialog = openToSeal(QStringLiteral("lettre.rtf"));
        EXPECT_EQ(dialog->EditName->text(), c.name);
        EXPECT_EQ(filterEntries(*dialog->Filter), QStringList{c.filter});
        EXPECT_EQ(dialog->RadioAge->isChecked(), c.format == FormatAge);
        EXPECT_EQ(dialog->RadioCompatible->isChecked(), c.format == FormatCompatible);
        EXPECT_TRUE(dialog->BoxFormat->isVisible());
        EXPECT_EQ(dialog->BoxFormat->title(), QStringLiteral(" Format "));
        EXPECT_EQ(dialog->CheckUUE->text(), c.uueCaption);
        EXPECT_EQ(dialog->CheckUUE->isChecked(), c.uueChecked);
        EXPECT_EQ(dialog->CheckXXE->isEnabled(), c.xxeEnabled);
        EXPECT_EQ(dialog->CheckXXE->isChecked(), c.xxeChecked);
        EXPECT_EQ(dialog->EditCode->maxLength(), c.passwordLimit);
    }
    // age keeps the source's whole name, whatever its extension.
    options.Format = FormatAge;
    EXPECT_EQ(openToSeal(QStringLiteral("rapport.pdf"))->EditName->text(), QStringLiteral("rapport.pdf.age"));
    EXPECT_EQ(openToSeal(QStringLiteral("vieux.age"))->EditName->text(), QStringLiteral("vieux.age.age"));
}

TEST_F(CodageTest, SwitchingTheFormatKeepsTheCompatibleArmourAndFollowsTheSource)
{
    options.UUEncode = 2;
    options.Options = true;
    auto dialog = openToSeal(QStringLiteral("lettre.rtf"));
    EXPECT_EQ(dialog->EditName->text(), QStringLiteral("lettre.xxe"));

    dialog->RadioAge->click();
    EXPECT_EQ(options.Format, FormatAge) << "the choice is kept at once, as the armour's";
    EXPECT_EQ(dialog->EditName->text(), QStringLiteral("lettre.rtf.age"));
    EXPECT_EQ(options.UUEncode, 2) << "the compatible armour stays as it was chosen";
    dialog->RadioCompatible->click();
    EXPECT_EQ(dialog->EditName->text(), QStringLiteral("lettre.xxe"));
    EXPECT_TRUE(dialog->CheckXXE->isChecked());

    // Under age the one box turns the armour on and off.
    dialog->RadioAge->click();
    dialog->CheckUUE->click();
    EXPECT_EQ(options.UUEncode, 0);
    dialog->CheckUUE->click();
    EXPECT_EQ(options.UUEncode, 1);

    // A passphrase longer than a compatible password is forgotten, never cut to ten characters.
    dialog->EditCode->setText(QStringLiteral("une longue phrase de passe"));
    dialog->RadioCompatible->click();
    EXPECT_EQ(options.Format, FormatCompatible);
    EXPECT_EQ(dialog->EditName->text(), QStringLiteral("lettre.uue"));
    EXPECT_TRUE(dialog->EditCode->text().isEmpty());
    EXPECT_EQ(dialog->EditCode->maxLength(), 10);

    // A name the user typed keeps its stem.
    dialog->EditName->setText(QStringLiteral("courrier.uue"));
    dialog->RadioAge->click();
    EXPECT_EQ(dialog->EditName->text(), QStringLiteral("courrier.age"));
    dialog->EditCode->setText(QStringLiteral("Lune"));
    dialog->RadioCompatible->click();
    EXPECT_EQ(dialog->EditName->text(), QStringLiteral("courrier.uue"));
    EXPECT_EQ(dialog->EditCode->text(), QStringLiteral("Lune")) << "a short password stays";
}

// Under age the typed text is the passphrase itself: it is kept for the format's writer, and the
// compatible cipher's key is never loaded.
TEST_F(CodageTest, UnderAgeTheAcceptedPassphraseIsKeptAsText)
{
    options.Format = FormatAge;
    auto dialog = openToSeal(QStringLiteral("lettre.rtf"));
    dialog->EditName->setText(QStringLiteral("copie.rtf")); // typed: the extension is added
    dialog->EditCode->setText(QStringLiteral("Clé de la Lune, bien plus longue que dix"));
    dialog->BtnCrypter->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->AgeTarget);
    EXPECT_EQ(dialog->AgePassphrase.value, QStringLiteral("Clé de la Lune, bien plus longue que dix").toUtf8());
    EXPECT_EQ(dialog->OutputPath, QDir(folder.path()).absoluteFilePath(QStringLiteral("copie.rtf.age")));
    EXPECT_EQ(cipher, CipherState{});
    EXPECT_TRUE(dialog->EditCode->text().isEmpty());
}

// The rule of the target's format applies: the format chosen to seal, the one the chosen file
// is in (by its content) to open or authenticate.
TEST_F(CodageTest, EachFormatChecksItsOwnPasswordRule)
{
    touch(folder.filePath("lettre.rtf.age"), "age-encryption.org/v1\n-> scrypt");
    touch(folder.filePath("sans-extension"), "-----BEGIN AGE ENCRYPTED FILE-----\n");
    touch(folder.filePath("lettre.cod"), QByteArray::fromHex("0C50433102000005"));
    const QString eleven = QStringLiteral("onzecaracts");
    const QString tooLong = QString(600, QChar(0xE9)); // 600 characters, 1,200 bytes
    const QString compatibleTooLong = QStringLiteral("\r\nLe mot de passe ne doit pas comporter plus de 10 caractères.");
    const QString ageTooLong = QStringLiteral("\r\nLe mot de passe ne doit pas dépasser 1 024 octets.");
    const struct {
        std::uint8_t mode;
        int format;
        QString file, password, refusal; // no refusal: accepted
        bool ageTarget;
    } cases[] = {
        {TCodage::ModeEncrypt, FormatCompatible, "", eleven, compatibleTooLong, false},
        {TCodage::ModeEncrypt, FormatAge, "", eleven, "", true},
        {TCodage::ModeEncrypt, FormatAge, "", tooLong, ageTooLong, true},
        {TCodage::ModeDecrypt, FormatCompatible, "lettre.rtf.age", eleven, "", true},
        {TCodage::ModeDecrypt, FormatCompatible, "sans-extension", eleven, "", true},
        {TCodage::ModeDecrypt, FormatAge, "lettre.cod", eleven, compatibleTooLong, false},
        {TCodage::ModeDecrypt, FormatCompatible, "lettre.rtf.age", tooLong, ageTooLong, true},
        {TCodage::ModeAuthenticate, FormatCompatible, "lettre.rtf.age", eleven, "", true},
        {TCodage::ModeAuthenticate, FormatCompatible, "lettre.cod", eleven, compatibleTooLong, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + c.file.toStdString() + " " + std::to_string(c.password.size()));
        ScriptedModal script;
        options.Format = c.format;
        auto dialog = c.mode == TCodage::ModeEncrypt ? openToSeal(QStringLiteral("note.txt")) : open(c.mode);
        if (!c.file.isEmpty()) {
            dialog->Filter->setCurrentIndex(dialog->Filter->count() - 1); // all files
            dialog->FileList->selectFile(c.file);
        }
        dialog->EditCode->setMaxLength(32767); // set another way than typing: the rule still holds
        // A copy of its own: the dialog wipes what its field held, for every owner of the buffer.
        dialog->EditCode->setText(QString(c.password.constData(), c.password.size()));
        if (!c.refusal.isEmpty())
            script.answerMessage(QMessageBox::Ok);
        dialog->BtnCrypter->click();
        if (c.refusal.isEmpty()) {
            EXPECT_EQ(dialog->result(), QDialog::Accepted);
            EXPECT_EQ(dialog->AgeTarget, c.ageTarget);
            EXPECT_EQ(dialog->AgePassphrase.value, c.password.toUtf8());
        } else {
            ASSERT_EQ(script.messages().size(), 1u);
            EXPECT_EQ(script.messages()[0].icon, QMessageBox::Warning);
            EXPECT_EQ(script.messages()[0].text, c.refusal);
            EXPECT_TRUE(dialog->isVisible());
        }
        EXPECT_EQ(cipher, CipherState{}) << "no key: either refused, or the passphrase is kept as text";
    }
}

TEST_F(CodageTest, OptionsButtonFoldsAndUnfoldsThePanel)
{
    auto dialog = open(TCodage::ModeEncrypt);
    EXPECT_EQ(dialog->OpenHeight, dialog->FoldedHeight + dialog->BevelBas->height() + 5);
    EXPECT_EQ(dialog->height(), dialog->FoldedHeight);
    EXPECT_FALSE(dialog->BoxOptions->isVisible());

    dialog->BtnOptions->click();
    EXPECT_TRUE(options.Options);
    EXPECT_EQ(dialog->height(), dialog->OpenHeight);
    EXPECT_EQ(dialog->OpenHeight, 411);
    EXPECT_TRUE(dialog->BoxOptions->isVisible());
    EXPECT_TRUE(dialog->CheckUUE->isVisible());
    EXPECT_EQ(dialog->BtnOptions->icon().cacheKey(), dialog->ImageList[3].cacheKey());

    dialog->BtnOptions->click();
    EXPECT_FALSE(options.Options);
    EXPECT_EQ(dialog->height(), dialog->FoldedHeight);
    EXPECT_EQ(dialog->BtnOptions->icon().cacheKey(), dialog->ImageList[2].cacheKey());

    // The panel is open at once when the option says so; never in the other modes.
    options.Options = true;
    EXPECT_EQ(open(TCodage::ModeEncrypt)->height(), dialog->OpenHeight);
    EXPECT_EQ(open(TCodage::ModeDecrypt)->height(), dialog->FoldedHeight);
}

TEST_F(CodageTest, PasswordFieldMasksByOption)
{
    options.Password = true;
    EXPECT_EQ(open(TCodage::ModeDecrypt)->EditCode->echoMode(), QLineEdit::Password);
    options.Password = false;
    EXPECT_EQ(open(TCodage::ModeDecrypt)->EditCode->echoMode(), QLineEdit::Normal);
}

TEST_F(CodageTest, OpensInTheLastTargetFolderOrElseTheDocumentsFolder)
{
    EXPECT_EQ(open(TCodage::ModeEncrypt)->Directory->directory(), QDir(folder.path()).absolutePath());
    options.Code = folder.filePath(QStringLiteral("gone"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(documents);
    EXPECT_EQ(open(TCodage::ModeEncrypt)->Directory->directory(), QDir(documents).absolutePath());
}

TEST_F(CodageTest, FileListShowsMatchingFilesAndHandsTheChosenNameToTheNameField)
{
    touch(folder.filePath("a.cod"));
    touch(folder.filePath("B.COD"));
    touch(folder.filePath("c.uue"));
    touch(folder.filePath(".cache.cod"));
    QDir(folder.path()).mkdir(QStringLiteral("sub.cod"));

    auto decrypt = open(TCodage::ModeDecrypt);
    EXPECT_EQ(listed(*decrypt->FileList), (QStringList{".cache.cod", "a.cod", "B.COD"}));
    decrypt->Filter->setCurrentIndex(1);
    EXPECT_EQ(listed(*decrypt->FileList), QStringList{"c.uue"});
    EXPECT_EQ(decrypt->EditName->text(), QStringLiteral("*.uue")) << "a bound name field shows the mask";
    decrypt->FileList->selectFile(QStringLiteral("c.uue"));
    EXPECT_EQ(decrypt->EditName->text(), QStringLiteral("c.uue"));

    // Encrypt mode: a typed name stays until a file is picked to be replaced.
    auto encrypt = open(TCodage::ModeEncrypt, QStringLiteral("nouveau.cod"));
    encrypt->FileList->setMask(QStringLiteral("*.cod"));
    EXPECT_EQ(encrypt->EditName->text(), QStringLiteral("nouveau.cod"));
    encrypt->FileList->selectFile(QStringLiteral("a.cod"));
    EXPECT_EQ(encrypt->EditName->text(), QStringLiteral("a.cod"));
}

TEST_F(CodageTest, FolderListOpensFoldersAndTheFileListFollows)
{
    QDir(folder.path()).mkdir(QStringLiteral("archives"));
    touch(folder.filePath("archives/vieux.cod"));
    auto dialog = open(TCodage::ModeDecrypt);
    EXPECT_TRUE(dialog->FileList->count() == 0);

    QTreeWidgetItem *archives = nullptr;
    for (QTreeWidgetItemIterator it(dialog->Directory); *it; ++it)
        if ((*it)->text(0) == QLatin1String("archives"))
            archives = *it;
    ASSERT_NE(archives, nullptr);
    emit dialog->Directory->itemActivated(archives, 0);
    EXPECT_EQ(dialog->Directory->directory(), QDir(folder.filePath("archives")).absolutePath());
    EXPECT_EQ(listed(*dialog->FileList), QStringList{"vieux.cod"});
}

TEST_F(CodageTest, ADriveThatIsNotReadyIsReportedAndTheListGoesBack)
{
    auto dialog = open(TCodage::ModeDecrypt);
    const QString before = dialog->Drive->rootPath();
    const QString gone = folder.filePath(QStringLiteral("demonte"));
    dialog->Drive->addVolume(gone);
    modal.answerMessage(QMessageBox::Ok);
    dialog->Drive->setCurrentIndex(dialog->Drive->count() - 1);

    ASSERT_EQ(modal.messages().size(), 1u);
    EXPECT_EQ(modal.messages()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(modal.messages()[0].text,
              QStringLiteral("\r\nLe disque ") + gone + QStringLiteral(" n'est pas prêt. Veuillez vérifier SVP."));
    EXPECT_EQ(dialog->Drive->rootPath(), before);
    EXPECT_EQ(dialog->Directory->directory(), QDir(folder.path()).absolutePath());
}

TEST_F(CodageTest, RefusedEntriesKeepTheDialogOpen)
{
    const struct {
        QString password, name;
        QMessageBox::Icon icon;
        QString text;
    } cases[] = {
        {"", "lettre.cod", QMessageBox::Information, "\r\nUn mot de passe est requis pour réaliser l'opération."},
        {"secret", "dossier/", QMessageBox::Information, "\r\nLe nom de fichier n'est pas valide."},
        {"secret", "*.cod", QMessageBox::Information, "\r\nLe nom de fichier n'est pas valide."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name.toStdString() + " / " + c.text.toStdString());
        ScriptedModal script;
        auto dialog = open(TCodage::ModeEncrypt);
        dialog->EditName->setText(c.name); // typed by the user
        dialog->EditCode->setText(c.password);
        script.answerMessage(QMessageBox::Ok);
        dialog->BtnCrypter->click();
        ASSERT_EQ(script.messages().size(), 1u);
        EXPECT_EQ(script.messages()[0].icon, c.icon);
        EXPECT_EQ(script.messages()[0].text, c.text);
        EXPECT_EQ(script.messages()[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
}

TEST_F(CodageTest, TooLongPasswordIsRefused)
{
    // The field takes ten characters; a longer text set another way is still refused.
    auto dialog = open(TCodage::ModeEncrypt, QStringLiteral("x.cod"));
    dialog->EditCode->setMaxLength(32767);
    dialog->EditCode->setText(QStringLiteral("onzecaracts"));
    modal.answerMessage(QMessageBox::Ok);
    dialog->BtnCrypter->click();
    ASSERT_EQ(modal.messages().size(), 1u);
    EXPECT_EQ(modal.messages()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(modal.messages()[0].text, QStringLiteral("\r\nLe mot de passe ne doit pas comporter plus de 10 caractères."));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(CodageTest, EncryptAcceptsANewTargetAndLoadsTheKey)
{
    options.UUEncode = 1;
    auto dialog = open(TCodage::ModeEncrypt, QStringLiteral("sous/lettre.txt"));
    dialog->EditCode->setText(QStringLiteral("Lune"));
    dialog->BtnCrypter->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->EditName->text(), QStringLiteral("lettre.uue"));
    EXPECT_EQ(dialog->OutputPath, QDir(folder.path()).absoluteFilePath(QStringLiteral("lettre.uue")));
    EXPECT_EQ(options.Code, QDir::toNativeSeparators(QDir(folder.path()).absolutePath()));
    EXPECT_TRUE(dialog->EditCode->text().isEmpty()) << "the password field is emptied on closing";

    CipherState expected;
    CipherSetKey(expected, "Lune");
    EXPECT_EQ(cipher, expected);
}

TEST_F(CodageTest, ReplacingAnExistingTargetIsAsked)
{
    touch(folder.filePath("lettre.cod"));
    const QString target = QDir(folder.path()).absoluteFilePath(QStringLiteral("lettre.cod"));
    const QString question = target + QStringLiteral("\r\n\r\nCe fichier existe déjà. Voulez-vous le remplacer ?");

    auto dialog = open(TCodage::ModeEncrypt, QStringLiteral("lettre.cod"));
    dialog->EditCode->setText(QStringLiteral("Lune"));
    modal.answerMessage(QMessageBox::No);
    dialog->BtnCrypter->click();
    ASSERT_EQ(modal.messages().size(), 1u);
    EXPECT_EQ(modal.messages()[0].text, question);
    EXPECT_EQ(modal.messages()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(modal.messages()[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(dialog->isVisible());

    modal.answerMessage(QMessageBox::Yes);
    dialog->BtnCrypter->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->OutputPath, target);
}

TEST_F(CodageTest, DecryptAndAuthenticateNeedAnExistingFile)
{
    touch(folder.filePath("lettre.cod"));
    for (const std::uint8_t mode : {TCodage::ModeDecrypt, TCodage::ModeAuthenticate}) {
        ScriptedModal script;
        auto dialog = open(mode);
        dialog->EditCode->setText(QStringLiteral("Lune"));
        script.answerMessage(QMessageBox::Ok);
        dialog->BtnCrypter->click(); // the name field still shows the mask
        ASSERT_EQ(script.messages().size(), 1u);
        EXPECT_EQ(script.messages()[0].icon, QMessageBox::Critical);
        EXPECT_EQ(script.messages()[0].text,
                  QDir(folder.path()).absoluteFilePath(QStringLiteral("*.cod"))
                      + QStringLiteral("\r\n\r\nCe fichier n'est pas accessible. Veuillez vérifier SVP."));
        EXPECT_TRUE(dialog->isVisible());

        dialog->FileList->selectFile(QStringLiteral("lettre.cod"));
        dialog->BtnCrypter->click();
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(dialog->OutputPath, QDir(folder.path()).absoluteFilePath(QStringLiteral("lettre.cod")));
    }
}

TEST_F(CodageTest, DoubleClickOnAFileActsAsTheActionButton)
{
    touch(folder.filePath("lettre.cod"));
    auto dialog = open(TCodage::ModeDecrypt);
    dialog->EditCode->setText(QStringLiteral("Lune"));
    dialog->FileList->selectFile(QStringLiteral("lettre.cod"));
    emit dialog->FileList->itemActivated(dialog->FileList->currentItem());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(CodageTest, CancelAndEscapeReject)
{
    auto dialog = open(TCodage::ModeEncrypt, QStringLiteral("x.cod"));
    dialog->EditCode->setText(QStringLiteral("Lune"));
    dialog->BtnAnnuler->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(dialog->EditCode->text().isEmpty());
}

} // namespace
} // namespace ombre
