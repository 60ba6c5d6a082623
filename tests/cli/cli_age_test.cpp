// The strong format through the tool: sealing with --format age, and opening and authenticating
// files that are recognised as age by their first line, whatever their name.

#include "cli/cli_fixture.h"

#include "cipher/age/age.h"

namespace ombre::cli {
namespace {

constexpr std::string_view kSealedNotice = "Le fichier crypté a été enregistré à cet emplacement.\n";
constexpr std::string_view kOpenedNotice = "Le fichier décrypté a été enregistré à cet emplacement.\n";

class CliAge : public Cli {
protected:
    // Seals `name` holding `content` in the strong format; the sealed file's path.
    fs::path seal(const std::string &name, std::string_view content, bool ascii = false,
                  const std::string &passphrase = "Lune")
    {
        const fs::path source = write(name, content);
        std::vector<std::string> args{"crypter", "--format", "age"};
        if (ascii)
            args.push_back("--ascii");
        args.push_back(source.string());
        const Outcome sealed = run(args, passphrase);
        EXPECT_EQ(sealed.status, 0) << sealed.err;
        fs::remove(source);
        return dir / (name + ".age");
    }
    fs::path outFolder(const std::string &name)
    {
        fs::create_directory(dir / name);
        return dir / name;
    }
};

TEST_F(CliAge, SealsOpensAndAuthenticatesBinaryAndArmoured)
{
    const std::string content = randomBytes(3 * (1 << 20) + 17); // several read pieces and chunks
    for (const bool ascii : {false, true}) {
        SCOPED_TRACE(ascii ? "armoured" : "binary");
        const fs::path source = write("rapport.pdf", content);
        std::vector<std::string> args{"crypter", "--format", "age", source.string()};
        if (ascii)
            args.insert(args.begin() + 3, "--ascii");
        const Outcome sealed = run(args);
        ASSERT_EQ(sealed.status, 0) << sealed.err;
        const fs::path container = dir / "rapport.pdf.age";
        EXPECT_EQ(sealed.out, container.string() + "\n" + std::string(kSealedNotice));
        const std::string bytes = readFile(container);
        EXPECT_TRUE(bytes.starts_with(ascii ? "-----BEGIN AGE ENCRYPTED FILE-----\n" : "age-encryption.org/v1\n"));

        const Outcome shown = run({"authentifier", container.string()});
        EXPECT_EQ(shown.status, 0) << shown.err;
        EXPECT_EQ(shown.out, std::string("rapport.pdf\nage-encryption.org/v1") + (ascii ? " (armure texte)" : "")
                                 + "\nscrypt, facteur de travail 10\nFichier\nMot de passe correct\n");

        const fs::path folder = outFolder(ascii ? "ascii" : "binaire");
        const Outcome opened = run({"decrypter", "--dossier", folder.string(), container.string()});
        ASSERT_EQ(opened.status, 0) << opened.err;
        EXPECT_EQ(opened.out, (folder / "rapport.pdf").string() + "\n" + std::string(kOpenedNotice));
        EXPECT_EQ(readFile(folder / "rapport.pdf"), content);
        EXPECT_EQ(names(folder), std::vector<std::string>{"rapport.pdf"});
        fs::remove(container);
    }
}

TEST_F(CliAge, RecognisedByTheFirstLineWhateverTheName)
{
    const fs::path sealed = seal("lettre.txt", "Chère amie,\r\n");
    const fs::path armoured = seal("note.rtf", "{\\rtf1 x}", true);
    struct Case {
        fs::path from;
        std::string renamed, opened, type;
    };
    const Case cases[] = {
        {sealed, "LETTRE.TXT.AGE", "LETTRE.TXT", "Document"},
        {sealed, "lettre.cod", "lettre (décrypté).cod", "Fichier"},       // a compatible extension
        {armoured, "note.uue", "note (décrypté).uue", "Fichier"},         // an armour extension
        {armoured, "sans-extension", "sans-extension (décrypté)", "Fichier"},
        {armoured, "copie.txt", "copie (décrypté).txt", "Document"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.renamed);
        const fs::path file = dir / c.renamed;
        fs::copy_file(c.from, file);
        const fs::path folder = outFolder("out-" + c.renamed);
        const Outcome opened = run({"decrypter", "--dossier", folder.string(), file.string()});
        ASSERT_EQ(opened.status, 0) << opened.err;
        EXPECT_EQ(names(folder), std::vector<std::string>{c.opened});
        const Outcome shown = run({"authentifier", file.string()});
        EXPECT_TRUE(shown.out.starts_with(c.opened + "\n")) << shown.out;
        EXPECT_NE(shown.out.find("\n" + c.type + "\n"), std::string::npos) << shown.out;
    }
    // A name without ".age" opened beside itself never takes the sealed file's place.
    fs::copy_file(sealed, dir / "double");
    ASSERT_EQ(run({"decrypter", "--dossier", dir.string(), (dir / "double").string()}).status, 0);
    EXPECT_EQ(readFile(dir / "double (décrypté)"), "Chère amie,\r\n");
    EXPECT_EQ(readFile(dir / "double"), readFile(sealed));
}

TEST_F(CliAge, WrongPassphraseAndDamageWriteNothing)
{
    const std::string content = randomBytes(200000); // four chunks
    const fs::path sealed = seal("photo.jpg", content);
    const std::string bytes = readFile(sealed);
    const fs::path folder = outFolder("sortie");

    const Outcome wrong = run({"decrypter", "--dossier", folder.string(), sealed.string()}, "lune");
    EXPECT_EQ(wrong.status, 3);
    EXPECT_EQ(wrong.err, "ombrelunaire-cli : " + sealed.string()
                             + " : Le mot de passe ne permet pas d'ouvrir ce fichier. Rien n'a été ouvert.\n");
    const Outcome shown = run({"authentifier", sealed.string()}, "lune");
    EXPECT_EQ(shown.status, 3);
    EXPECT_EQ(shown.out, "photo.jpg\nage-encryption.org/v1\nscrypt, facteur de travail 10\nFichier\n");

    struct Damage {
        const char *what;
        std::string bytes;
    };
    std::string flipped = bytes;
    flipped[flipped.size() - 100] ^= 0x01; // inside the last chunk: the first three were written out
    const Damage damages[] = {
        {"a bit flipped in the last chunk", flipped},
        {"cut at a chunk boundary", bytes.substr(0, bytes.size() - (200000 - 3 * 65536) - 16)},
        {"cut inside a chunk", bytes.substr(0, bytes.size() - 1000)},
        {"trailing bytes", bytes + "x"},
    };
    for (const Damage &damage : damages) {
        SCOPED_TRACE(damage.what);
        const fs::path file = write("photo.jpg.age", damage.bytes);
        const Outcome opened = run({"decrypter", "--dossier", folder.string(), file.string()});
        EXPECT_EQ(opened.status, 2);
        EXPECT_EQ(opened.err, "ombrelunaire-cli : " + file.string()
                                  + " : Ce fichier est endommagé ou incomplet : son contenu ne peut pas être "
                                    "vérifié. Rien n'a été ouvert.\n");
    }
    EXPECT_TRUE(names(folder).empty());
}

TEST_F(CliAge, PassphraseRules)
{
    const fs::path source = write("a.txt", "texte");
    const auto sealWith = [&](const std::string &passphrase) {
        return run({"crypter", "--format", "age", "--remplacer", source.string()}, passphrase);
    };
    const std::string longest(1024, 'p');
    EXPECT_EQ(sealWith(longest).status, 0);
    const fs::path folder = outFolder("sortie");
    EXPECT_EQ(run({"decrypter", "--dossier", folder.string(), (dir / "a.txt.age").string()}, longest).status, 0);
    EXPECT_EQ(readFile(folder / "a.txt"), "texte");
    fs::remove(folder / "a.txt");
    EXPECT_EQ(run({"decrypter", "--dossier", folder.string(), (dir / "a.txt.age").string()},
                  longest.substr(0, 1023)).status, 3);

    struct Refused {
        std::string passphrase, message;
    };
    const Refused refused[] = {
        {"", "Un mot de passe est requis pour réaliser l'opération."},
        {longest + "p", "Le mot de passe ne doit pas dépasser 1 024 octets."},
        {std::string(5000, 'p'), "Le mot de passe ne doit pas dépasser 1 024 octets."},
        {"caf\xE9", "Le mot de passe n'est pas un texte UTF-8 valide."},
    };
    for (const Refused &r : refused) {
        const Outcome outcome = sealWith(r.passphrase);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, "ombrelunaire-cli : " + r.message + "\n");
    }

    // On a terminal the passphrase is asked twice, and any UTF-8 goes: the compatible format's
    // ten characters of Windows-1252 do not apply.
    useTerminal = true;
    const std::string sentence = "Une phrase de passe bien longue, avec des accents : été ☾ 🌙";
    terminal = {sentence, sentence + " "};
    EXPECT_EQ(sealWith("").err, "ombrelunaire-cli : Les deux mots de passe saisis ne sont pas identiques.\n");
    terminal = {sentence, sentence};
    EXPECT_EQ(sealWith("").status, 0);
    terminal = {sentence};
    fs::remove(folder / "a.txt");
    EXPECT_EQ(run({"decrypter", "--dossier", folder.string(), (dir / "a.txt.age").string()}).status, 0);
    EXPECT_EQ(readFile(folder / "a.txt"), "texte");
}

TEST_F(CliAge, OutputsAndUsageMistakes)
{
    const fs::path source = write("plan.odt", "plan");
    const fs::path elsewhere = outFolder("ailleurs");
    ASSERT_EQ(run({"crypter", "--format", "age", "--sortie", elsewhere.string(), source.string()}).status, 0);
    EXPECT_EQ(names(elsewhere), std::vector<std::string>{"plan.odt.age"});
    ASSERT_EQ(run({"crypter", "--format", "age", "--sortie", (dir / "choisi.bin").string(), source.string()}).status, 0);
    EXPECT_TRUE(readFile(dir / "choisi.bin").starts_with("age-encryption.org/v1\n"));

    // An existing file is replaced only when asked, and never by the file it comes from.
    const std::string before = readFile(elsewhere / "plan.odt.age");
    EXPECT_EQ(run({"crypter", "--format", "age", "--sortie", elsewhere.string(), source.string()}).status, 1);
    EXPECT_EQ(readFile(elsewhere / "plan.odt.age"), before);
    EXPECT_EQ(run({"decrypter", "--dossier", elsewhere.string(), (elsewhere / "plan.odt.age").string()}).status, 0);
    EXPECT_EQ(run({"decrypter", "--dossier", elsewhere.string(), (elsewhere / "plan.odt.age").string()}).status, 1);
    EXPECT_EQ(run({"crypter", "--format", "age", "--remplacer", "--sortie", source.string(), source.string()}).status, 1);
    EXPECT_EQ(readFile(source), "plan");

    struct Mistake {
        std::vector<std::string> args;
        std::string problem;
    };
    const Mistake mistakes[] = {
        {{"crypter", "--format", "aes", "x"}, "Format inconnu : « aes » (pc1 ou age)."},
        {{"crypter", "--ascii", "x"}, "--ascii s'applique au format age (--format age) ; l'armure du format compatible est --armure."},
        {{"crypter", "--format", "age", "--armure", "uue", "x"}, "--armure s'applique au format compatible ; l'armure texte du format age est --ascii."},
        {{"crypter", "--format=age", "--proprietaire", "Jean", "x"}, "Le format age ne porte pas de nom de propriétaire (--proprietaire)."},
        {{"decrypter", "--format", "age", "x"}, "Option inconnue pour decrypter : « --format »."},
    };
    for (const Mistake &m : mistakes) {
        const Outcome outcome = run(m.args);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, "ombrelunaire-cli : " + m.problem + "\nPour l'aide : ombrelunaire-cli --help\n");
    }
}

} // namespace
} // namespace ombre::cli
