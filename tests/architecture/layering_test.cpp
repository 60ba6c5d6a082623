// The libraries under src/ depend downward only. A file that includes a folder above its own (or
// beside it) would tie two layers together that the build keeps apart: the commands would need
// the editor to link, the command-line tool would pull in Qt.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Which folders each folder may include directly; what they reach is allowed too.
const std::map<std::string, std::set<std::string>> kDependsOn{
    {"app", {"editor"}},
    {"editor", {"integrations", "commands"}},
    {"integrations", {"settings", "rtf"}},
    {"commands", {"settings", "rtf"}},
    {"settings", {"platform"}},
    {"rtf", {"platform"}},
    {"platform", {"cipher", "armour"}},
    {"cipher", {}},
    {"armour", {}},
    // Of platform, only the Qt-free store files (see qtFree below).
    {"cli", {"cipher", "armour", "platform"}},
};

void reach(const std::string &layer, std::set<std::string> &seen)
{
    for (const std::string &below : kDependsOn.at(layer))
        if (seen.insert(below).second)
            reach(below, seen);
}

bool mayInclude(const std::string &from, const std::string &to)
{
    if (from == to)
        return true;
    std::set<std::string> below;
    reach(from, below);
    return below.count(to) > 0;
}

std::vector<std::string> lines(const fs::path &file)
{
    std::ifstream in(file);
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

bool qtFree(const fs::path &header)
{
    static const std::regex qtInclude(R"(^\s*#\s*include\s*<Q)");
    for (const std::string &line : lines(header))
        if (std::regex_search(line, qtInclude))
            return false;
    return true;
}

bool isSource(const fs::path &file)
{
    const std::string extension = file.extension().string();
    return extension == ".h" || extension == ".cpp";
}

TEST(LayeringTest, RuleRefusesUpwardAndSidewaysIncludes)
{
    const struct {
        const char *from;
        const char *to;
        bool allowed;
    } cases[] = {
        {"editor", "commands", true},    {"editor", "cipher", true},      {"app", "platform", true},
        {"commands", "editor", false},   {"integrations", "editor", false}, {"commands", "integrations", false},
        {"integrations", "commands", false}, {"settings", "rtf", false},  {"platform", "settings", false},
        {"cipher", "armour", false},     {"armour", "cipher", false},     {"cipher", "platform", false},
        {"cli", "settings", false},      {"cli", "commands", false},      {"cli", "cipher", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(mayInclude(c.from, c.to), c.allowed) << c.from << " -> " << c.to;
}

TEST(LayeringTest, EverySourceFileIncludesDownwardOnly)
{
    const fs::path root(OMBRE_SOURCE_ROOT);
    static const std::regex include(R"(^\s*#\s*include\s*"([a-z_]+)/([^"]+)\")");
    std::vector<std::string> violations;
    int scanned = 0;
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || !isSource(entry.path()))
            continue;
        const fs::path relative = fs::relative(entry.path(), root);
        const std::string from = relative.begin()->string();
        if (!kDependsOn.count(from)) {
            violations.push_back(relative.string() + ": folder " + from + " has no place in the layers");
            continue;
        }
        ++scanned;
        const std::vector<std::string> text = lines(entry.path());
        for (std::size_t i = 0; i < text.size(); ++i) {
            std::smatch match;
            if (!std::regex_search(text[i], match, include))
                continue;
            const std::string to = match[1];
            const std::string where = relative.string() + ":" + std::to_string(i + 1) + " includes " + to + "/"
                + match[2].str();
            if (!kDependsOn.count(to))
                continue; // not one of ours (a generated or third-party header)
            if (!mayInclude(from, to))
                violations.push_back(where);
            else if (from == "cli" && to == "platform" && !qtFree(root / to / match[2].str()))
                violations.push_back(where + " (a platform file that needs Qt)");
        }
    }
    EXPECT_GT(scanned, 0) << "no source found under " << root;
    for (const std::string &violation : violations)
        ADD_FAILURE() << violation;
}

} // namespace
