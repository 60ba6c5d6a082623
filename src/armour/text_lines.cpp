#include "armour/text_lines.h"

#include "armour/line_splitter.h"

#include <fstream>
#include <iterator>

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

} // namespace ombre
