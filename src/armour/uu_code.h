#pragma once
// TUUCode: the text armour of a container. Bound to a byte stream and a list of lines, it turns
// the stream into UUE or XXE lines (Encode) and lines back into bytes (Decode). It knows nothing
// of files, passwords or windows; the caller owns the stream and the list and shows progress.
//
// Encode and Decode run on the table-driven line routines of data_line.h. EncodeLine and
// DecodeLine are the bit-by-bit form of the same work, kept as the readable reference that the
// fast routines are checked against.

#include "armour/alphabet.h"
#include "armour/armour_error.h"
#include "armour/byte_stream.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ombre {

class TUUCode {
public:
    TUUCode(ByteStream &stream, std::vector<std::string> &lines);
    TUUCode(const TUUCode &) = delete;
    TUUCode &operator=(const TUUCode &) = delete;

    // Switches between the UUE (false) and XXE (true) alphabets.
    void SetXXE(bool flag);
    bool XXE() const { return xxe_; }
    std::string_view Alphabet() const { return alphabet_->chars; }

    // Replaces Lines with the armour of the stream's bytes from its position to its end: the begin
    // line "begin 64 <name>", one data line per 45 bytes (the last holds the final 0 to 44), "end".
    // An empty stream gives a single count-0 data line; its progress is complete from the start.
    void Encode(std::string_view name);

    // Appends to the stream, at its position, the bytes decoded from Lines. Raises EUUError
    // (EUUInvalidCharacter, EUUDamagedLine, EUUNoDataLine) on the first bad line, after writing the
    // bytes of the lines before it.
    void Decode();

    // Reference forms, bit by bit through BitBuffer. EncodeLine reads the whole block (the caller
    // pads it with zeros past n); DecodeLine fills the whole block and applies the line rules of
    // CheckDataLine.
    void EncodeLine(std::span<const std::uint8_t, kArmourBlockSize> block, int n, std::string &line);
    void DecodeLine(std::string_view line, std::span<std::uint8_t, kArmourBlockSize> block, int &count);

    // The value (0..63) of a character: its index in Alphabet; a space counts as 0; anything else
    // raises EUUInvalidCharacter.
    int CharValue(char c) const;

    std::vector<std::string> &Lines;
    ByteStream &Stream;
    bool Checksum = false;                    // Encode appends the check character to data lines
    std::function<void(TUUCode &)> OnProgress; // called with Percent updated
    std::int32_t Percent = 0;
    static constexpr std::int32_t ProgressStep = 10; // OnProgress fires when Percent is a multiple of it
    // The bits of one block for EncodeLine and DecodeLine, one per cell, 360 used, the most
    // significant bit of the first byte in cell 0.
    std::array<std::uint8_t, 361> BitBuffer{};

private:
    void Report(std::int32_t percent);

    bool xxe_ = false;
    const ArmourAlphabet *alphabet_;
};

} // namespace ombre
