#pragma once
// The record a later start sends to the running instance (no Qt: the fuzzer reads it too).
//
// Layout, all lengths little-endian 32-bit:
//   byte 0        the data tag, 0
//   bytes 1-4     n, the length of the path (0: no document, only come to the front)
//   n bytes       the document's whole absolute path in UTF-8
//   4 bytes       m, the length of the desktop's activation token
//   m bytes       the token, printable ASCII
// The path is never cut: a path cut short would open another file, or none.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ombre {

struct HandOverRecord {
    std::string path;            // absolute, UTF-8; empty: no document
    std::string activationToken; // empty: none given
};

// Limits that keep a reader's memory small whatever a peer sends.
inline constexpr std::size_t kHandOverPathLimit = 64 * 1024;
inline constexpr std::size_t kHandOverTokenLimit = 4 * 1024;

// What the running instance answers, one byte each: the record was read, then the document
// was opened (or the window came to the front).
inline constexpr char kHandOverAccepted = 'A';
inline constexpr char kHandOverDone = 'D';

std::string EncodeHandOver(const HandOverRecord &record);

enum class HandOverParse {
    Incomplete, // more bytes are needed
    Complete,   // `record` holds the hand-over; `consumed` bytes were read
    Invalid,    // the bytes are not a hand-over: drop the sender
};

struct HandOverReading {
    HandOverParse result = HandOverParse::Incomplete;
    HandOverRecord record;
    std::size_t consumed = 0;
};

// Reads a record from the start of `bytes`. A path that is not absolute, not UTF-8 or holds a
// NUL, a token that is not printable ASCII, a length above its limit or another tag is Invalid.
HandOverReading ParseHandOver(std::string_view bytes);

} // namespace ombre
