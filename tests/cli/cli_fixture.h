#pragma once
// The tool run as a function in a temporary folder, with the password as a line of standard input
// or answers typed on a terminal.

#include "cli/cli.h"

#include "cipher/container.h"
#include "cli/password.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <cstdlib>
#include <cerrno>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ombre::cli {

namespace fs = std::filesystem;

// Sealing at the real work factor takes a second and 256 MiB each time; the format is the same.
inline constexpr int kTestWorkFactor = 10;

struct Outcome {
    int status;
    std::string out, err;
};

inline std::string readFile(const fs::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void writeFile(const fs::path &path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string fixture(const std::string &name)
{
    return std::string(OMBRE_TEST_DATA) + "/" + name;
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "ombre-cli-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override
    {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }

    // Runs the tool; the password comes as one line of standard input unless `terminal` holds
    // the answers typed on a terminal.
    Outcome run(std::vector<std::string> args, const std::string &password = "Lune")
    {
        if (!useTerminal)
            args.insert(args.begin() + 1, "--mot-de-passe-stdin");
        std::istringstream in(password + "\n");
        std::ostringstream out, err;
        CliContext context{in, out, err,
                           [this](std::string_view) -> std::optional<std::string> {
                               if (terminal.empty())
                                   return std::nullopt;
                               std::string answer = terminal.front();
                               terminal.pop_front();
                               return answer;
                           },
                           [] { return std::string("Jean Dupont"); }};
        context.ageWorkFactor = kTestWorkFactor;
        const int status = RunCli(args, context);
        return {status, out.str(), err.str()};
    }

    // Runs the tool with the password taken from a pipe that holds `input`, as the executable
    // reads its standard input; `rest` is what the pipe still holds afterwards.
    struct PipedOutcome : Outcome {
        std::string rest;
    };
    PipedOutcome runPiped(const std::vector<std::string> &args, std::string_view input,
                          const std::function<std::string(int fd)> &fileNamed)
    {
        int ends[2];
        EXPECT_EQ(::pipe(ends), 0);
        EXPECT_EQ(::write(ends[1], input.data(), input.size()), static_cast<ssize_t>(input.size()));
        ::close(ends[1]);
        DescriptorBuffer buffer(ends[0]);
        std::istream in(&buffer);
        std::ostringstream out, err;
        CliContext context{in, out, err, {}, [] { return std::string("Jean Dupont"); }, ends[0]};
        std::vector<std::string> all = args;
        all.insert(all.begin() + 1, "--mot-de-passe-stdin");
        all.push_back(fileNamed(ends[0]));
        PipedOutcome outcome;
        outcome.status = RunCli(all, context);
        outcome.out = out.str();
        outcome.err = err.str();
        char piece[4096];
        for (ssize_t got; (got = ::read(ends[0], piece, sizeof piece)) > 0;)
            outcome.rest.append(piece, static_cast<std::size_t>(got));
        ::close(ends[0]);
        return outcome;
    }

    fs::path write(const std::string &name, std::string_view bytes)
    {
        writeFile(dir / name, bytes);
        return dir / name;
    }

    // The names in the folder: also catches a temporary file left behind.
    std::vector<std::string> names(const fs::path &folder) const
    {
        std::vector<std::string> found;
        for (const auto &entry : fs::directory_iterator(folder))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    fs::path dir;
    bool useTerminal = false;
    std::deque<std::string> terminal;
};

inline std::string randomBytes(std::size_t size)
{
    std::mt19937 random(static_cast<unsigned>(size));
    std::string bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

} // namespace ombre::cli
