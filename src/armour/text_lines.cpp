#include "armour/text_lines.h"

#include "armour/line_splitter.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>
#include <unistd.h>

namespace ombre {

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    LineSplitter splitter;
    const auto keep = [&lines](std::string_view line, std::size_t) {
        lines.emplace_back(line);
        return true;
    };
    splitter.Feed(text, keep);
    splitter.Finish(keep);
    return lines;
}

std::string JoinLines(const std::vector<std::string> &lines)
{
    std::size_t size = 0;
    for (const std::string &line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string &line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

TextFileResult ReadLinesFile(const std::filesystem::path &path, std::vector<std::string> &lines)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return TextFileResult::ReadFailed;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return TextFileResult::ReadFailed;
    lines = SplitLines(text);
    return TextFileResult::Ok;
}

namespace {

// Creates a file of a fresh name beside target; "x" refuses a name that exists already.
std::FILE *CreateTemporaryBeside(const std::filesystem::path &target, std::filesystem::path &temporary)
{
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = target;
        temporary += ".tmp-" + std::to_string(random());
        if (std::FILE *file = std::fopen(temporary.c_str(), "wbx"))
            return file;
    }
    return nullptr;
}

} // namespace

TextFileResult WriteLinesFile(const std::filesystem::path &path, const std::vector<std::string> &lines)
{
    std::filesystem::path temporary;
    std::FILE *file = CreateTemporaryBeside(path, temporary);
    if (!file)
        return TextFileResult::WriteFailed;
    const std::string text = JoinLines(lines);
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fflush(file) == 0 && ok;
    // On disk before the rename, so that a crash cannot leave the new name on missing data.
    ok = ::fsync(::fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    std::error_code error;
    if (ok)
        std::filesystem::rename(temporary, path, error);
    if (!ok || error) {
        std::filesystem::remove(temporary, error);
        return TextFileResult::WriteFailed;
    }
    return TextFileResult::Ok;
}

} // namespace ombre
