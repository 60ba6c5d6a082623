#include "commands/codage_dialog.h"

#include "cipher/age/age.h"
#include "cipher/armour_kind.h"
#include "commands/age_files.h"
#include "commands/command_resources.h"
#include "commands/command_texts.h"
#include "commands/drive_combo_box.h"
#include "commands/file_list_box.h"
#include "commands/file_names.h"
#include "commands/filter_combo_box.h"
#include "commands/folder_list_box.h"
#include "commands/password.h"
#include "platform/modal.h"
#include "settings/options.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QToolButton>

namespace ombre {
namespace {

constexpr int kClientWidth = 480;

const QString FilterCod = QStringLiteral("Fichiers codage (*.cod)|*.cod");
const QString FilterUue = QStringLiteral("Fichiers UUE (*.uue)|*.uue");
const QString FilterXxe = QStringLiteral("Fichiers XXE (*.xxe)|*.xxe");
const QString FilterAge = QStringLiteral("Fichiers age (*.age)|*.age");
// age files are recognised by their content, whatever their name.
const QString FilterAll = QStringLiteral("Tous les fichiers (*)|*");
const QString FilterDecrypt = FilterCod + QLatin1Char('|') + FilterUue + QLatin1Char('|') + FilterXxe
                              + QLatin1Char('|') + FilterAge + QLatin1Char('|') + FilterAll;
const QString FilterAuthenticate = FilterCod + QLatin1Char('|') + FilterAge + QLatin1Char('|') + FilterAll;

const QString AgeExtension = QString::fromLatin1(age::kExtension.data(), qsizetype(age::kExtension.size()));

const QString UueCaption =
    QStringLiteral("Encoder le fichier crypté (fichier .cod) au format UUE (UUEncode + somme de contrôle)");
const QString AgeArmourCaption =
    QStringLiteral("Armure texte : fichier crypté (.age) en texte imprimable, pour la messagerie");

template <typename W>
W *make(QWidget *parent, const char *name, const QRect &geometry, const QString &hint = QString())
{
    auto *widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    if (!hint.isEmpty())
        widget->setToolTip(hint);
    return widget;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QRect &geometry, const QString &text)
{
    QLabel *label = make<QLabel>(parent, name, geometry);
    label->setText(text);
    return label;
}

void setButtonFaceColour(QLineEdit *edit, bool buttonFace)
{
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, QApplication::palette().color(buttonFace ? QPalette::Button : QPalette::Base));
    edit->setPalette(palette);
}

// Wildcards and control characters are allowed in some file systems but never meant here.
bool isUsableTargetName(const QString &name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control || c == QLatin1Char('*') || c == QLatin1Char('?'))
            return false;
    return true;
}

} // namespace

QString TCodage::encryptFilter(int uuEncode)
{
    switch (ArmourKindOfOption(uuEncode)) {
    case ArmourKind::Uue: return FilterUue;
    case ArmourKind::Xxe: return FilterXxe;
    case ArmourKind::Cod: break;
    }
    return FilterCod;
}

QString TCodage::encryptExtension(int uuEncode)
{
    return QString::fromLatin1(ArmourExtension(ArmourKindOfOption(uuEncode)));
}

TCodage::TCodage(QWidget *parent, TProgramOptions &options, CipherState &cipher)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint),
      options_(options), cipher_(cipher)
{
    setObjectName(QStringLiteral("Codage"));
    ensureCommandResources();
    // The form is laid out to the pixel for a small dialog font; larger ones would not fit.
    QFont dialogFont(QStringLiteral("Arial"));
    dialogFont.setPointSize(8);
    dialogFont.setStyleHint(QFont::SansSerif);
    setFont(dialogFont);
    ImageList = {QIcon(QStringLiteral(":/commands/encrypt.svg")), QIcon(QStringLiteral(":/commands/decrypt.svg")),
                 QIcon(QStringLiteral(":/commands/options-folded.svg")),
                 QIcon(QStringLiteral(":/commands/options-shown.svg"))};

    BevelHaut = make<QFrame>(this, "BevelHaut", {4, 4, 472, 250});
    BevelHaut->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    // Left: password, folders, volumes. Middle: name, files, filter. Right: icon and buttons.
    Label1 = makeLabel(this, "Label1", {14, 12, 146, 16}, QStringLiteral("Mot de passe"));
    EditCode = make<QLineEdit>(this, "EditCode", {14, 30, 146, 22}, QStringLiteral("Mot de passe (clé de codage)"));
    EditCode->setMaxLength(kMaxPasswordLength);
    Label1->setBuddy(EditCode);
    LabelDir = makeLabel(this, "LabelDir", {14, 58, 146, 16}, QString());
    Directory = make<FolderListBox>(this, "Directory", {14, 76, 146, 140}, QStringLiteral("Liste des répertoires"));
    Drive = make<DriveComboBox>(this, "Drive", {14, 222, 146, 24}, QStringLiteral("Listes des unités disponibles"));

    Label2 = makeLabel(this, "Label2", {170, 12, 182, 16}, QStringLiteral("Nom du fichier crypté"));
    EditName = make<QLineEdit>(this, "EditName", {170, 30, 182, 22}, QStringLiteral("Nom du fichier choisi"));
    EditName->setText(QStringLiteral("*.cod"));
    Label2->setBuddy(EditName);
    FileList = make<FileListBox>(this, "FileList", {170, 58, 182, 158},
                                 QStringLiteral("Listes des fichiers disponibles (suivant filtre)"));
    Filter = make<FilterComboBox>(this, "Filter", {170, 222, 182, 24}, QStringLiteral("Filtre(s) de sélection"));

    ImgIco = make<QLabel>(this, "ImgIco", {399, 14, 32, 32});
    const QIcon programIcon = QApplication::windowIcon().isNull() ? ImageList[0] : QApplication::windowIcon();
    ImgIco->setPixmap(programIcon.pixmap(32, 32));
    BtnCrypter = make<QPushButton>(this, "BtnCrypter", {362, 58, 106, 28});
    BtnCrypter->setDefault(true);
    BtnCrypter->setIcon(ImageList[0]);
    BtnAide = make<QPushButton>(this, "BtnAide", {362, 92, 106, 28}, QStringLiteral("Affiche l'aide"));
    BtnAide->setText(QStringLiteral(" &Aide"));
    BtnAide->setAutoDefault(false);
    BtnAnnuler = make<QPushButton>(this, "BtnAnnuler", {362, 126, 106, 28}, QStringLiteral("Annule l'opération"));
    BtnAnnuler->setText(QStringLiteral("A&nnuler"));
    BtnAnnuler->setAutoDefault(false);
    BtnOptions = make<QToolButton>(this, "BtnOptions", {362, 222, 106, 24},
                                   QStringLiteral("Affiche les options d'encodage supplémentaire"));
    BtnOptions->setText(QStringLiteral("&Options"));
    BtnOptions->setAutoRaise(true);
    BtnOptions->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    // Below the fold: seen only when the panel is open.
    BevelBas = make<QFrame>(this, "BevelBas", {4, 260, 472, 146});
    BevelBas->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    BoxFormat = make<QGroupBox>(this, "BoxFormat", {8, 264, 464, 46});
    BoxFormat->setTitle(QStringLiteral(" Format "));
    RadioCompatible = make<QRadioButton>(BoxFormat, "RadioCompatible", {10, 20, 210, 20}, FormatCompatibleHint);
    RadioCompatible->setText(FormatCompatibleCaption);
    RadioAge = make<QRadioButton>(BoxFormat, "RadioAge", {232, 20, 210, 20}, FormatAgeHint);
    RadioAge->setText(FormatAgeCaption);
    BoxOptions = make<QGroupBox>(this, "BoxOptions", {8, 312, 464, 88});
    BoxOptions->setTitle(QStringLiteral(" Options "));
    const QString armourHint = QStringLiteral("Encodage supplémentaire pour messagerie");
    CheckUUE = make<QCheckBox>(BoxOptions, "CheckUUE", {6, 26, 454, 22}, armourHint);
    CheckUUE->setText(UueCaption);
    CheckXXE = make<QCheckBox>(BoxOptions, "CheckXXE", {6, 54, 454, 22}, armourHint);
    CheckXXE->setText(QStringLiteral(
        "Encoder le fichier crypté (fichier .cod) au format  XXE (XXEncode + somme de contrôle)"));
    // The two long captions fit the dialog's width only a little smaller than the rest.
    QFont checkFont = font();
    checkFont.setPixelSize(10);
    CheckUUE->setFont(checkFont);
    CheckXXE->setFont(checkFont);

    setTabOrder(EditCode, EditName);
    setTabOrder(EditName, FileList);
    setTabOrder(FileList, Filter);
    setTabOrder(Filter, Directory);
    setTabOrder(Directory, Drive);
    setTabOrder(Drive, BtnCrypter);
    setTabOrder(BtnCrypter, BtnAide);
    setTabOrder(BtnAide, BtnAnnuler);
    setTabOrder(BtnAnnuler, BtnOptions);
    setTabOrder(BtnOptions, RadioCompatible);
    setTabOrder(RadioCompatible, RadioAge);
    setTabOrder(RadioAge, CheckUUE);
    setTabOrder(CheckUUE, CheckXXE);

    connect(BtnCrypter, &QPushButton::clicked, this, &TCodage::BtnCrypterClick);
    connect(FileList, &FileListBox::fileActivated, this, &TCodage::BtnCrypterClick);
    connect(BtnAnnuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnAide, &QPushButton::clicked, this, &TCodage::helpRequested);
    connect(BtnOptions, &QToolButton::clicked, this, &TCodage::BtnOptionsClick);
    connect(CheckUUE, &QCheckBox::clicked, this, &TCodage::CheckUUEClick);
    connect(CheckXXE, &QCheckBox::clicked, this, &TCodage::CheckXXEClick);
    connect(RadioCompatible, &QRadioButton::clicked, this, &TCodage::FormatClick);
    connect(RadioAge, &QRadioButton::clicked, this, &TCodage::FormatClick);
    connect(FileList, &FileListBox::selectionChange, this, &TCodage::FileListChange);
    connect(FileList, &FileListBox::reloaded, this, &TCodage::showMaskWhenBound);
    connect(Filter, &FilterComboBox::maskChanged, FileList, &FileListBox::setMask);
    connect(Directory, &FolderListBox::directoryChanged, this, [this](const QString &path) {
        FileList->setDirectory(path);
        Drive->selectVolumeOf(path);
    });
    connect(Drive, &QComboBox::currentIndexChanged, this, &TCodage::DriveChange);

    FormCreate();
}

TCodage::~TCodage()
{
    forgetPassword(*EditCode);
}

void TCodage::FormCreate()
{
    FoldedHeight = BevelBas->y();
    OpenHeight = FoldedHeight + BevelBas->height() + 5;
    setFixedSize(kClientWidth, FoldedHeight);

    // The folder of the last target, else the user's documents (a program folder is no place
    // for the user's files), else the home folder.
    if (!Directory->setDirectory(QDir::fromNativeSeparators(options_.Code))
        && !Directory->setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)))
        Directory->setDirectory(QDir::homePath());

    setPasswordMasked(*EditCode, options_.Password);
}

void TCodage::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TCodage::FormShow()
{
    setFixedSize(kClientWidth, FoldedHeight);
    BevelBas->hide();
    BoxOptions->hide();

    QString title;
    switch (Mode) {
    case ModeDecrypt:
        title = QStringLiteral("Décrypter");
        BtnCrypter->setToolTip(QStringLiteral("Décrypte le document ou le fichier"));
        BtnCrypter->setIcon(ImageList[1]);
        break;
    case ModeEncrypt:
        title = QStringLiteral("Crypter");
        BtnCrypter->setToolTip(QStringLiteral("Crypte le document ou le fichier"));
        BtnCrypter->setIcon(ImageList[0]);
        break;
    default:
        title = QStringLiteral("Authentifier");
        BtnCrypter->setToolTip(QStringLiteral("Authentifie le document ou le fichier"));
        break;
    }
    setWindowTitle(title);
    BtnCrypter->setText(QLatin1Char('&') + title);
    LabelDir->setText(Mode == ModeEncrypt ? QStringLiteral("Destination") : QStringLiteral("Origine"));

    const bool bound = nameBoundToList();
    EditName->setReadOnly(bound);
    setButtonFaceColour(EditName, bound);
    BtnOptions->setVisible(Mode == ModeEncrypt);
    if (Mode == ModeEncrypt) {
        applyOptionsPanel();
        applyFormat();
    } else {
        // The chosen file's format is known only once it is chosen: the field takes the longer
        // passphrases, and the rule of the file's format applies on the action button.
        setPasswordLimit(kMaxAgePassphraseLength);
        Filter->setFilter(Mode == ModeDecrypt ? FilterDecrypt : FilterAuthenticate);
    }
    EditCode->setFocus();
}

void TCodage::applyOptionsPanel()
{
    BevelBas->setVisible(options_.Options);
    BoxOptions->setVisible(options_.Options);
    setFixedSize(kClientWidth, options_.Options ? OpenHeight : FoldedHeight);
    BtnOptions->setIcon(ImageList[options_.Options ? 3 : 2]);
}

bool TCodage::sealsAge() const
{
    return Mode == ModeEncrypt && options_.Format == FormatAge;
}

QString TCodage::proposedName() const
{
    return sealsAge() ? SourceName + AgeExtension : replaceExtension(SourceName, encryptExtension(options_.UUEncode));
}

// A name typed or proposed, with the extension of the format and armour chosen. Under the strong
// format a name keeps its own extension (the opened file takes the name back), except the one
// the compatible format proposed, which goes back to the source's name.
QString TCodage::targetName(const QString &name) const
{
    const bool ageNamed = name.endsWith(AgeExtension, Qt::CaseInsensitive);
    if (!sealsAge())
        return replaceExtension(ageNamed ? name.chopped(AgeExtension.size()) : name, encryptExtension(options_.UUEncode));
    if (ageNamed)
        return name;
    if (ArmourKindNamedBy(name.toStdString())) {
        if (!SourceName.isEmpty() && name == replaceExtension(SourceName, lowerExtension(name)))
            return SourceName + AgeExtension;
        return replaceExtension(name, AgeExtension);
    }
    return name + AgeExtension;
}

void TCodage::applyFormat()
{
    const bool age = sealsAge();
    RadioAge->setChecked(age);
    RadioCompatible->setChecked(!age);
    // One armour box keeps a meaning under each format: age has a single text armour.
    const ArmourKind armour = ArmourKindOfOption(options_.UUEncode);
    CheckUUE->setText(age ? AgeArmourCaption : UueCaption);
    CheckUUE->setChecked(age ? AgeArmoured(options_) : armour == ArmourKind::Uue);
    CheckXXE->setEnabled(!age);
    CheckXXE->setChecked(!age && armour == ArmourKind::Xxe);
    setPasswordLimit(age ? kMaxAgePassphraseLength : kMaxPasswordLength);
    applyEncryptFilter();
}

void TCodage::applyEncryptFilter()
{
    Filter->setFilter(sealsAge() ? FilterAge : encryptFilter(options_.UUEncode));
    EditName->setText(targetName(EditName->text()));
}

void TCodage::setPasswordLimit(int characters)
{
    // A password longer than the new limit is forgotten rather than cut short: a file sealed
    // with part of what was typed would be locked under a password nobody knows.
    if (EditCode->text().size() > characters)
        forgetPassword(*EditCode);
    EditCode->setMaxLength(characters);
}

void TCodage::FormatClick()
{
    options_.Format = RadioAge->isChecked() ? FormatAge : FormatCompatible;
    applyFormat();
}

void TCodage::BtnOptionsClick()
{
    options_.Options = !options_.Options;
    applyOptionsPanel();
}

void TCodage::CheckUUEClick()
{
    if (CheckUUE->isChecked()) {
        CheckXXE->setChecked(false);
        options_.UUEncode = 1;
    } else {
        options_.UUEncode = 0;
    }
    applyEncryptFilter();
}

void TCodage::CheckXXEClick()
{
    if (CheckXXE->isChecked()) {
        CheckUUE->setChecked(false);
        options_.UUEncode = 2;
    } else {
        options_.UUEncode = 0;
    }
    applyEncryptFilter();
}

void TCodage::FileListChange()
{
    const QString name = FileList->fileName();
    if (!name.isEmpty())
        EditName->setText(name);
}

void TCodage::showMaskWhenBound()
{
    // A name field bound to the list shows the mask until a file is chosen.
    if (nameBoundToList())
        EditName->setText(FileList->mask());
}

void TCodage::DriveChange()
{
    const QString root = Drive->rootPath();
    if (root.isEmpty() || Directory->setDirectory(root))
        return;
    showMessage(this, QMessageBox::Warning, texts::driveNotReady(QDir::toNativeSeparators(root)));
    Drive->selectVolumeOf(Directory->directory());
}

void TCodage::BtnCrypterClick()
{
    const QString password = EditCode->text();
    QString name = fileNamePart(EditName->text().trimmed());
    const QString folder = Directory->directory();
    // The password follows the rule of the target's format: the one chosen, or the one the chosen
    // file is in.
    const bool age = Mode == ModeEncrypt ? sealsAge() : !name.isEmpty() && isAgeFile(QDir(folder).filePath(name));
    const PasswordProblem problem = age ? checkAgePassphrase(password) : checkPassword(password);
    if (problem != PasswordProblem::None) {
        showMessage(this, problem == PasswordProblem::Empty ? QMessageBox::Information : QMessageBox::Warning,
                    passwordProblemText(problem, age, texts::PasswordRequired));
        EditCode->setFocus();
        return;
    }

    if (name.isEmpty() || (Mode == ModeEncrypt && !isUsableTargetName(name))) {
        showMessage(this, QMessageBox::Information, texts::InvalidFileName);
        return;
    }

    if (Mode == ModeEncrypt) {
        name = targetName(name);
        EditName->setText(name);
        OutputPath = QDir(folder).filePath(name);
        if (QFileInfo::exists(OutputPath)
            && showMessage(this, QMessageBox::Warning,
                           texts::aboutPath(QDir::toNativeSeparators(OutputPath), texts::ReplaceFile),
                           QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
    } else {
        OutputPath = QDir(folder).filePath(name);
        const QFileInfo source(OutputPath);
        if (!source.isFile() || !source.isReadable()) {
            showMessage(this, QMessageBox::Critical,
                        texts::aboutPath(QDir::toNativeSeparators(OutputPath), texts::FileNotAccessible));
            return;
        }
    }
    options_.Code = QDir::toNativeSeparators(folder);
    AgeTarget = age;
    wipe(AgePassphrase.value);
    if (age)
        AgePassphrase.value = password.toUtf8();
    else
        loadPassword(cipher_, password);
    accept();
}

void TCodage::done(int result)
{
    forgetPassword(*EditCode);
    QDialog::done(result);
}

} // namespace ombre
