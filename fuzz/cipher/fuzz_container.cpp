// Container reader under arbitrary input: header parse, owner name, content, and the reduction of
// the header's source name to a bare file name. Fed whole and in pieces, it must agree with
// itself and keep its invariants.

#include "cipher/ansi.h"
#include "cipher/container.h"
#include "cipher/file_name.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace ombre;
    // The first byte chooses the piece size of the second reading.
    const std::size_t piece = size > 0 ? 1 + data[0] % 64 : 1;
    const std::vector<std::uint8_t> input(data, data + size);

    CipherState cipher;
    CipherSetKey(cipher, "Fuzz");
    // The whole input at once, as the program reads a document.
    std::vector<std::uint8_t> inPlace = input;
    std::span<std::uint8_t> rest(inPlace);
    ContainerReader whole(cipher);
    const bool accepted = whole.feedHeader(rest);
    check(accepted || inPlace == input);
    const std::span<std::uint8_t> wholeContent = accepted ? whole.feedInPieces(rest, {}) : rest.first(0);
    const ContainerResult result = whole.finish();

    CipherSetKey(cipher, "Fuzz");
    ContainerReader reader(cipher);
    std::vector<std::uint8_t> content;
    for (std::size_t pos = 0; pos < size; pos += piece) {
        std::vector<std::uint8_t> chunk(input.begin() + pos, input.begin() + std::min(size, pos + piece));
        const auto out = reader.feed(chunk);
        check(out.size() <= chunk.size());
        content.insert(content.end(), out.begin(), out.end());
    }
    check(reader.finish() == result);
    CipherReset(cipher);
    if (result != ContainerResult::Ok)
        return 0;

    check(std::equal(content.begin(), content.end(), wholeContent.begin(), wholeContent.end())
          && reader.ownerName() == whole.ownerName());
    const TCryptHeader &header = whole.header();
    check(header.SourceName.size() <= kMaxSourceNameBytes);
    check(whole.ownerName().size() <= header.OwnerNameLength);
    check(1 + input[0] + whole.ownerName().size() + wholeContent.size() == size);

    const std::string bare = BareFileName(DecodeHeaderText(header.SourceName));
    check(bare.find('/') == std::string::npos && bare.find('\\') == std::string::npos);
    check(bare != "." && bare != ".." && bare.size() <= kMaxFileNameBytes);
    check(IsValidUtf8(bare));
    for (unsigned char c : bare)
        check(c >= 0x20 && c != 0x7F);
    check(IsValidUtf8(CheckedOwnerText(whole.ownerName())));
    return 0;
}
