#pragma once
// Windows-1252 ("ANSI") text: the 8-bit code page of container headers, owner names and
// passwords. Texts elsewhere in the program are UTF-8 std::strings; these helpers convert at the
// edge and never replace a character silently.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ombre {

// Code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1. The five bytes the
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control character of the
// same value, as on Windows, so that every byte survives a decode and an encode.
inline constexpr std::array<char32_t, 32> kAnsiHighCodePoints = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Inline: the text converters call these once per character.
constexpr char32_t AnsiCodePoint(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? kAnsiHighCodePoints[byte - 0x80] : byte;
}

// The Windows-1252 byte of a code point; empty when the page cannot hold it.
constexpr std::optional<unsigned char> AnsiByte(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<unsigned char>(codePoint);
    for (std::size_t i = 0; i < kAnsiHighCodePoints.size(); ++i)
        if (kAnsiHighCodePoints[i] == codePoint)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

// UTF-8 -> Windows-1252 bytes. Empty when the input is not valid UTF-8 or holds a character that
// Windows-1252 cannot hold.
std::optional<std::string> Utf8ToAnsi(std::string_view utf8);

// The same conversion appended to `out`, for secrets converted into a buffer the caller wipes:
// false (with `out` holding the part converted so far) on the same inputs. Never more bytes than
// `utf8` holds.
bool AppendUtf8AsAnsi(std::string_view utf8, std::string &out);

// Windows-1252 bytes -> UTF-8; every byte has a meaning, so this cannot fail.
std::string AnsiToUtf8(std::string_view ansi);

bool IsValidUtf8(std::string_view bytes);

// Appends the UTF-8 bytes of a code point (at most U+10FFFF, no surrogate).
void AppendUtf8(std::string &out, char32_t codePoint);

// Decodes the UTF-8 character at `pos` and moves `pos` past it; empty (and `pos` unchanged) on a
// malformed, overlong, surrogate or truncated sequence. `pos` must be inside `text`.
std::optional<char32_t> NextUtf8CodePoint(std::string_view text, std::size_t &pos);

// Texts stored in a container header or owner name: Windows-1252 when every character fits
// (what older containers hold), otherwise the UTF-8 bytes themselves.
std::string EncodeHeaderText(std::string_view utf8);

// The reverse rule: bytes that are valid UTF-8 and hold a byte above 127 are UTF-8 (pure ASCII
// reads the same either way), anything else is Windows-1252.
std::string DecodeHeaderText(std::string_view bytes);

} // namespace ombre
