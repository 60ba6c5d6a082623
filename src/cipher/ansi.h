#pragma once
// Windows-1252 ("ANSI") text: the 8-bit code page of container headers, owner names and
// passwords. Texts elsewhere in the program are UTF-8 std::strings; these helpers convert at the
// edge and never replace a character silently.

#include <optional>
#include <string>
#include <string_view>

namespace ombre {

// UTF-8 -> Windows-1252 bytes. Empty when the input is not valid UTF-8 or holds a character that
// Windows-1252 cannot hold. The five code points the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the control characters U+0081 ... as on Windows, so every byte round-trips.
std::optional<std::string> Utf8ToAnsi(std::string_view utf8);

// Windows-1252 bytes -> UTF-8; every byte has a meaning, so this cannot fail.
std::string AnsiToUtf8(std::string_view ansi);

bool IsValidUtf8(std::string_view bytes);

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
