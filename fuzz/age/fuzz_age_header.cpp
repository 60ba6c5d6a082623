// The reader under arbitrary input, binary or armoured, with a fixed passphrase: header, stanza,
// MAC, chunks. Fed whole and in pieces it must agree with itself, and with what the header's
// facts alone (no passphrase, no scrypt) say of the same input.

#include "cipher/age/age.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace ombre::age;
using Bytes = std::vector<std::uint8_t>;

// Seeds are sealed with it: mutations of them reach the payload.
constexpr std::string_view kPassphrase = "fuzz";
// Beyond this, scrypt would make each run slow and the fuzzer blind; the rules on larger work
// factors are the header's, and no scrypt runs before them.
constexpr int kFuzzMaxWorkFactor = 10;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Opened {
    Result result;
    Bytes plain;
};

Opened open(std::span<const std::uint8_t> input, std::size_t piece)
{
    Opened opened;
    Reader reader(kPassphrase, [&opened](std::span<const std::uint8_t> bytes) {
        opened.plain.insert(opened.plain.end(), bytes.begin(), bytes.end());
    });
    for (std::size_t pos = 0; pos < input.size(); pos += piece) {
        const Result fed = reader.feed(input.subspan(pos, std::min(piece, input.size() - pos)));
        if (fed != Result::Ok)
            check(reader.feed(input.first(1)) == fed); // final
    }
    opened.result = reader.finish();
    check(reader.finish() == opened.result);
    check(opened.result != Result::Ok || (reader.headerComplete() && reader.facts().stanzaTypes.size() == 1));
    return opened;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::span<const std::uint8_t> input(data, size);
    Reader facts("");
    facts.feed(input);
    const Result header = facts.finish();
    if (facts.facts().workFactor > kFuzzMaxWorkFactor)
        return 0;

    const Opened whole = open(input, std::max<std::size_t>(size, 1));
    // The last byte chooses the piece size of the second reading.
    const Opened pieces = open(input, size > 0 ? 1 + data[size - 1] % 97 : 1);
    check(whole.result == pieces.result && whole.plain == pieces.plain);

    switch (header) {
    case Result::Ok: // a sound scrypt header: the passphrase decides
        check(whole.result != Result::NotAge && whole.result != Result::NotPassphrase);
        break;
    case Result::WrongPassphrase: // never without a passphrase
        check(false);
        break;
    default:
        check(whole.result == header);
        check(whole.plain.empty());
        break;
    }
    return 0;
}
