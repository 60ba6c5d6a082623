#include "commands/password.h"

#include "cipher/ansi.h"
#include "cipher/cipher.h"
#include "cipher/secure_wipe.h"
#include "platform/qt_secret.h"

#include <QLineEdit>

namespace ombre {
namespace {

std::optional<std::string> keyBytes(const QString &password)
{
    QByteArray utf8 = password.toUtf8();
    std::optional<std::string> bytes = Utf8ToAnsi(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    secureWipe(utf8.data(), static_cast<std::size_t>(utf8.size()));
    return bytes;
}

} // namespace

PasswordProblem checkPassword(const QString &password)
{
    if (password.isEmpty())
        return PasswordProblem::Empty;
    std::optional<std::string> bytes = keyBytes(password);
    if (!bytes)
        return PasswordProblem::NotAnsi;
    const bool tooLong = bytes->size() > static_cast<std::size_t>(kMaxPasswordLength);
    secureWipe(*bytes);
    return tooLong ? PasswordProblem::TooLong : PasswordProblem::None;
}

void loadPassword(CipherState &state, const QString &password)
{
    std::optional<std::string> bytes = keyBytes(password);
    CipherSetKey(state, bytes.value_or(std::string()));
    if (bytes)
        secureWipe(*bytes);
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
