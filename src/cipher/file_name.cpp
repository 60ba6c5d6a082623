#include "cipher/file_name.h"

#include "cipher/ansi.h"

namespace ombre {
namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

std::size_t measure(std::string_view text, NameUnit unit)
{
    if (unit == NameUnit::Bytes)
        return text.size();
    std::size_t characters = 0;
    for (char c : text)
        characters += !isContinuation(static_cast<unsigned char>(c));
    return characters;
}

// Where the extension starts (its dot), or npos; a leading dot marks a hidden name, not an
// extension.
std::size_t extensionStart(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return dot == 0 ? std::string_view::npos : dot;
}

} // namespace

std::string CleanControlCharacters(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t start = pos;
        const auto cp = NextUtf8CodePoint(name, pos);
        if (!cp) {
            out += '_';
            ++pos;
        } else if (*cp < 0x20 || (*cp >= 0x7F && *cp <= 0x9F)) {
            out += '_';
        } else {
            out += name.substr(start, pos - start);
        }
    }
    return out;
}

std::string BareFileName(std::string_view name)
{
    const std::size_t separator = name.find_last_of("/\\");
    if (separator != std::string_view::npos)
        name.remove_prefix(separator + 1);
    std::string bare = CleanControlCharacters(name);
    if (bare == "." || bare == "..")
        return {};
    return ShortenFileName(bare, kMaxFileNameBytes, NameUnit::Bytes);
}

std::string ShortenFileName(std::string_view name, std::size_t limit, NameUnit unit)
{
    if (measure(name, unit) <= limit)
        return std::string(name);
    std::string_view stem = name;
    std::string_view extension;
    if (const std::size_t dot = extensionStart(name); dot != std::string_view::npos) {
        // An extension that would leave less than half the room for the stem is cut like the rest.
        if (measure(name.substr(dot), unit) <= limit / 2) {
            stem = name.substr(0, dot);
            extension = name.substr(dot);
        }
    }
    const std::size_t room = limit - measure(extension, unit);
    return std::string(LeadingCharacters(stem, room, unit)) + std::string(extension);
}

std::string_view LeadingCharacters(std::string_view text, std::size_t limit, NameUnit unit)
{
    std::size_t used = 0;
    std::size_t end = 0;
    while (end < text.size()) {
        std::size_t next = end + 1;
        while (next < text.size() && isContinuation(static_cast<unsigned char>(text[next])))
            ++next;
        used += unit == NameUnit::Bytes ? next - end : 1;
        if (used > limit)
            break;
        end = next;
    }
    return text.substr(0, end);
}

std::string ReplaceExtension(std::string_view name, std::string_view extension)
{
    const std::size_t dot = extensionStart(name);
    return std::string(name.substr(0, dot)) + std::string(extension);
}

std::string LowerExtension(std::string_view name)
{
    if (const std::size_t slash = name.rfind('/'); slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    const std::size_t dot = extensionStart(name);
    if (dot == std::string_view::npos)
        return {};
    std::string extension(name.substr(dot));
    for (char &c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return extension;
}

std::string DecryptedFileName(std::string_view headerSourceName, std::string_view containerFileName)
{
    if (std::string name = BareFileName(DecodeHeaderText(headerSourceName)); !name.empty())
        return name;
    // The bare name first, so that a dot in a folder's name is never taken for the extension.
    if (std::string stem = BareFileName(ReplaceExtension(BareFileName(containerFileName), "")); !stem.empty())
        return stem;
    return std::string(kUnnamedFileName);
}

} // namespace ombre
