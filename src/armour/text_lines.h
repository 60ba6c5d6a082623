#pragma once
// The armoured text as a list of lines and back: lines are stored without their ends; read from
// text, a line ends at CR LF, lone CR or lone LF; written, every line (the last included) is
// followed by CR LF.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ombre {

std::vector<std::string> SplitLines(std::string_view text);
std::string JoinLines(const std::vector<std::string> &lines);

enum class TextFileResult { Ok, ReadFailed };

TextFileResult ReadLinesFile(const std::filesystem::path &path, std::vector<std::string> &lines);

} // namespace ombre
