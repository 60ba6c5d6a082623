#include "cipher/ansi.h"

#include <array>
#include <cstdint>

namespace ombre {
namespace {

// Code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t ansiCodePoint(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

std::optional<unsigned char> ansiByte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == cp)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

} // namespace

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

namespace {

void appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        // Windows-1252 reaches at most U+2122, so three bytes suffice.
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool hasHighByte(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) > 127)
            return true;
    return false;
}

} // namespace

std::optional<std::string> Utf8ToAnsi(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto cp = NextUtf8CodePoint(utf8, pos);
        if (!cp)
            return std::nullopt;
        const auto b = ansiByte(*cp);
        if (!b)
            return std::nullopt;
        out += static_cast<char>(*b);
    }
    return out;
}

std::string AnsiToUtf8(std::string_view ansi)
{
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 2);
    for (char c : ansi)
        appendUtf8(out, ansiCodePoint(static_cast<unsigned char>(c)));
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
