#include "commands/password.h"

#include "cipher/cipher.h"
#include "cipher/secure_wipe.h"

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

void loadPassword(CipherState &state, const QString &password)
{
    SecretText key;
    checkInto(password, key.text);
    CipherSetKey(state, key.text);
}

void forgetPassword(QLineEdit &edit)
{
    QString text = edit.text();
    edit.setText(QString());
    // `text` now holds the field's buffer alone: overwrite it before it is freed.
    if (!text.isEmpty())
        secureWipe(text.data(), static_cast<std::size_t>(text.size()) * sizeof(QChar));
}

} // namespace ombre
