#pragma once
// TOuverture: the small password dialog of a container dropped on the main window or named on
// the command line. It accepts only a password of 1 to 10 characters, or for a file in the strong
// format a passphrase that its rule accepts; the caller then takes the password from EditCode and
// forgets the field.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ombre {

class TOuverture final : public QDialog {
    Q_OBJECT
public:
    // `maskPassword`: the option that shows "*" for each typed character. `agePassphrase`: the
    // file is in the strong format.
    TOuverture(QWidget *parent, bool maskPassword, bool agePassphrase = false);
    ~TOuverture() override;

    QLabel *LabelName;
    QLineEdit *EditName;
    QLabel *LabelCode;
    QLineEdit *EditCode;
    QPushButton *BtnDecrypter;
    QPushButton *BtnAnnuler;

private:
    void BtnDecrypterClick();

    const bool agePassphrase_;
};

} // namespace ombre
