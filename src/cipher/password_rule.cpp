#include "cipher/password_rule.h"

#include "cipher/ansi.h"
#include "cipher/secure_wipe.h"

namespace ombre {

PasswordProblem CheckPassword(std::string_view utf8, std::string &key)
{
    secureWipe(key);
    if (utf8.empty())
        return PasswordProblem::Empty;
    // Converted straight into `key`, reserved first: no reallocation leaves a freed copy behind.
    key.reserve(utf8.size());
    PasswordProblem problem = PasswordProblem::None;
    if (!AppendUtf8AsAnsi(utf8, key))
        problem = PasswordProblem::NotAnsi;
    else if (key.size() > kMaxPasswordCharacters)
        problem = PasswordProblem::TooLong;
    if (problem != PasswordProblem::None)
        secureWipe(key);
    return problem;
}

PasswordProblem CheckAgePassphrase(std::string_view utf8)
{
    if (utf8.empty())
        return PasswordProblem::Empty;
    if (utf8.size() > kMaxAgePassphraseBytes)
        return PasswordProblem::TooLong;
    return IsValidUtf8(utf8) ? PasswordProblem::None : PasswordProblem::NotUtf8;
}

} // namespace ombre
