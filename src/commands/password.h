#pragma once
// Passwords typed in the dialogs: the rules they must pass, their key bytes, and forgetting them.

#include <QString>

class QLineEdit;

namespace ombre {

struct CipherState;

inline constexpr int kMaxPasswordLength = 10;

enum class PasswordProblem { None, Empty, TooLong, NotAnsi };

// The key is made of the password's Windows-1252 bytes, as in every container ever written; a
// character outside that code page has no key byte, and is refused rather than replaced.
PasswordProblem checkPassword(const QString &password);

// Loads the key from a password that passed checkPassword; the conversion's copy is wiped.
void loadPassword(CipherState &state, const QString &password);

// Empties a password field and wipes what it held; setText (not clear) also drops the field's
// undo history.
void forgetPassword(QLineEdit &edit);

// A masked field shows "*" for each character (whatever the style's own mask); an unmasked one
// shows the characters.
void setPasswordMasked(QLineEdit &edit, bool masked);

} // namespace ombre
