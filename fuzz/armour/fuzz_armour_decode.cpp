// Arbitrary text through the armour decoders, in both alphabets. Besides crashes and out-of-bounds
// reads, it checks that TUUCode, the streaming decoder (in pieces of a size taken from the input)
// and the bit-buffer reference agree on every line, and that the input as bytes survives an
// encode and decode.

#include "armour/armour_stream.h"
#include "armour/byte_stream.h"
#include "armour/data_line.h"
#include "armour/text_lines.h"
#include "armour/uu_code.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace ombre;
using Bytes = std::vector<std::uint8_t>;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void DecodeBothWays(std::string_view text, bool xxe)
{
    std::vector<std::string> lines = SplitLines(text);
    Bytes whole;
    ArmourError error = ArmourError::None;
    std::size_t errorLine = 0;
    {
        MemoryStream stream(whole);
        TUUCode code(stream, lines);
        code.SetXXE(xxe);
        try {
            code.Decode();
        } catch (const EUUError &e) {
            error = e.error();
            errorLine = e.line();
        }
        Require(code.Percent == 100);
    }

    Bytes streamed;
    ArmourDecoder decoder(xxe, [&streamed](std::span<const std::uint8_t> b) {
        streamed.insert(streamed.end(), b.begin(), b.end());
    }, text.size());
    const std::size_t piece = 1 + text.size() % 61;
    for (std::size_t i = 0; i < text.size() && !decoder.Done(); i += piece)
        decoder.Feed(text.substr(i, piece));
    Require(decoder.Finish() == error);
    Require(streamed == whole);
    if (error != ArmourError::None)
        Require(decoder.ErrorLine() == errorLine);

    // Line by line, the bit-buffer reference reads what the table-driven decoder reads. Both
    // judge a line by the same rules, so only accepted lines are compared (a refused line would
    // cost the reference an exception per line and slow the search down).
    Bytes unused;
    MemoryStream stream(unused);
    TUUCode reference(stream, lines);
    reference.SetXXE(xxe);
    for (const std::string &line : lines) {
        const std::string_view cut = std::string_view(line).substr(0, kArmourLineCut);
        std::array<std::uint8_t, kArmourBlockSize> fast{}, slow{};
        std::size_t count = 0;
        if (DecodeDataLine(ArmourAlphabetFor(xxe), cut, fast.data(), count) != ArmourError::None)
            continue;
        int slowCount = 0;
        reference.DecodeLine(cut, slow, slowCount);
        Require(static_cast<int>(count) == slowCount && std::equal(fast.begin(), fast.begin() + count, slow.begin()));
    }
}

void RoundTrip(const std::uint8_t *data, std::size_t size, bool xxe)
{
    Bytes bytes(data, data + size);
    MemoryStream source(bytes);
    std::vector<std::string> lines;
    TUUCode code(source, lines);
    code.SetXXE(xxe);
    code.Checksum = true;
    code.Encode("fuzz.cod");
    Bytes back;
    MemoryStream target(back);
    TUUCode decoder(target, lines);
    decoder.SetXXE(xxe);
    decoder.Decode();
    Require(back == bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    for (bool xxe : {false, true}) {
        DecodeBothWays(text, xxe);
        RoundTrip(data, size, xxe);
    }
    return 0;
}
