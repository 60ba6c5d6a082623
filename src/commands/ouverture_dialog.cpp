#include "commands/ouverture_dialog.h"

#include "commands/command_texts.h"
#include "commands/password.h"
#include "platform/modal.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ombre {

TOuverture::TOuverture(QWidget *parent, bool maskPassword, bool agePassphrase)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      agePassphrase_(agePassphrase)
{
    setObjectName(QStringLiteral("Ouverture"));
    setWindowTitle(QStringLiteral("Décryptage"));
    setFixedSize(342, 121);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 8, 326, 70);

    LabelName = new QLabel(QStringLiteral("Fichier"), panel);
    LabelName->setGeometry(10, 10, 90, 22);
    EditName = new QLineEdit(panel);
    EditName->setObjectName(QStringLiteral("EditName"));
    EditName->setGeometry(104, 10, 212, 22);
    EditName->setReadOnly(true);
    EditName->setFocusPolicy(Qt::NoFocus); // shown, never reached with the tab key
    QPalette palette = EditName->palette();
    palette.setColor(QPalette::Base, QApplication::palette().color(QPalette::Button));
    EditName->setPalette(palette);

    LabelCode = new QLabel(QStringLiteral("Mot de passe"), panel);
    LabelCode->setGeometry(10, 38, 90, 22);
    EditCode = new QLineEdit(panel);
    EditCode->setObjectName(QStringLiteral("EditCode"));
    EditCode->setGeometry(104, 38, 212, 22);
    setPasswordMasked(*EditCode, maskPassword);
    if (agePassphrase)
        EditCode->setMaxLength(kMaxAgePassphraseLength);
    LabelCode->setBuddy(EditCode);

    BtnDecrypter = new QPushButton(QStringLiteral("&Décrypter"), this);
    BtnDecrypter->setObjectName(QStringLiteral("BtnDecrypter"));
    BtnDecrypter->setGeometry(150, 87, 90, 26);
    BtnDecrypter->setDefault(true);
    BtnAnnuler = new QPushButton(QStringLiteral("&Annuler"), this);
    BtnAnnuler->setObjectName(QStringLiteral("BtnAnnuler"));
    BtnAnnuler->setGeometry(244, 87, 90, 26);
    BtnAnnuler->setAutoDefault(false);

    connect(BtnDecrypter, &QPushButton::clicked, this, &TOuverture::BtnDecrypterClick);
    connect(BtnAnnuler, &QPushButton::clicked, this, &QDialog::reject);
    EditCode->setFocus();
}

TOuverture::~TOuverture()
{
    forgetPassword(*EditCode);
}

void TOuverture::BtnDecrypterClick()
{
    const PasswordProblem problem =
        agePassphrase_ ? checkAgePassphrase(EditCode->text()) : checkPassword(EditCode->text());
    if (problem != PasswordProblem::None) {
        showMessage(this, QMessageBox::Warning,
                    passwordProblemText(problem, agePassphrase_, texts::PasswordRequiredToDecrypt));
        EditCode->setFocus();
        return;
    }
    accept();
}

} // namespace ombre
