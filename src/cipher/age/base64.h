#pragma once
// Base64 with the standard alphabet, in the two forms the format uses: without padding in the
// header, with padding in the armour. Decoding is canonical: padding where it does not belong,
// bits set after the last byte, characters outside the alphabet (spaces and line ends included)
// are refused, so that every file has exactly one encoding. What goes through here is never
// secret (salts, sealed keys, MACs, ciphertext), so it is table-driven rather than constant-time:
// the armour of a large file runs at memory speed.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ombre::age {

enum class Padding { None, Required };

// The number of characters `bytes` bytes encode to.
std::size_t Base64Size(std::size_t bytes, Padding padding);

// Writes the encoding of `bytes` at `out`, which has room for Base64Size(...) characters;
// returns the number of characters written.
std::size_t EncodeBase64Into(std::span<const std::uint8_t> bytes, Padding padding, char *out);

std::string EncodeBase64(std::span<const std::uint8_t> bytes, Padding padding);

// Decodes `text` into `out`; returns the number of bytes written, or nothing when the text is not
// a canonical encoding or decodes to more than `out` holds.
std::optional<std::size_t> DecodeBase64Into(std::string_view text, Padding padding, std::span<std::uint8_t> out);

std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text, Padding padding);

} // namespace ombre::age
