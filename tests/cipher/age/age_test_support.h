#pragma once
// Sealing and opening whole byte strings for the tests, with a work factor low enough that scrypt
// costs milliseconds.

#include "cipher/age/age.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ombre::age::test {

using Bytes = std::vector<std::uint8_t>;

inline constexpr int kTestWorkFactor = 10;
inline constexpr std::string_view kPassphrase = "correct horse battery staple";

inline Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }
inline std::string textOf(const Bytes &bytes) { return std::string(bytes.begin(), bytes.end()); }

// Bytes that repeat no pattern a chunk boundary could hide behind.
inline Bytes sampleBytes(std::size_t size)
{
    Bytes bytes(size);
    std::uint32_t state = 0x12345678u + static_cast<std::uint32_t>(size);
    for (std::uint8_t &byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

inline Bytes seal(const Bytes &plain, bool armoured = false, std::string_view passphrase = kPassphrase)
{
    return SealBuffer(passphrase, armoured, plain, {}, kTestWorkFactor);
}

struct Opened {
    Result result = Result::NotAge;
    Bytes plain;
    bool sawOkFeed = true; // every feed() returned Ok
};

// Opens `file` fed in pieces of `piece` bytes (0: whole).
inline Opened open(const Bytes &file, std::string_view passphrase = kPassphrase, std::size_t piece = 0)
{
    Opened opened;
    Reader reader(passphrase, [&opened](std::span<const std::uint8_t> bytes) {
        opened.plain.insert(opened.plain.end(), bytes.begin(), bytes.end());
    });
    const std::size_t step = piece == 0 ? std::max<std::size_t>(file.size(), 1) : piece;
    for (std::size_t pos = 0; pos < file.size(); pos += step) {
        const std::size_t size = std::min(step, file.size() - pos);
        if (reader.feed(std::span(file).subspan(pos, size)) != Result::Ok)
            opened.sawOkFeed = false;
    }
    opened.result = reader.finish();
    return opened;
}

} // namespace ombre::age::test
