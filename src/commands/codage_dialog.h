#pragma once
// TCodage: the password-and-target dialog of the encryption commands, in three modes. When it
// closes with Accepted, the password is in the cipher key and OutputPath names the target (the
// file to write when encrypting, the file to read otherwise).

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
    QGroupBox *BoxOptions;
    QToolButton *BtnOptions;
    QCheckBox *CheckUUE;
    QCheckBox *CheckXXE;
    // 0 encrypt, 1 decrypt, 2 options folded, 3 options shown.
    std::array<QIcon, 4> ImageList;

    // The file filter and extension that the armour option selects in encrypt mode.
    static QString encryptFilter(int uuEncode);
    static QString encryptExtension(int uuEncode);

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
    void FileListChange();
    void DriveChange();

    void applyOptionsPanel();
    void applyEncryptFilter();
    void showMaskWhenBound();
    bool nameBoundToList() const { return Mode != ModeEncrypt; }

    TProgramOptions &options_;
    CipherState &cipher_;
};

} // namespace ombre
