#include "cipher/age/age.h"

#include "cipher/age/armour.h"
#include "cipher/file_name.h"

#include <algorithm>

namespace ombre::age {
namespace {

// Keeps the restored file from taking the place of a sealed file that was not named ".age".
constexpr std::string_view kOpenedMark = " (décrypté)";

// Also a bare ".age", which has no extension to the file name rules (it is a hidden name) but
// holds nothing else either.
bool endsWithAgeExtension(std::string_view name)
{
    if (name.size() < kExtension.size())
        return false;
    return std::equal(kExtension.begin(), kExtension.end(), name.end() - kExtension.size(), [](char a, char b) {
        return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b);
    });
}

// Whether `text` is `line`, followed by a line end or by nothing more (the view ends there).
bool startsWithLine(std::string_view text, std::string_view line)
{
    return text.starts_with(line)
        && (text.size() == line.size() || text[line.size()] == '\n' || text[line.size()] == '\r');
}

} // namespace

Encoding RecogniseAge(std::span<const std::uint8_t> start)
{
    const std::string_view text(reinterpret_cast<const char *>(start.data()), start.size());
    if (text.starts_with(kVersionLine) && (text.size() == kVersionLine.size() || text[kVersionLine.size()] == '\n'))
        return Encoding::Binary;
    const auto armour = std::find_if_not(start.begin(), start.end(), IsArmourWhitespace);
    const std::string_view rest = text.substr(armour - start.begin());
    if (startsWithLine(rest, kArmourBeginLine))
        return Encoding::Armoured;
    // Whitespace before the armour may push its begin line past the bytes looked at.
    if (start.size() >= kRecognitionBytes && !rest.empty() && kArmourBeginLine.starts_with(rest))
        return Encoding::Armoured;
    return Encoding::NotAge;
}

std::string OpenedFileName(std::string_view name)
{
    const std::string bare = BareFileName(name);
    std::string opened;
    if (endsWithAgeExtension(bare)) {
        opened = BareFileName(std::string_view(bare).substr(0, bare.size() - kExtension.size()));
    } else if (!bare.empty()) {
        const std::string stem = ReplaceExtension(bare, "");
        const std::string extension = bare.substr(stem.size());
        // The stem gives way to the mark: cut from the end of the whole, a name of the longest
        // length would come back as itself.
        const std::size_t room = kMaxFileNameBytes - std::min(kMaxFileNameBytes, kOpenedMark.size() + extension.size());
        opened = BareFileName(std::string(LeadingCharacters(stem, room, NameUnit::Bytes)) + std::string(kOpenedMark)
                              + extension);
    }
    return opened.empty() ? std::string(kUnnamedFileName) : opened;
}

} // namespace ombre::age
