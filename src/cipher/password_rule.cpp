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

} // namespace ombre
