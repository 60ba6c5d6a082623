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
  ombrelunaire-cli crypter [--format pc1|age] [--ascii] [--armure cod|uue|xxe]
                           [--proprietaire NOM] [--sortie CHEMIN] [--remplacer]
                           [--mot-de-passe-stdin] FICHIER
  ombrelunaire-cli decrypter [--dossier DOSSIER] [--remplacer] [--forcer]
                             [--mot-de-passe-stdin] CONTENEUR
  ombrelunaire-cli authentifier [--mot-de-passe-stdin] CONTENEUR
  ombrelunaire-cli --help

Scelle un fichier dans un conteneur crypté par mot de passe, l'ouvre ou en affiche l'en-tête.

Deux formats :
  pc1  le format compatible (par défaut) : conteneurs .cod, .uue et .xxe des versions
       précédentes. Protection légère : mot de passe de 10 caractères au plus, sans
       contrôle d'intégrité.
  age  le format renforcé, le format de fichier age v1 avec phrase de passe (scrypt,
       ChaCha20-Poly1305) : un mot de passe faux ou un fichier modifié sont reconnus, et
       d'autres logiciels compatibles age ouvrent le fichier.

crypter       Crypte FICHIER dans un conteneur. Sans --sortie, le conteneur porte le nom de
              FICHIER dont l'extension devient .cod, .uue ou .xxe (format pc1), ou le nom
              entier de FICHIER suivi de .age (format age : rapport.pdf.age), dans le même
              dossier.
  --format pc1|age       format du conteneur (pc1 par défaut).
  --ascii                format age : armure texte (-----BEGIN AGE ENCRYPTED FILE-----).
  --armure cod|uue|xxe   format pc1 : cod, conteneur binaire (par défaut, ou selon
                         l'extension donnée à --sortie) ; uue, xxe : armure texte pour la
                         messagerie.
  --proprietaire NOM     format pc1 : nom du propriétaire scellé dans le conteneur (par
                         défaut celui des réglages d'Ombrelunaire).
  --sortie CHEMIN        chemin du conteneur, ou dossier où le créer.
  --remplacer            remplace un conteneur existant.

decrypter     Décrypte CONTENEUR et écrit son contenu. Un fichier age, binaire ou en armure
              texte, est reconnu par sa première ligne, quel que soit son nom ; son contenu
              est écrit sous le nom du fichier sans son .age final (un nom sans .age reçoit
              « (décrypté) » avant son extension), et seulement après vérification de tout le
              fichier. Un conteneur pc1 (.cod, .uue ou .xxe, d'après son extension) est écrit
              sous le nom de fichier d'origine.
  --dossier DOSSIER      dossier où écrire le fichier (par défaut le dossier courant).
  --remplacer            remplace un fichier existant.
  --forcer               format pc1 : écrit le contenu même si le nom du propriétaire ne
                         se décrypte pas.

authentifier  Affiche, une par ligne : le nom d'origine, la signature, la version, le type
              (Document ou Fichier) et le propriétaire du CONTENEUR. Pour un fichier age :
              le nom du contenu, la signature, le facteur de travail de scrypt, le type, et
              « Mot de passe correct » quand le mot de passe ouvre l'en-tête.

Mot de passe : demandé sur le terminal sans écho (deux fois pour crypter), ou lu sur une
ligne de l'entrée standard avec --mot-de-passe-stdin : seule cette ligne est lue, et le
fichier ne peut alors pas être l'entrée standard. Il n'est jamais accepté sur la ligne de
commande. Format pc1 : de 1 à 10 caractères de Windows-1252. Format age : une phrase de
passe de 1 à 1 024 octets (UTF-8).

Codes de sortie :
  0  opération réussie
  1  erreur d'utilisation, de lecture ou d'écriture
  2  format non reconnu, fichier endommagé ou incomplet : rien n'a été écrit
  3  mot de passe faux (pc1 : nom du propriétaire non décrypté) : rien n'a été écrit
)";
}

} // namespace ombre::cli
