#pragma once
// TCodage: the password-and-target dialog of the encryption commands, in three modes. When it
// closes with Accepted, OutputPath names the target (the file to write when encrypting, the file
// to read otherwise) and the password is in the cipher key; or, when the target is in the strong
// format (AgeTarget), in AgePassphrase, since that format takes the typed text itself.

#include "platform/qt_secret.h"

#include <QDialog>
#include <QIcon>
#include <array>
#include <cstdint>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace ombre {

struct CipherState;
struct TProgramOptions;
class DriveComboBox;
class FileListBox;
class FilterComboBox;
class FolderListBox;

class TCodage final : public QDialog {
    Q_OBJECT
public:
    enum : std::uint8_t { ModeDecrypt = 0, ModeEncrypt = 1, ModeAuthenticate = 2 };

    TCodage(QWidget *parent, TProgramOptions &options, CipherState &cipher);
    ~TCodage() override;

    // Set by the caller between creation and showing.
    std::uint8_t Mode = ModeEncrypt;
    QString OutputPath;
    // Encrypt mode: the name of what is sealed, from which the target's name is proposed.
    QString SourceName;

    // Set on accepting: the target is in the strong format (chosen in encrypt mode, recognised
    // by its content otherwise), and the passphrase typed for it as UTF-8, wiped with the dialog.
    bool AgeTarget = false;
    SecretByteArray AgePassphrase;

    // Outer heights would depend on the window manager; these are client heights.
    int FoldedHeight = 0;
    int OpenHeight = 0;

    FolderListBox *Directory;
    DriveComboBox *Drive;
    FileListBox *FileList;
    QLineEdit *EditCode;
    QLabel *Label1;
    QLineEdit *EditName;
    QLabel *Label2;
    QLabel *LabelDir;
    FilterComboBox *Filter;
    QLabel *ImgIco;
    QPushButton *BtnCrypter;
    QPushButton *BtnAide;
    QPushButton *BtnAnnuler;
    QFrame *BevelHaut;
    QFrame *BevelBas;
    QGroupBox *BoxFormat;
    QRadioButton *RadioCompatible;
    QRadioButton *RadioAge;
    QGroupBox *BoxOptions;
    QToolButton *BtnOptions;
    QCheckBox *CheckUUE; // under the strong format: its text armour
    QCheckBox *CheckXXE; // under the strong format: disabled
    // 0 encrypt, 1 decrypt, 2 options folded, 3 options shown.
    std::array<QIcon, 4> ImageList;

    // The file filter and extension that the armour option selects for the compatible format.
    static QString encryptFilter(int uuEncode);
    static QString encryptExtension(int uuEncode);
    // The target name first proposed for SourceName in the format and armour chosen:
    // "lettre.rtf" -> "lettre.cod" (".uue", ".xxe"), or "lettre.rtf.age" (the whole name).
    QString proposedName() const;

signals:
    void helpRequested();

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void BtnCrypterClick();
    void BtnOptionsClick();
    void CheckUUEClick();
    void CheckXXEClick();
    void FormatClick();
    void FileListChange();
    void DriveChange();

    void applyOptionsPanel();
    void applyFormat();
    void applyEncryptFilter();
    void setPasswordLimit(int characters);
    QString targetName(const QString &name) const;
    bool sealsAge() const;
    void showMaskWhenBound();
    bool nameBoundToList() const { return Mode != ModeEncrypt; }

    TProgramOptions &options_;
    CipherState &cipher_;
};

} // namespace ombre
