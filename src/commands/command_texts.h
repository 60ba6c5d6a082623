#pragma once
// The French texts that the encryption commands and their dialogs show, in one place.

#include <QString>

namespace ombre::texts {

// Progress captions.
inline const QString Encrypting = QStringLiteral("Cryptage en cours...");
inline const QString Decrypting = QStringLiteral("Décryptage en cours...");
inline const QString Armouring = QStringLiteral("UUEncodage en cours...");
inline const QString Unarmouring = QStringLiteral("UUDécodage en cours...");

// Messages (a leading "\r\n" puts the text below the box's first line).
inline const QString SaveError = QStringLiteral("\r\nUne erreur est intervenue lors de la sauvegarde. Veuillez vérifier SVP.");
inline const QString LoadError = QStringLiteral("\r\nUne erreur est intervenue lors du chargement. Veuillez vérifier SVP.");
inline const QString AuthenticateError = QStringLiteral("\r\nUne erreur est intervenue lors de l'authentification.");
inline const QString FormatNotRecognised = QStringLiteral("Le format ou la version de ce fichier n'est pas reconnu.");
inline const QString PasswordRequired = QStringLiteral("\r\nUn mot de passe est requis pour réaliser l'opération.");
inline const QString PasswordRequiredToDecrypt = QStringLiteral("\r\nUn mot de passe est requis pour décrypter ce fichier.");
inline const QString PasswordTooLong = QStringLiteral("\r\nLe mot de passe ne doit pas comporter plus de 10 caractères.");
inline const QString PasswordNotAnsi = QStringLiteral(
    "\r\nLe mot de passe contient un caractère qui ne peut pas servir de clé (seuls les caractères de "
    "Windows-1252 sont admis).");
inline const QString InvalidFileName = QStringLiteral("\r\nLe nom de fichier n'est pas valide.");
inline const QString ReplaceFile = QStringLiteral("Ce fichier existe déjà. Voulez-vous le remplacer ?");
inline const QString FileNotAccessible = QStringLiteral("Ce fichier n'est pas accessible. Veuillez vérifier SVP.");

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
