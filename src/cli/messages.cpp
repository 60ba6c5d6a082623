#include "cli/messages.h"

namespace ombre::cli {

std::string PathMessage(const std::filesystem::path &path, std::string_view sentence)
{
    return path.string() + " : " + std::string(sentence);
}

std::string UsageMessage(std::string_view problem)
{
    return std::string(problem) + "\nPour l'aide : " + std::string(kProgramName) + " --help";
}

std::string_view HelpText()
{
    return R"(Utilisation :
  ombrelunaire-cli crypter [--armure cod|uue|xxe] [--proprietaire NOM] [--sortie CHEMIN]
                           [--remplacer] [--mot-de-passe-stdin] FICHIER
  ombrelunaire-cli decrypter [--dossier DOSSIER] [--remplacer] [--forcer]
                             [--mot-de-passe-stdin] CONTENEUR
  ombrelunaire-cli authentifier [--mot-de-passe-stdin] CONTENEUR
  ombrelunaire-cli --help

Scelle un fichier dans un conteneur crypté par mot de passe, l'ouvre ou en affiche l'en-tête.

crypter       Crypte FICHIER dans un conteneur. Sans --sortie, le conteneur porte le nom de
              FICHIER dont l'extension devient .cod, .uue ou .xxe, dans le même dossier.
  --armure cod|uue|xxe   cod : conteneur binaire (par défaut, ou selon l'extension donnée à
                         --sortie) ; uue, xxe : armure texte pour la messagerie.
  --proprietaire NOM     nom du propriétaire scellé dans le conteneur (par défaut celui des
                         réglages d'Ombrelunaire).
  --sortie CHEMIN        chemin du conteneur, ou dossier où le créer.
  --remplacer            remplace un conteneur existant.

decrypter     Décrypte CONTENEUR (.cod, .uue ou .xxe, d'après son extension) et écrit son
              contenu sous le nom de fichier d'origine.
  --dossier DOSSIER      dossier où écrire le fichier (par défaut le dossier courant).
  --remplacer            remplace un fichier existant.
  --forcer               écrit le contenu même si le nom du propriétaire ne se décrypte pas.

authentifier  Affiche, une par ligne : le nom d'origine, la signature, la version, le type
              (Document ou Fichier) et le propriétaire du CONTENEUR.

Mot de passe : de 1 à 10 caractères, demandé sur le terminal sans écho (deux fois pour
crypter), ou lu sur une ligne de l'entrée standard avec --mot-de-passe-stdin : seule cette
ligne est lue, et le fichier ne peut alors pas être l'entrée standard. Il n'est jamais
accepté sur la ligne de commande.

Codes de sortie :
  0  opération réussie
  1  erreur d'utilisation, de lecture ou d'écriture
  2  format ou version du fichier non reconnu
  3  nom du propriétaire non décrypté (mot de passe faux ?) : rien n'a été écrit
)";
}

} // namespace ombre::cli
