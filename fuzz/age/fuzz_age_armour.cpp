// The armour decoder under arbitrary text. Fed in pieces of a size taken from the input it must
// agree with itself fed whole; and an armour it accepts must be the one encoding of its bytes,
// give or take the whitespace around it and CRLF line ends (otherwise a file could be altered
// without the key showing it).

#include "cipher/age/armour.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace ombre::age;
using Bytes = std::vector<std::uint8_t>;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

Result decode(std::span<const std::uint8_t> input, std::size_t piece, Bytes &out)
{
    ArmourDecoder decoder;
    for (std::size_t pos = 0; pos < input.size(); pos += piece)
        if (decoder.feed(input.subspan(pos, std::min(piece, input.size() - pos)), out) != Result::Ok)
            break;
    return decoder.finish();
}

std::string encode(const Bytes &bytes)
{
    std::string text;
    const Sink append = [&text](std::span<const std::uint8_t> piece) { text.append(piece.begin(), piece.end()); };
    ArmourEncoder encoder(append);
    encoder.write(bytes, append);
    encoder.finish(append);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::span<const std::uint8_t> input(data, size);
    Bytes whole;
    const Result result = decode(input, std::max<std::size_t>(size, 1), whole);
    Bytes pieces;
    check(decode(input, size > 0 ? 1 + data[0] % 67 : 1, pieces) == result);
    if (result != Result::Ok)
        return 0;
    check(whole == pieces && !whole.empty());

    std::string given(input.begin(), input.end());
    const auto text = [](char c) { return !IsArmourWhitespace(static_cast<std::uint8_t>(c)); };
    given.erase(given.begin(), std::find_if(given.begin(), given.end(), text));
    given.erase(std::find_if(given.rbegin(), given.rend(), text).base(), given.end());
    given.erase(std::remove(given.begin(), given.end(), '\r'), given.end());
    check(given + '\n' == encode(whole));
    return 0;
}
