#pragma once
// French texts that both the command-line tool and the program show, typed once. Each is the
// sentence alone: the program puts its own leading line break (or the path) in front.

#include "cipher/password_rule.h"

#include <string_view>

namespace ombre::user_texts {

inline constexpr std::string_view kProgramTitle = "Ombrelunaire 98";

inline constexpr std::string_view kSaveError = "Une erreur est intervenue lors de la sauvegarde. Veuillez vérifier SVP.";
inline constexpr std::string_view kLoadError = "Une erreur est intervenue lors du chargement. Veuillez vérifier SVP.";
inline constexpr std::string_view kFormatNotRecognised = "Le format ou la version de ce fichier n'est pas reconnu.";
inline constexpr std::string_view kFileNotAccessible = "Ce fichier n'est pas accessible. Veuillez vérifier SVP.";
// Writing a decrypted file over its own container would lose the only sealed copy (and, with a
// wrong password, leave nothing but garbage).
inline constexpr std::string_view kWouldReplaceContainer = "Le fichier décrypté ne peut pas remplacer son conteneur.";

inline constexpr std::string_view kPasswordRequired = "Un mot de passe est requis pour réaliser l'opération.";
static_assert(kMaxPasswordCharacters == 10, "kPasswordTooLong states the limit");
inline constexpr std::string_view kPasswordTooLong = "Le mot de passe ne doit pas comporter plus de 10 caractères.";
inline constexpr std::string_view kPasswordNotAnsi =
    "Le mot de passe contient un caractère qui ne peut pas servir de clé (seuls les caractères de "
    "Windows-1252 sont admis).";

// The strong format (age). Its passphrase is checked by CheckAgePassphrase.
static_assert(kMaxAgePassphraseBytes == 1024, "kAgePassphraseTooLong states the limit");
inline constexpr std::string_view kAgePassphraseTooLong = "Le mot de passe ne doit pas dépasser 1 024 octets.";
inline constexpr std::string_view kAgePassphraseNotUtf8 = "Le mot de passe n'est pas un texte UTF-8 valide.";
inline constexpr std::string_view kAgeWrongPassphrase =
    "Le mot de passe ne permet pas d'ouvrir ce fichier. Rien n'a été ouvert.";
inline constexpr std::string_view kAgeDamaged =
    "Ce fichier est endommagé ou incomplet : son contenu ne peut pas être vérifié. Rien n'a été ouvert.";
inline constexpr std::string_view kAgeNotPassphrase =
    "Ce fichier age est crypté pour des clés et non avec un mot de passe : il ne peut pas être ouvert ici.";

} // namespace ombre::user_texts
