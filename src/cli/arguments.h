#pragma once
// The command line of the tool: a sub-command, its options and its one file.

#include <optional>
#include <string>
#include <vector>

namespace ombre::cli {

enum class Command { Help, Seal, Open, Authenticate };

enum class Armour { Cod, Uue, Xxe };

struct Arguments {
    Command command = Command::Help;
    std::string file;                      // FICHIER or CONTENEUR
    std::optional<Armour> armour;          // --armure
    std::optional<std::string> owner;      // --proprietaire
    std::optional<std::string> output;     // --sortie
    std::optional<std::string> folder;     // --dossier
    bool replace = false;                  // --remplacer
    bool force = false;                    // --forcer
    bool passwordFromStandardInput = false; // --mot-de-passe-stdin
};

// Parses the arguments after the program name; throws CliFailure (usage) on a mistake.
Arguments ParseArguments(const std::vector<std::string> &args);

// The armour that a file name's extension names, case ignored: .cod, .uue or .xxe; none for
// any other extension.
std::optional<Armour> ArmourNamedBy(const std::string &name);

// The extension, with its dot, of each armour.
const char *ArmourExtension(Armour armour);

} // namespace ombre::cli
