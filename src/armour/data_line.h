#pragma once
// The fast, table-driven data-line routines: whole 3-byte groups to 4 characters and back. They
// write exactly what the bit-buffer reference in TUUCode writes, and are what every bulk path
// (TUUCode::Encode and Decode, the streaming encoder and decoder) runs on.

#include "armour/alphabet.h"
#include "armour/armour_error.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ombre {

// Writes the data line of a block of n bytes (n from 0 to 45; bytes[0..n) are read, the rest of
// the block counts as zero) to out, which has room for kArmourMaxLineLength characters. Returns
// the line's length. With checksum, the line ends with the check character.
std::size_t EncodeDataLine(const ArmourAlphabet &alphabet, const std::uint8_t *bytes, std::size_t n,
                           bool checksum, char *out);

// The rules a data line must meet before its bits are read, shared with the reference decoder.
// On success, count is the line's byte count and checked the number of characters after the
// count character that decoding reads (and so must be in the alphabet):
//  - a count above 45 is refused: a block holds 45 bytes and the line cannot say which to keep;
//  - a full line (count 45) reads its first 60 characters; what follows, the check character
//    included, is never examined;
//  - a shorter line reads all its characters; it may hold at most 61 (60 data characters and a
//    check character, as traditional encoders with check characters write for 43 and 44 bytes);
//    more means lines ran together and the line is refused;
//  - a line with fewer characters than its count needs (4 per 3 bytes) was cut and is refused,
//    rather than decoded with made-up zero bits;
//  - every character read must be in the alphabet or a space.
// The checks run in that order, so the count character is judged first.
ArmourError CheckDataLine(const ArmourAlphabet &alphabet, std::string_view line, std::size_t &count,
                          std::size_t &checked);

// Decodes one data line into out (room for 45 bytes); count receives the number of bytes
// written. Nothing is written past the line's count, not even for a line that is refused (which
// may leave bytes in out that the caller must not use).
ArmourError DecodeDataLine(const ArmourAlphabet &alphabet, std::string_view line, std::uint8_t *out,
                           std::size_t &count);

// What a line of an armoured text is, by its place and content. The begin line (index 0) is
// skipped unread, so the text must start with it; the first data line (index 1) is always
// decoded; from index 2 on, a line that is exactly "end", or exactly the zero character alone
// (the traditional empty last line), ends the data. Comparisons are exact and case-sensitive.
// An empty line carries no count and no bytes: it is passed over wherever it stands, which
// invents nothing (e.g. a blank line added in transport, or one before a missing "end").
enum class ArmourLineKind { Skip, Data, End };
ArmourLineKind ClassifyArmourLine(const ArmourAlphabet &alphabet, std::size_t index, std::string_view line);

} // namespace ombre
