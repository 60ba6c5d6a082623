#pragma once
// TOuverture: the small password dialog of a container dropped on the main window or named on
// the command line. It accepts only a password of 1 to 10 characters; the caller then loads the
// key from EditCode and forgets the field.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ombre {

class TOuverture final : public QDialog {
    Q_OBJECT
public:
    // `maskPassword`: the option that shows "*" for each typed character.
    TOuverture(QWidget *parent, bool maskPassword);
    ~TOuverture() override;

    QLabel *LabelName;
    QLineEdit *EditName;
    QLabel *LabelCode;
    QLineEdit *EditCode;
    QPushButton *BtnDecrypter;
    QPushButton *BtnAnnuler;

private:
    void BtnDecrypterClick();
};

} // namespace ombre
