#include "commands/password.h"

#include "cipher/cipher.h"
#include "cipher/secure_wipe.h"
#include "commands/command_texts.h"
#include "platform/qt_secret.h"

#include <QLineEdit>

namespace ombre {
namespace {

// The core's rule on the password's UTF-8 form, a copy wiped before it is freed.
PasswordProblem checkInto(const QString &password, std::string &key)
{
    QByteArray utf8 = password.toUtf8();
    const PasswordProblem problem =
        CheckPassword(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), key);
    secureWipe(utf8.data(), static_cast<std::size_t>(utf8.size()));
    return problem;
}

} // namespace

PasswordProblem checkPassword(const QString &password)
{
    SecretText key;
    return checkInto(password, key.text);
}

PasswordProblem checkAgePassphrase(const QString &passphrase)
{
    const SecretByteArray utf8(passphrase.toUtf8());
    return CheckAgePassphrase(std::string_view(utf8.value.constData(), static_cast<std::size_t>(utf8.value.size())));
}

QString passwordProblemText(PasswordProblem problem, bool age, const QString &emptyText)
{
    switch (problem) {
    case PasswordProblem::Empty: return emptyText;
    case PasswordProblem::TooLong: return age ? texts::AgePassphraseTooLong : texts::PasswordTooLong;
    case PasswordProblem::NotAnsi: return texts::PasswordNotAnsi;
    case PasswordProblem::NotUtf8: return texts::AgePassphraseNotUtf8;
    case PasswordProblem::None: break;
    }
    return QString();
}

void loadPassword(CipherState &state, const QString &password)
{
    SecretText key;
    checkInto(password, key.text);
    CipherSetKey(state, key.text);
}

void forgetPassword(QLineEdit &edit)
{
    // The field holds the text and a second buffer for display (a copy of the text when it is
    // shown, stars when masked). text() and displayText() share those buffers, so wiping them in
    // place wipes the field's own before setText frees them.
    wipeInPlace(edit.text());
    wipeInPlace(edit.displayText());
    edit.setText(QString());
}

void setPasswordMasked(QLineEdit &edit, bool masked)
{
    edit.setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // '*'
    edit.setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

} // namespace ombre
