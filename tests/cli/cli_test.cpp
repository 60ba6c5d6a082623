#include "cli/cli_fixture.h"

namespace ombre::cli {
namespace {

TEST_F(Cli, SealsOpensAndAuthenticatesInEveryArmour)
{
    const std::string content = randomBytes(3 * (1 << 20) + 17); // several read pieces
    const fs::path source = write("rapport.pdf", content);
    for (const char *armour : {"cod", "uue", "xxe"}) {
        const Outcome sealed = run({"crypter", "--armure", armour, source.string()});
        ASSERT_EQ(sealed.status, 0) << sealed.err;
        const fs::path container = dir / (std::string("rapport.") + armour);
        EXPECT_TRUE(fs::exists(container));
        EXPECT_EQ(sealed.out, container.string() + "\nLe fichier crypté a été enregistré à cet "
                                                   "emplacement.\nCrypté au nom de : Jean Dupont\n");

        const Outcome shown = run({"authentifier", container.string()});
        EXPECT_EQ(shown.status, 0) << shown.err;
        EXPECT_EQ(shown.out, "rapport.pdf\nPC1\n2\nFichier\nJean Dupont\n");

        const fs::path folder = dir / armour;
        fs::create_directory(folder);
        const Outcome opened = run({"decrypter", "--dossier", folder.string(), container.string()});
        ASSERT_EQ(opened.status, 0) << opened.err;
        EXPECT_EQ(readFile(folder / "rapport.pdf"), content) << armour;
        EXPECT_EQ(names(folder), std::vector<std::string>{"rapport.pdf"});
    }
}

TEST_F(Cli, ReadsStoredArmouredContainersWhateverTheCaseOfTheirExtension)
{
    fs::copy_file(fixture("cli/lettre.uue"), dir / "LETTRE.UUE");
    fs::copy_file(fixture("cli/lettre.xxe"), dir / "Lettre.Xxe");
    for (const char *name : {"LETTRE.UUE", "Lettre.Xxe"}) {
        const fs::path folder = dir / (std::string("out-") + name);
        fs::create_directory(folder);
        const Outcome opened = run({"decrypter", "--dossier", folder.string(), (dir / name).string()});
        ASSERT_EQ(opened.status, 0) << opened.err;
        EXPECT_EQ(readFile(folder / "lettre.txt"), "Bonjour H\xE9l\xE8ne,\r\n\xC0 bient\xF4t.\r\n");
    }
}

TEST_F(Cli, WrongPasswordWritesNothingUnlessForced)
{
    const fs::path source = write("note.txt", "secret");
    ASSERT_EQ(run({"crypter", source.string()}).status, 0);
    fs::remove(source);
    const std::string container = (dir / "note.cod").string();

    const Outcome refused = run({"decrypter", "--dossier", dir.string(), container}, "lune");
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.err.find("Rien n'a été écrit"), std::string::npos);
    EXPECT_FALSE(fs::exists(source));

    const Outcome shown = run({"authentifier", container}, "lune");
    EXPECT_EQ(shown.status, 3);
    EXPECT_TRUE(shown.out.ends_with("\nInconnue\n"));

    const Outcome forced = run({"decrypter", "--forcer", "--dossier", dir.string(), container}, "lune");
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_EQ(readFile(source).size(), 6u);
    EXPECT_NE(readFile(source), "secret");
}

TEST_F(Cli, AnEmptyOwnerNameIsNoSignOfAWrongPassword)
{
    const fs::path source = write("vide.txt", "");
    ASSERT_EQ(run({"crypter", "--proprietaire", "", source.string()}).status, 0);
    EXPECT_EQ(fs::file_size(dir / "vide.cod"), 1u + 7 + 8);
    const Outcome shown = run({"authentifier", (dir / "vide.cod").string()}, "autre");
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out, "vide.txt\nPC1\n2\nFichier\nInconnue\n");
}

TEST_F(Cli, UnrecognisedContainersEndWithStatusTwo)
{
    struct Case { std::string file, message; };
    for (const Case &c : {Case{"cipher/version-1.cod", "Le format ou la version de ce fichier n'est pas reconnu."},
                          Case{"cipher/wrong-tag.cod", "Le format ou la version de ce fichier n'est pas reconnu."},
                          Case{"cipher/truncated-header.cod", "Le format ou la version de ce fichier n'est pas reconnu."},
                          Case{"cipher/content-type-2.cod", "type de contenu inconnu"},
                          Case{"cli/bad-character.uue", "Caractère invalide dans le fichier d'entrée"}}) {
        const fs::path folder = dir / "out";
        fs::create_directory(folder);
        const Outcome opened = run({"decrypter", "--dossier", folder.string(), fixture(c.file)});
        EXPECT_EQ(opened.status, 2) << c.file;
        EXPECT_NE(opened.err.find(c.message), std::string::npos) << opened.err;
        EXPECT_TRUE(names(folder).empty()) << c.file;
        fs::remove_all(folder);
    }
    // A raw container renamed to an armour's extension is read as armour and refused.
    fs::copy_file(fixture("cipher/sound.cod"), dir / "sound.uue");
    EXPECT_EQ(run({"authentifier", (dir / "sound.uue").string()}).status, 2);
}

TEST_F(Cli, ReplacesExistingFilesOnlyWhenAsked)
{
    const fs::path source = write("a.txt", "nouveau");
    write("a.cod", "ancien conteneur");
    const Outcome refused = run({"crypter", source.string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("existe déjà"), std::string::npos);
    EXPECT_EQ(readFile(dir / "a.cod"), "ancien conteneur");
    ASSERT_EQ(run({"crypter", "--remplacer", source.string()}).status, 0);
    EXPECT_NE(readFile(dir / "a.cod"), "ancien conteneur");

    write("a.txt", "ancien");
    EXPECT_EQ(run({"decrypter", "--dossier", dir.string(), (dir / "a.cod").string()}).status, 1);
    EXPECT_EQ(readFile(dir / "a.txt"), "ancien");
    ASSERT_EQ(run({"decrypter", "--remplacer", "--dossier", dir.string(), (dir / "a.cod").string()}).status, 0);
    EXPECT_EQ(readFile(dir / "a.txt"), "nouveau");
    EXPECT_EQ(names(dir), (std::vector<std::string>{"a.cod", "a.txt"}));
}

TEST_F(Cli, FailedWritesLeaveNoPartialFileAndTheOldFileUntouched)
{
    write("sortie.cod", "ancien");
    // An input that fails on its first read, once the output has been started.
    const Outcome failed = run({"crypter", "--remplacer", "--sortie", (dir / "sortie.cod").string(),
                            "/proc/self/mem"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(readFile(dir / "sortie.cod"), "ancien");
    EXPECT_EQ(names(dir), std::vector<std::string>{"sortie.cod"});

    // Folders that cannot take the output: missing, a file, and (when permissions bind, which
    // they do not for the superuser) one without write permission.
    const fs::path source = write("a.txt", "texte");
    const fs::path locked = dir / "verrou";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    std::vector<fs::path> targets = {dir / "absent" / "a.cod", source / "a.cod"};
    if (::geteuid() != 0)
        targets.push_back(locked / "a.cod");
    for (const fs::path &target : targets) {
        const Outcome refused = run({"crypter", "--sortie", target.string(), source.string()});
        EXPECT_EQ(refused.status, 1) << target;
        EXPECT_NE(refused.err.find("Une erreur est intervenue lors de la sauvegarde"), std::string::npos);
    }
    EXPECT_TRUE(names(locked).empty());
    EXPECT_EQ(names(dir), (std::vector<std::string>{"a.txt", "sortie.cod", "verrou"}));
}

TEST_F(Cli, SourceNamesFromHeadersNeverLeaveTheChosenFolder)
{
    CipherState cipher;
    CipherSetKey(cipher, "Lune");
    const std::string content = "piège";
    const std::vector<std::uint8_t> container = SealContainer(
        cipher, ContainerContent::File, "../../evil.sh", "",
        std::span(reinterpret_cast<const std::uint8_t *>(content.data()), content.size()));
    CipherReset(cipher);
    const fs::path path = write("evil.cod", std::string(container.begin(), container.end()));
    const fs::path folder = dir / "sub" / "out";
    fs::create_directories(folder);
    ASSERT_EQ(run({"decrypter", "--dossier", folder.string(), path.string()}).status, 0);
    EXPECT_EQ(names(folder), std::vector<std::string>{"evil.sh"});
    EXPECT_EQ(names(dir / "sub"), std::vector<std::string>{"out"});
}

TEST_F(Cli, PasswordRules)
{
    const fs::path source = write("a.txt", "x");
    struct Case { std::string password, message; };
    for (const Case &c : {Case{"", "Un mot de passe est requis"},
                          Case{"12345678901", "plus de 10 caractères"},
                          Case{"clé-łódź", "ne peut pas servir de clé"}}) {
        const Outcome refused = run({"crypter", source.string()}, c.password);
        EXPECT_EQ(refused.status, 1) << c.password;
        EXPECT_NE(refused.err.find(c.message), std::string::npos) << refused.err;
    }
    EXPECT_EQ(run({"crypter", source.string()}, "àéèçù€œ\r").status, 0); // ten bytes in Windows-1252
    EXPECT_EQ(names(dir), (std::vector<std::string>{"a.cod", "a.txt"}));
}

TEST_F(Cli, TerminalPasswordIsAskedTwiceWhenSealing)
{
    useTerminal = true;
    const fs::path source = write("a.txt", "x");
    terminal = {"Lune", "Lume"};
    const Outcome mismatch = run({"crypter", source.string()});
    EXPECT_EQ(mismatch.status, 1);
    EXPECT_NE(mismatch.err.find("pas identiques"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "a.cod"));

    terminal = {"Lune", "Lune"};
    ASSERT_EQ(run({"crypter", source.string()}).status, 0);
    terminal = {"Lune"};
    EXPECT_EQ(run({"authentifier", (dir / "a.cod").string()}).out, "a.txt\nPC1\n2\nFichier\nJean Dupont\n");

    terminal.clear(); // no terminal at all
    const Outcome none = run({"authentifier", (dir / "a.cod").string()});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("--mot-de-passe-stdin"), std::string::npos);
}

TEST_F(Cli, UsageMistakesAndHelp)
{
    struct Case { std::vector<std::string> args; std::string message; };
    for (const Case &c : {Case{{}, "Sous-commande manquante"},
                          Case{{"chiffrer", "a"}, "Sous-commande inconnue"},
                          Case{{"crypter"}, "Fichier manquant"},
                          Case{{"crypter", "a", "b"}, "Un seul fichier"},
                          Case{{"crypter", "--forcer", "a"}, "Option inconnue"},
                          Case{{"crypter", "--mot-de-passe=x", "a"}, "« --mot-de-passe »"},
                          Case{{"crypter", "--armure", "zip", "a"}, "Armure inconnue"},
                          Case{{"crypter", "--armure", "uue", "--sortie", "a.xxe", "a"}, "ne correspond pas"},
                          Case{{"decrypter", "--dossier"}, "demande une valeur"}}) {
        std::istringstream in;
        std::ostringstream out, err;
        CliContext context{in, out, err, {}, [] { return std::string(); }};
        EXPECT_EQ(RunCli(c.args, context), 1) << c.message;
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
    std::istringstream in;
    std::ostringstream out, err;
    CliContext context{in, out, err, {}, {}};
    EXPECT_EQ(RunCli({"--help"}, context), 0);
    EXPECT_NE(out.str().find("Utilisation :"), std::string::npos);
}

TEST_F(Cli, StandardInputGivesThePasswordLineAndNothingMore)
{
    const fs::path source = write("a.txt", "texte");
    const PipedOutcome sealed =
        runPiped({"crypter"}, "Lune\nla suite du script\n", [&](int) { return source.string(); });
    ASSERT_EQ(sealed.status, 0) << sealed.err;
    EXPECT_EQ(sealed.rest, "la suite du script\n");
    EXPECT_EQ(run({"authentifier", (dir / "a.cod").string()}).out, "a.txt\nPC1\n2\nFichier\nJean Dupont\n");
}

TEST_F(Cli, RefusesToReadTheFileFromTheStreamThatGivesThePassword)
{
    const fs::path source = write("a.txt", "texte");
    ASSERT_EQ(run({"crypter", source.string()}).status, 0);
    const std::string container = (dir / "a.cod").string();
    for (const std::vector<std::string> &args : {std::vector<std::string>{"crypter", "--sortie", (dir / "b.cod").string()},
                                                 std::vector<std::string>{"decrypter", "--dossier", dir.string()},
                                                 std::vector<std::string>{"authentifier"}}) {
        const std::string input = "Lune\n" + std::string(5000, 'x');
        const PipedOutcome refused =
            runPiped(args, input, [](int fd) { return "/proc/self/fd/" + std::to_string(fd); });
        EXPECT_EQ(refused.status, 1) << args.front();
        EXPECT_NE(refused.err.find("Ce fichier est l'entrée standard, qui donne déjà le mot de passe"), std::string::npos)
            << refused.err;
        EXPECT_EQ(refused.rest, input) << args.front(); // not even the password was taken
    }
    EXPECT_EQ(names(dir), (std::vector<std::string>{"a.cod", "a.txt"}));
}

TEST_F(Cli, DecryptionNeverReplacesItsOwnContainer)
{
    // Containers whose header names the container itself, or another name of the same file.
    CipherState cipher;
    CipherSetKey(cipher, "Lune");
    const std::string content = "le seul exemplaire";
    const auto seal = [&](const std::string &sourceName) {
        const std::vector<std::uint8_t> bytes = SealContainer(
            cipher, ContainerContent::File, sourceName, "Jean Dupont",
            std::span(reinterpret_cast<const std::uint8_t *>(content.data()), content.size()));
        return std::string(bytes.begin(), bytes.end());
    };
    const std::string self = seal("self.cod");
    const std::string linked = seal("lien.cod");
    CipherReset(cipher);
    fs::create_directory(dir / "sous");

    struct Case { std::string name, bytes, folder, password; std::vector<std::string> flags; };
    for (const Case &c : {Case{"self.cod", self, dir.string(), "Lune", {"--remplacer"}},
                          Case{"self.cod", self, dir.string(), "faux", {"--remplacer", "--forcer"}},
                          Case{"self.cod", self, (dir / "sous" / "..").string(), "Lune", {"--remplacer"}},
                          Case{"self.cod", self, dir.string(), "Lune", {}},
                          Case{"autre.cod", linked, dir.string(), "faux", {"--remplacer", "--forcer"}}}) {
        const fs::path container = write(c.name, c.bytes);
        if (c.name != "self.cod")
            fs::create_hard_link(container, dir / "lien.cod");
        std::vector<std::string> args = {"decrypter", "--dossier", c.folder};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        args.push_back(container.string());
        const Outcome refused = run(args, c.password);
        EXPECT_EQ(refused.status, 1) << c.name << " " << c.folder;
        EXPECT_NE(refused.err.find("ne peut pas remplacer son conteneur"), std::string::npos) << refused.err;
        EXPECT_EQ(readFile(container), c.bytes);
        fs::remove(container);
        fs::remove(dir / "lien.cod");
    }
    EXPECT_EQ(names(dir), std::vector<std::string>{"sous"});
}

TEST_F(Cli, OutputNamesAndFolders)
{
    const fs::path source = write("photo.JPG", "image");
    const fs::path elsewhere = dir / "ailleurs";
    fs::create_directory(elsewhere);
    ASSERT_EQ(run({"crypter", "--sortie", elsewhere.string(), source.string()}).status, 0);
    ASSERT_EQ(run({"crypter", "--sortie", (dir / "envoi.XXE").string(), source.string()}).status, 0);
    EXPECT_EQ(names(elsewhere), std::vector<std::string>{"photo.cod"});
    EXPECT_EQ(readFile(dir / "envoi.XXE").substr(0, 19), "begin 64 photo.cod\r");

    EXPECT_EQ(run({"crypter", "--remplacer", "--sortie", source.string(), source.string()}).status, 1);
    EXPECT_EQ(readFile(source), "image");
    EXPECT_EQ(run({"decrypter", "--dossier", (dir / "absent").string(), (dir / "envoi.XXE").string()}).status, 1);
}

} // namespace
} // namespace ombre::cli

namespace ombre::cli {
namespace {

// The executable itself: its main wires standard input, the terminal and the exit status.
TEST(CliExecutable, SealsFromStandardInputAndNeedsATerminalOtherwise)
{
    std::string pattern = (fs::temp_directory_path() / "ombre-cli-exe-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path dir = pattern;
    writeFile(dir / "a.txt", "texte");
    const std::string tool = std::string(OMBRE_BIN_DIR) + "/ombrelunaire-cli";
    const auto shell = [&](const std::string &command) {
        const int status = std::system(("cd '" + dir.string() + "' && " + command).c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(shell("printf 'Lune\\n' | OMBRELUNAIRE_REGISTRY_FILE=/nonexistent '" + tool
                    + "' crypter --mot-de-passe-stdin a.txt >out 2>&1"), 0);
    EXPECT_TRUE(fs::exists(dir / "a.cod"));
    // Without a controlling terminal the password cannot be asked for.
    EXPECT_EQ(shell("setsid -w '" + tool + "' authentifier a.cod </dev/null >out 2>&1"), 1);
    EXPECT_NE(readFile(dir / "out").find("--mot-de-passe-stdin"), std::string::npos);
    EXPECT_EQ(shell("'" + tool + "' --help >out"), 0);
    fs::remove_all(dir);
}

// The executable's own standard input: the data that follows the password line in a pipe is
// left for the next reader, and a source that is that same pipe is refused.
TEST(CliExecutable, StandardInputIsReadNoFurtherThanThePasswordLine)
{
    std::string pattern = (fs::temp_directory_path() / "ombre-cli-exe-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path dir = pattern;
    const std::string data = randomBytes(10000);
    writeFile(dir / "donnees", data);
    writeFile(dir / "a.txt", "texte");
    const std::string tool = "OMBRELUNAIRE_REGISTRY_FILE=/nonexistent '" + std::string(OMBRE_BIN_DIR) + "/ombrelunaire-cli'";
    const auto shell = [&](const std::string &command) {
        const int status = std::system(("cd '" + dir.string() + "' && " + command).c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(shell("(printf 'Lune\\n'; cat donnees) | { " + tool + " crypter --mot-de-passe-stdin a.txt >out 2>&1; cat >reste; }"), 0);
    EXPECT_TRUE(fs::exists(dir / "a.cod"));
    EXPECT_EQ(readFile(dir / "reste"), data);

    EXPECT_EQ(shell("(printf 'Lune\\n'; cat donnees) | " + tool + " crypter --mot-de-passe-stdin --sortie b.cod /dev/stdin >out 2>&1"), 1);
    EXPECT_NE(readFile(dir / "out").find("/dev/stdin : Ce fichier est l'entrée standard"), std::string::npos) << readFile(dir / "out");
    EXPECT_FALSE(fs::exists(dir / "b.cod"));
    fs::remove_all(dir);
}

// The password typed on a terminal: echo goes off before the prompt shows, and what was typed
// ahead of the prompt is kept rather than flushed away.
TEST(CliExecutable, TerminalPasswordIsNeverEchoedNorThrownAway)
{
    std::string pattern = (fs::temp_directory_path() / "ombre-cli-tty-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path dir = pattern;
    {
        CipherState cipher;
        CipherSetKey(cipher, "Lune");
        const std::vector<std::uint8_t> bytes = SealContainer(cipher, ContainerContent::File, "a.txt", "Jean Dupont", {});
        CipherReset(cipher);
        writeFile(dir / "a.cod", std::string(bytes.begin(), bytes.end()));
    }
    const std::string tool = std::string(OMBRE_BIN_DIR) + "/ombrelunaire-cli";
    const std::string container = (dir / "a.cod").string();
    const std::string_view prompt = "Mot de passe : ";

    for (const bool typedAhead : {true, false}) {
        SCOPED_TRACE(typedAhead ? "typed ahead" : "typed after the prompt");
        int master = -1;
        const pid_t child = ::forkpty(&master, nullptr, nullptr, nullptr);
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::execl(tool.c_str(), tool.c_str(), "authentifier", container.c_str(), static_cast<char *>(nullptr));
            ::_exit(127);
        }
        // Reads what the terminal shows until `wanted` appears, or to the end (the child gone).
        std::string shown;
        const auto readUntil = [&](std::string_view wanted) {
            char piece[256];
            while (wanted.empty() || shown.find(wanted) == std::string::npos) {
                const ssize_t got = ::read(master, piece, sizeof piece);
                if (got < 0 && errno == EINTR)
                    continue;
                if (got <= 0)
                    return;
                shown.append(piece, static_cast<std::size_t>(got));
            }
        };
        if (typedAhead) {
            ASSERT_EQ(::write(master, "Lune\n", 5), 5);
            // A second line end once the prompt shows: should the answer typed ahead be thrown
            // away, the run ends on an empty password instead of waiting for ever.
            readUntil(prompt);
            ASSERT_EQ(::write(master, "\n", 1), 1);
            readUntil({});
        } else {
            readUntil(prompt);
            ASSERT_NE(shown.find(prompt), std::string::npos) << shown;
            const std::size_t promptEnd = shown.find(prompt) + prompt.size();
            ASSERT_EQ(::write(master, "Lune\n", 5), 5);
            readUntil({});
            EXPECT_EQ(shown.find("Lune", promptEnd), std::string::npos) << shown;
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::close(master);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << shown;
        EXPECT_NE(shown.find("Jean Dupont"), std::string::npos) << shown;
    }
    fs::remove_all(dir);
}

} // namespace
} // namespace ombre::cli
