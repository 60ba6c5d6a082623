#include "cipher/ansi.h"

#include <cstdint>

namespace ombre {
std::optional<char32_t> NextUtf8CodePoint(std::string_view s, std::size_t &pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    std::size_t extra;
    char32_t cp;
    char32_t minimum;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (s.size() - pos <= extra)
        return std::nullopt;
    for (std::size_t i = 1; i <= extra; ++i) {
        const unsigned char cont = byte(pos + i);
        if ((cont & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (cont & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    pos += extra + 1;
    return cp;
}

void AppendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

namespace {

bool hasHighByte(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) > 127)
            return true;
    return false;
}

} // namespace

bool AppendUtf8AsAnsi(std::string_view utf8, std::string &out)
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto cp = NextUtf8CodePoint(utf8, pos);
        if (!cp)
            return false;
        const auto b = AnsiByte(*cp);
        if (!b)
            return false;
        out += static_cast<char>(*b);
    }
    return true;
}

std::optional<std::string> Utf8ToAnsi(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    if (!AppendUtf8AsAnsi(utf8, out))
        return std::nullopt;
    return out;
}

std::string AnsiToUtf8(std::string_view ansi)
{
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 2);
    for (char c : ansi)
        AppendUtf8(out, AnsiCodePoint(static_cast<unsigned char>(c)));
    return out;
}

bool IsValidUtf8(std::string_view bytes)
{
    for (std::size_t pos = 0; pos < bytes.size();)
        if (!NextUtf8CodePoint(bytes, pos))
            return false;
    return true;
}

std::string EncodeHeaderText(std::string_view utf8)
{
    if (auto ansi = Utf8ToAnsi(utf8))
        return std::move(*ansi);
    return std::string(utf8);
}

std::string DecodeHeaderText(std::string_view bytes)
{
    if (hasHighByte(bytes) && IsValidUtf8(bytes))
        return std::string(bytes);
    return AnsiToUtf8(bytes);
}

} // namespace ombre
