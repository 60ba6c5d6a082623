#pragma once
// Small helpers of the armour tests: deterministic data, and whole encode/decode runs through
// TUUCode and through the streaming forms.

#include "armour/armour_stream.h"
#include "armour/byte_stream.h"
#include "armour/text_lines.h"
#include "armour/uu_code.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace ombre::test {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

inline Bytes RandomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes bytes(n);
    for (std::uint8_t &b : bytes)
        b = static_cast<std::uint8_t>(random());
    return bytes;
}

inline Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

inline Lines EncodeWithCode(Bytes bytes, bool xxe, std::string_view name = "lettre.cod")
{
    MemoryStream stream(bytes);
    Lines lines;
    TUUCode code(stream, lines);
    code.SetXXE(xxe);
    code.Checksum = true;
    code.Encode(name);
    return lines;
}

// Decodes into out (kept on failure, so that a test sees the bytes written before a bad line).
inline void DecodeWithCode(Lines lines, bool xxe, Bytes &out)
{
    MemoryStream stream(out);
    TUUCode code(stream, lines);
    code.SetXXE(xxe);
    code.Checksum = true;
    code.Decode();
}

inline Bytes DecodeWithCode(const Lines &lines, bool xxe)
{
    Bytes out;
    DecodeWithCode(lines, xxe, out);
    return out;
}

// The streaming encoder fed in pieces of at most `piece` bytes.
inline std::string EncodeStreaming(const Bytes &bytes, bool xxe, std::size_t piece, std::string_view name = "lettre.cod")
{
    std::string text;
    ArmourEncoder encoder(xxe, true, name, bytes.size(), [&text](std::string_view part) { text += part; });
    for (std::size_t i = 0; i < bytes.size(); i += piece)
        encoder.Feed(std::span(bytes).subspan(i, std::min(piece, bytes.size() - i)));
    encoder.Finish();
    return text;
}

struct StreamingResult {
    Bytes bytes;
    ArmourError error = ArmourError::None;
    std::size_t errorLine = 0;
};

// The streaming decoder fed in pieces of at most `piece` characters.
inline StreamingResult DecodeStreaming(std::string_view text, bool xxe, std::size_t piece)
{
    StreamingResult result;
    ArmourDecoder decoder(xxe, [&result](std::span<const std::uint8_t> part) {
        result.bytes.insert(result.bytes.end(), part.begin(), part.end());
    }, text.size());
    for (std::size_t i = 0; i < text.size() && !decoder.Done(); i += piece)
        decoder.Feed(text.substr(i, piece));
    result.error = decoder.Finish();
    result.errorLine = decoder.ErrorLine();
    return result;
}

inline std::filesystem::path FixturePath(const std::string &name)
{
    return std::filesystem::path(OMBRE_TEST_DATA) / "armour" / name;
}

inline std::string ReadFixture(const std::string &name)
{
    std::ifstream in(FixturePath(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace ombre::test
