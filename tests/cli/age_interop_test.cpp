// The strong format against the reference tool: what this tool seals, `age` opens, and what
// `age` seals, this tool opens; binary and armoured, with age's own work factor. `age` asks its
// passphrase on a terminal only, so it runs on a pseudo-terminal here.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <pty.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kPassphrase = "une phrase de passe partagée ☾";

std::string readFile(const fs::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// How many passphrase prompts `age` has shown so far ("...one): ", "passphrase: ").
std::size_t promptsIn(const std::string &shown)
{
    std::size_t count = 0;
    for (const std::string_view end : {"one): ", "passphrase: "})
        for (std::size_t at = shown.find(end); at != std::string::npos; at = shown.find(end, at + 1))
            ++count;
    return count;
}

// Runs `age` with `args` on a pseudo-terminal, typing the passphrase at each of its prompts;
// its exit status, or -1.
int runAge(const std::vector<std::string> &args, std::string &shown)
{
    int terminal = -1;
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child < 0)
        return -1;
    if (child == 0) {
        std::vector<char *> argv{const_cast<char *>("age")};
        for (const std::string &arg : args)
            argv.push_back(const_cast<char *>(arg.c_str()));
        argv.push_back(nullptr);
        ::execvp("age", argv.data());
        ::_exit(127);
    }
    std::size_t answered = 0;
    for (;;) {
        pollfd ready{terminal, POLLIN, 0};
        if (::poll(&ready, 1, 60000) <= 0)
            break;
        char piece[512];
        const ssize_t got = ::read(terminal, piece, sizeof piece);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        shown.append(piece, static_cast<std::size_t>(got));
        while (answered < promptsIn(shown)) {
            const std::string line = kPassphrase + "\n";
            if (::write(terminal, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
                break;
            ++answered;
        }
    }
    ::close(terminal);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class AgeInterop : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "ombre-age-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        std::mt19937 random(7);
        content.resize(200000); // several chunks and a short last one
        for (char &c : content)
            c = static_cast<char>(random());
        std::ofstream(dir / "source.bin", std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs this tool with the passphrase on standard input; its exit status.
    int runTool(const std::string &args)
    {
        const std::string command = "cd '" + dir.string() + "' && printf '%s\\n' '" + kPassphrase
                                    + "' | OMBRELUNAIRE_REGISTRY_FILE=/nonexistent '" + OMBRE_BIN_DIR
                                    + "/ombrelunaire-cli' " + args + " >outil.log 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path dir;
    std::string content;
};

TEST_F(AgeInterop, AgeOpensWhatThisToolSeals)
{
    for (const bool ascii : {false, true}) {
        SCOPED_TRACE(ascii ? "armoured" : "binary");
        ASSERT_EQ(runTool(std::string("crypter --format age --remplacer --mot-de-passe-stdin ")
                          + (ascii ? "--ascii " : "") + "source.bin"), 0)
            << readFile(dir / "outil.log");
        fs::remove(dir / "ouvert.bin");
        std::string shown;
        ASSERT_EQ(runAge({"-d", "-o", (dir / "ouvert.bin").string(), (dir / "source.bin.age").string()}, shown), 0)
            << shown;
        EXPECT_EQ(readFile(dir / "ouvert.bin"), content);
    }
}

TEST_F(AgeInterop, ThisToolOpensWhatAgeSeals)
{
    for (const bool ascii : {false, true}) {
        SCOPED_TRACE(ascii ? "armoured" : "binary");
        std::vector<std::string> args{"-p", "-o", (dir / "scelle.bin.age").string()};
        if (ascii)
            args.insert(args.begin(), "-a");
        args.push_back((dir / "source.bin").string());
        std::string shown;
        ASSERT_EQ(runAge(args, shown), 0) << shown;
        fs::remove(dir / "scelle.bin");
        ASSERT_EQ(runTool("decrypter --mot-de-passe-stdin scelle.bin.age"), 0) << readFile(dir / "outil.log");
        EXPECT_EQ(readFile(dir / "scelle.bin"), content);
        ASSERT_EQ(runTool("authentifier --mot-de-passe-stdin scelle.bin.age"), 0);
        EXPECT_NE(readFile(dir / "outil.log").find("scrypt, facteur de travail 18\n"), std::string::npos)
            << readFile(dir / "outil.log");
    }
}

} // namespace
