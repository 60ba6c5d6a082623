#pragma once
// The command line of the tool: a sub-command, its options and its one file.

#include "cipher/armour_kind.h"

#include <optional>
#include <string>
#include <vector>

namespace ombre::cli {

enum class Command { Help, Seal, Open, Authenticate };

struct Arguments {
    Command command = Command::Help;
    std::string file;                      // FICHIER or CONTENEUR
    bool ageFormat = false;                // --format age (else the compatible format)
    bool ascii = false;                    // --ascii: age's text armour
    std::optional<ArmourKind> armour;      // --armure
    std::optional<std::string> owner;      // --proprietaire
    std::optional<std::string> output;     // --sortie
    std::optional<std::string> folder;     // --dossier
    bool replace = false;                  // --remplacer
    bool force = false;                    // --forcer
    bool passwordFromStandardInput = false; // --mot-de-passe-stdin
};

// Parses the arguments after the program name; throws CliFailure (usage) on a mistake.
Arguments ParseArguments(const std::vector<std::string> &args);

} // namespace ombre::cli
