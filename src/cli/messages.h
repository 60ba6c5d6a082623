#pragma once
// The French texts of the command-line tool; those the program shows too are in
// cipher/user_texts.h.

#include "cipher/user_texts.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace ombre::cli {

inline constexpr std::string_view kProgramName = "ombrelunaire-cli";

inline constexpr std::string_view kAlreadyExists = "Ce fichier existe déjà. Ajoutez --remplacer pour le remplacer.";
inline constexpr std::string_view kWouldReplaceSource = "Le conteneur ne peut pas remplacer le fichier à crypter.";
inline constexpr std::string_view kNotAFolder = "Ce dossier n'existe pas.";
inline constexpr std::string_view kUnknownContentType = "Ce conteneur annonce un type de contenu inconnu ; rien n'a été écrit.";
inline constexpr std::string_view kOwnerCheckFailed =
    "Le nom du propriétaire ne se décrypte pas : le mot de passe est faux ou le fichier est "
    "endommagé. Rien n'a été écrit (--forcer écrit le contenu quand même).";

inline constexpr std::string_view kFileIsPasswordInput =
    "Ce fichier est l'entrée standard, qui donne déjà le mot de passe (--mot-de-passe-stdin) : "
    "donnez le fichier par son nom, ou saisissez le mot de passe sur le terminal.";
inline constexpr std::string_view kPasswordsDiffer = "Les deux mots de passe saisis ne sont pas identiques.";
inline constexpr std::string_view kNoTerminal =
    "Aucun terminal pour saisir le mot de passe : utilisez --mot-de-passe-stdin.";
inline constexpr std::string_view kPasswordPrompt = "Mot de passe : ";
inline constexpr std::string_view kConfirmPrompt = "Confirmez le mot de passe : ";

inline constexpr std::string_view kTypeDocument = "Document";
inline constexpr std::string_view kTypeFile = "Fichier";
inline constexpr std::string_view kPassphraseOpens = "Mot de passe correct";

// "<path> : <sentence>", the path first as in every message of the program.
std::string PathMessage(const std::filesystem::path &path, std::string_view sentence);

// A usage error followed by the hint to --help.
std::string UsageMessage(std::string_view problem);

// The text of --help.
std::string_view HelpText();

} // namespace ombre::cli
