#pragma once
// Passwords typed in the dialogs: the core's rule applied to a QString, their key bytes, and
// forgetting them.

#include "cipher/password_rule.h"

#include <QString>

class QLineEdit;

namespace ombre {

struct CipherState;

// The most characters a password field takes; a passphrase of the strong format, whose rule
// counts bytes, may be longer.
inline constexpr int kMaxPasswordLength = static_cast<int>(kMaxPasswordCharacters);
inline constexpr int kMaxAgePassphraseLength = static_cast<int>(kMaxAgePassphraseBytes);

PasswordProblem checkPassword(const QString &password);
PasswordProblem checkAgePassphrase(const QString &passphrase);

// What a dialog says of a refused password (`age`: refused by the strong format's rule);
// `emptyText` is the dialog's own sentence for an empty field.
QString passwordProblemText(PasswordProblem problem, bool age, const QString &emptyText);

// Loads the key from a password that passed checkPassword; the conversion's copies are wiped.
void loadPassword(CipherState &state, const QString &password);

// Empties a password field and wipes what it held; setText (not clear) also drops the field's
// undo history.
void forgetPassword(QLineEdit &edit);

// A masked field shows "*" for each character (whatever the style's own mask); an unmasked one
// shows the characters.
void setPasswordMasked(QLineEdit &edit, bool masked);

} // namespace ombre
