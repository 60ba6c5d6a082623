#pragma once
// The French texts that the encryption commands and their dialogs show, in one place.

#include "cipher/user_texts.h"

#include <QString>
#include <string_view>

namespace ombre::texts {

// A sentence that the command-line tool shows too, below a line break.
inline QString belowLineBreak(std::string_view sentence)
{
    return QStringLiteral("\r\n") + QString::fromUtf8(sentence.data(), qsizetype(sentence.size()));
}

// Progress captions.
inline const QString Encrypting = QStringLiteral("Cryptage en cours...");
inline const QString Decrypting = QStringLiteral("Décryptage en cours...");
inline const QString Armouring = QStringLiteral("UUEncodage en cours...");
inline const QString Unarmouring = QStringLiteral("UUDécodage en cours...");

// Messages (a leading "\r\n" puts the text below the box's first line).
inline const QString SaveError = belowLineBreak(user_texts::kSaveError);
inline const QString LoadError = belowLineBreak(user_texts::kLoadError);
inline const QString AuthenticateError = QStringLiteral("\r\nUne erreur est intervenue lors de l'authentification.");
inline const QString FormatNotRecognised = QString::fromUtf8(user_texts::kFormatNotRecognised);
inline const QString PasswordRequired = belowLineBreak(user_texts::kPasswordRequired);
inline const QString PasswordRequiredToDecrypt = QStringLiteral("\r\nUn mot de passe est requis pour décrypter ce fichier.");
inline const QString PasswordTooLong = belowLineBreak(user_texts::kPasswordTooLong);
inline const QString PasswordNotAnsi = belowLineBreak(user_texts::kPasswordNotAnsi);
inline const QString InvalidFileName = QStringLiteral("\r\nLe nom de fichier n'est pas valide.");
inline const QString ReplaceFile = QStringLiteral("Ce fichier existe déjà. Voulez-vous le remplacer ?");
inline const QString FileNotAccessible = QString::fromUtf8(user_texts::kFileNotAccessible);
inline const QString WouldReplaceContainer = QString::fromUtf8(user_texts::kWouldReplaceContainer);

// The strong format.
inline const QString AgePassphraseTooLong = belowLineBreak(user_texts::kAgePassphraseTooLong);
inline const QString AgePassphraseNotUtf8 = belowLineBreak(user_texts::kAgePassphraseNotUtf8);
inline const QString AgeWrongPassphrase = QString::fromUtf8(user_texts::kAgeWrongPassphrase);
inline const QString AgeDamaged = QString::fromUtf8(user_texts::kAgeDamaged);
inline const QString AgeNotPassphrase = QString::fromUtf8(user_texts::kAgeNotPassphrase);
// The last line of the authentication window for an age file, below its caption.
inline const QString AgeCheckCaption = QStringLiteral("Contrôle :");
inline const QString AgePassphraseCorrect = QStringLiteral("Mot de passe correct");
inline const QString AgePassphraseWrong = QStringLiteral("Mot de passe faux");
inline const QString AgeForKeys = QStringLiteral("Crypté pour des clés");

inline QString driveNotReady(const QString &drive)
{
    return QStringLiteral("\r\nLe disque ") + drive + QStringLiteral(" n'est pas prêt. Veuillez vérifier SVP.");
}

// A path on its own line, an empty line, then the sentence.
inline QString aboutPath(const QString &path, const QString &sentence)
{
    return path + QStringLiteral("\r\n\r\n") + sentence;
}

} // namespace ombre::texts
