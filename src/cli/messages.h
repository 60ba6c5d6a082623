#pragma once
// The French texts of the command-line tool.

#include <filesystem>
#include <string>
#include <string_view>

namespace ombre::cli {

inline constexpr std::string_view kProgramName = "ombrelunaire-cli";

inline constexpr std::string_view kUnknownFormat = "Le format ou la version de ce fichier n'est pas reconnu.";
inline constexpr std::string_view kNotAccessible = "Ce fichier n'est pas accessible. Veuillez vérifier SVP.";
inline constexpr std::string_view kSaveFailed = "Une erreur est intervenue lors de la sauvegarde. Veuillez vérifier SVP.";
inline constexpr std::string_view kReadFailed = "Une erreur est intervenue lors du chargement. Veuillez vérifier SVP.";
inline constexpr std::string_view kAlreadyExists = "Ce fichier existe déjà. Ajoutez --remplacer pour le remplacer.";
inline constexpr std::string_view kWouldReplaceSource = "Le conteneur ne peut pas remplacer le fichier à crypter.";
inline constexpr std::string_view kNotAFolder = "Ce dossier n'existe pas.";
inline constexpr std::string_view kUnknownContentType = "Ce conteneur annonce un type de contenu inconnu ; rien n'a été écrit.";
inline constexpr std::string_view kOwnerCheckFailed =
    "Le nom du propriétaire ne se décrypte pas : le mot de passe est faux ou le fichier est "
    "endommagé. Rien n'a été écrit (--forcer écrit le contenu quand même).";

inline constexpr std::string_view kPasswordRequired = "Un mot de passe est requis pour réaliser l'opération.";
inline constexpr std::string_view kPasswordTooLong = "Le mot de passe ne doit pas comporter plus de 10 caractères.";
inline constexpr std::string_view kPasswordNotAnsi =
    "Le mot de passe contient un caractère qui ne peut pas servir de clé (seuls les caractères "
    "de Windows-1252 sont admis).";
inline constexpr std::string_view kPasswordsDiffer = "Les deux mots de passe saisis ne sont pas identiques.";
inline constexpr std::string_view kNoTerminal =
    "Aucun terminal pour saisir le mot de passe : utilisez --mot-de-passe-stdin.";
inline constexpr std::string_view kPasswordPrompt = "Mot de passe : ";
inline constexpr std::string_view kConfirmPrompt = "Confirmez le mot de passe : ";

inline constexpr std::string_view kTypeDocument = "Document";
inline constexpr std::string_view kTypeFile = "Fichier";

// "<path> : <sentence>", the path first as in every message of the program.
std::string PathMessage(const std::filesystem::path &path, std::string_view sentence);

// A usage error followed by the hint to --help.
std::string UsageMessage(std::string_view problem);

// The text of --help.
std::string_view HelpText();

} // namespace ombre::cli
