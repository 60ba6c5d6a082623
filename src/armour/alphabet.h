#pragma once
// The two 64-character alphabets of the text armour and the lookup tables that the fast line
// routines use. A character's value is its index in the alphabet; a space, which neither alphabet
// holds, counts as 0 so that traditional uuencode text (spaces for zero) is accepted.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ombre {

inline constexpr std::string_view kUUEAlphabet =
    "`!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_";
inline constexpr std::string_view kXXEAlphabet =
    "+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// Bytes per data line, and the longest data line the encoder writes (count, 60 data characters,
// check character).
inline constexpr std::size_t kArmourBlockSize = 45;
inline constexpr std::size_t kArmourFullDataChars = 60;
inline constexpr std::size_t kArmourMaxLineLength = 1 + kArmourFullDataChars + 1;

// Lines are cut to this length before decoding; nothing that a valid line holds lies beyond it.
inline constexpr std::size_t kArmourLineCut = 255;

inline constexpr std::int8_t kArmourInvalid = -1;

struct ArmourAlphabet {
    std::string_view chars;                  // character of value v at index v
    std::array<std::int8_t, 256> values;     // value of each character, kArmourInvalid when none

    char Char(unsigned value) const { return chars[value]; }
    int Value(char c) const { return values[static_cast<unsigned char>(c)]; }
};

const ArmourAlphabet &UUEArmourAlphabet();
const ArmourAlphabet &XXEArmourAlphabet();
inline const ArmourAlphabet &ArmourAlphabetFor(bool xxe)
{
    return xxe ? XXEArmourAlphabet() : UUEArmourAlphabet();
}

// Data characters the encoder writes for a block of n bytes (0..45): 60 for a full block, else
// n * 4 div 3 + 1, one more than the bits need when n is a multiple of 3.
constexpr std::size_t ArmourDataChars(std::size_t n)
{
    return n == kArmourBlockSize ? kArmourFullDataChars : n * 4 / 3 + 1;
}

// Data characters that n bytes need at the least: every encoder writes at least these.
constexpr std::size_t ArmourNeededChars(std::size_t n)
{
    return (n * 4 + 2) / 3;
}

} // namespace ombre
