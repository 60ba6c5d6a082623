#pragma once
// What a password must be: 1 to 10 characters, each one of Windows-1252, whose bytes are the key
// of every container ever written. A character outside that code page has no key byte and is
// refused rather than replaced.

#include <cstddef>
#include <string>
#include <string_view>

namespace ombre {

inline constexpr std::size_t kMaxPasswordCharacters = 10;

// The strong format's passphrase is any UTF-8 text of 1 to 1,024 bytes: long enough for a
// sentence, short enough that no one pastes a file by mistake.
inline constexpr std::size_t kMaxAgePassphraseBytes = 1024;

enum class PasswordProblem { None, Empty, TooLong, NotAnsi, NotUtf8 };

// Checks a typed (UTF-8) password; when it passes, `key` receives its Windows-1252 bytes, the
// key's form, and is otherwise left empty. Every copy made on the way is wiped; `key` is the
// caller's to wipe.
PasswordProblem CheckPassword(std::string_view utf8, std::string &key);

// Checks a passphrase for the strong format; its bytes are used as they are typed.
PasswordProblem CheckAgePassphrase(std::string_view utf8);

} // namespace ombre
