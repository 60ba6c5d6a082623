#include "cli/arguments.h"

#include "cli/cli_failure.h"
#include "cli/messages.h"

#include <algorithm>
#include <map>

namespace ombre::cli {
namespace {

[[noreturn]] void usage(const std::string &problem)
{
    throw CliFailure{ExitStatus::UsageOrInputOutput, UsageMessage(problem)};
}

// Which options each sub-command takes; options with a value are marked true.
const std::map<std::string, bool> &optionsOf(Command command)
{
    static const std::map<std::string, bool> seal = {
        {"--format", true}, {"--ascii", false},
        {"--armure", true}, {"--proprietaire", true}, {"--sortie", true},
        {"--remplacer", false}, {"--mot-de-passe-stdin", false}};
    static const std::map<std::string, bool> open = {
        {"--dossier", true}, {"--remplacer", false}, {"--forcer", false},
        {"--mot-de-passe-stdin", false}};
    static const std::map<std::string, bool> authenticate = {{"--mot-de-passe-stdin", false}};
    switch (command) {
    case Command::Seal: return seal;
    case Command::Open: return open;
    default: return authenticate;
    }
}

// The armour's name is its extension without the dot, in any case.
ArmourKind parseArmour(const std::string &value)
{
    std::string lower = value;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (ArmourKind kind : {ArmourKind::Cod, ArmourKind::Uue, ArmourKind::Xxe})
        if (ArmourExtension(kind).substr(1) == lower)
            return kind;
    usage("Armure inconnue : « " + value + " » (cod, uue ou xxe).");
}

bool parseAgeFormat(const std::string &value)
{
    if (value == "age")
        return true;
    if (value == "pc1" || value == "compatible")
        return false;
    usage("Format inconnu : « " + value + " » (pc1 ou age).");
}

void setOption(Arguments &parsed, const std::string &name, const std::string &value)
{
    if (name == "--format")
        parsed.ageFormat = parseAgeFormat(value);
    else if (name == "--ascii")
        parsed.ascii = true;
    else if (name == "--armure")
        parsed.armour = parseArmour(value);
    else if (name == "--proprietaire")
        parsed.owner = value;
    else if (name == "--sortie")
        parsed.output = value;
    else if (name == "--dossier")
        parsed.folder = value;
    else if (name == "--remplacer")
        parsed.replace = true;
    else if (name == "--forcer")
        parsed.force = true;
    else if (name == "--mot-de-passe-stdin")
        parsed.passwordFromStandardInput = true;
}

} // namespace

Arguments ParseArguments(const std::vector<std::string> &args)
{
    Arguments parsed;
    if (args.empty())
        usage("Sous-commande manquante (crypter, decrypter ou authentifier).");
    const std::string &verb = args.front();
    if (verb == "--help" || verb == "-h" || verb == "aide")
        return parsed;
    if (verb == "crypter")
        parsed.command = Command::Seal;
    else if (verb == "decrypter")
        parsed.command = Command::Open;
    else if (verb == "authentifier")
        parsed.command = Command::Authenticate;
    else
        usage("Sous-commande inconnue : « " + verb + " ».");

    const auto &known = optionsOf(parsed.command);
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.command = Command::Help;
            return parsed;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const auto option = known.find(name);
        if (option == known.end())
            usage("Option inconnue pour " + verb + " : « " + name + " ».");
        std::string value;
        if (option->second) {
            if (equals != std::string::npos)
                value = arg.substr(equals + 1);
            else if (i + 1 < args.size())
                value = args[++i];
            else
                usage("L'option " + name + " demande une valeur.");
        } else if (equals != std::string::npos) {
            usage("L'option " + name + " ne prend pas de valeur.");
        }
        setOption(parsed, name, value);
    }
    // Each format has its own armour, and age carries no owner name: a mix-up is refused rather
    // than quietly ignored.
    if (parsed.ageFormat && parsed.armour)
        usage("--armure s'applique au format compatible ; l'armure texte du format age est --ascii.");
    if (parsed.ageFormat && parsed.owner)
        usage("Le format age ne porte pas de nom de propriétaire (--proprietaire).");
    if (parsed.ascii && !parsed.ageFormat)
        usage("--ascii s'applique au format age (--format age) ; l'armure du format compatible est --armure.");
    if (files.size() != 1)
        usage(files.empty() ? "Fichier manquant." : "Un seul fichier est attendu.");
    parsed.file = files.front();
    return parsed;
}

} // namespace ombre::cli
