#pragma once
// age's text armour: the binary file in standard padded base64, 64 columns a line, between the
// begin and end lines. Reading is strict, since any freedom in the armour would let a file be
// altered without the key showing it: lines of exactly 64 columns but the last, no blank or short
// line before it, canonical padding, one line-end style throughout (LF or CRLF), and nothing but
// whitespace before the begin line and after the end line. Both directions work in pieces.

#include "cipher/age/age.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ombre::age {

// Base64 characters on each line but the last, and the bytes they hold.
inline constexpr std::size_t kArmourColumns = 64;
inline constexpr std::size_t kArmourLineBytes = 48;

// What may surround the armour.
bool IsArmourWhitespace(std::uint8_t byte);

class ArmourEncoder {
public:
    // Hands the begin line to `sink`.
    explicit ArmourEncoder(const Sink &sink);

    // Every full line is handed on at once; the bytes of an unfinished line wait for the next.
    void write(std::span<const std::uint8_t> bytes, const Sink &sink);
    // The last line (padded) and the end line, each ended by a line feed.
    void finish(const Sink &sink);

private:
    std::array<std::uint8_t, kArmourLineBytes> m_pending{};
    std::size_t m_pendingSize = 0;
    std::string m_text;
};

class ArmourDecoder {
public:
    // Decodes the next piece and appends the bytes it holds to `out`. Ok so far; NotAge when the
    // input does not start with the begin line; Damaged when it breaks a rule of the armour. Any
    // result but Ok is final.
    Result feed(std::span<const std::uint8_t> piece, std::vector<std::uint8_t> &out);
    // The input has ended: Ok when the end line was seen (its line end may be missing).
    Result finish();

private:
    Result readLine(std::string_view line, std::vector<std::uint8_t> &out);
    Result readBodyLine(std::string_view line, std::vector<std::uint8_t> &out);

    enum class Phase { Before, BeginLine, Body, After };
    Phase m_phase = Phase::Before;
    Result m_result = Result::Ok;
    std::string m_line;
    bool m_crlf = false;
    bool m_anyBodyLine = false;
    bool m_lastBodyLineSeen = false;
};

} // namespace ombre::age
