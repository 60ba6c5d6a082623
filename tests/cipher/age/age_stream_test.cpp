// Whole files through Writer and Reader: sizes around the chunk boundaries, binary and armoured,
// fed in pieces of every awkward size; then files cut short, lengthened or altered anywhere.

#include "age_test_support.h"

#include "cipher/age/armour.h"
#include "cipher/age/header.h"
#include "cipher/age/payload.h"
#include "cipher/age/scrypt_stanza.h"

#include <gtest/gtest.h>

namespace ombre::age::test {
namespace {

constexpr std::size_t kSizes[] = {0, 1, kChunkSize - 1, kChunkSize, kChunkSize + 1, 2 * kChunkSize};

TEST(AgeStream, RoundTripsEverySizeInEveryPieceSize)
{
    for (const bool armoured : {false, true}) {
        for (const std::size_t size : kSizes) {
            const Bytes plain = sampleBytes(size);
            const Bytes sealed = seal(plain, armoured);
            for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, kChunkSize, std::size_t{0}}) {
                if (piece == 1 && size > kChunkSize + 1)
                    continue; // byte by byte adds nothing past the first boundary but time
                const Opened opened = open(sealed, kPassphrase, piece);
                SCOPED_TRACE(testing::Message() << "armoured " << armoured << " size " << size << " piece " << piece);
                EXPECT_EQ(opened.result, Result::Ok);
                EXPECT_TRUE(opened.sawOkFeed);
                EXPECT_EQ(opened.plain, plain);
            }
        }
    }
}

TEST(AgeStream, WriterStreamsWhateverThePiecesWritten)
{
    const Bytes plain = sampleBytes(3 * kChunkSize + 5);
    for (const std::size_t piece : {std::size_t{1000}, kChunkSize, kChunkSize + 3}) {
        Bytes sealed;
        Writer writer(kPassphrase, false, [&sealed](std::span<const std::uint8_t> bytes) {
            sealed.insert(sealed.end(), bytes.begin(), bytes.end());
        }, kTestWorkFactor);
        for (std::size_t pos = 0; pos < plain.size(); pos += piece)
            writer.write(std::span(plain).subspan(pos, std::min(piece, plain.size() - pos)));
        writer.finish();
        const Opened opened = open(sealed);
        EXPECT_EQ(opened.result, Result::Ok) << piece;
        EXPECT_EQ(opened.plain, plain) << piece;
    }
}

TEST(AgeStream, BinaryFileHasTheExpectedShape)
{
    const Bytes sealed = seal(bytesOf("Bonjour"));
    const std::string text = textOf(sealed);
    ASSERT_TRUE(text.starts_with("age-encryption.org/v1\n-> scrypt "));
    const std::size_t stanzaEnd = text.find('\n', 22);
    // Salt of 16 bytes (22 characters), the work factor, a body of 32 bytes on one line.
    EXPECT_EQ(text.substr(22, stanzaEnd - 22).size(), std::string("-> scrypt ").size() + 22 + 3);
    EXPECT_TRUE(text.substr(22, stanzaEnd - 22).ends_with(" 10"));
    const std::size_t bodyEnd = text.find('\n', stanzaEnd + 1);
    EXPECT_EQ(bodyEnd - stanzaEnd - 1, 43u);
    const std::size_t macEnd = text.find('\n', bodyEnd + 1);
    EXPECT_EQ(text.substr(bodyEnd + 1, 4), "--- ");
    EXPECT_EQ(macEnd - bodyEnd - 1, 4u + 43);
    // Nonce, then one chunk: the text and its tag.
    EXPECT_EQ(sealed.size() - (macEnd + 1), kPayloadNonceSize + 7 + kTagSize);
}

TEST(AgeStream, WrongPassphraseIsToldApartAndOpensNothing)
{
    const Bytes sealed = seal(sampleBytes(kChunkSize + 10));
    for (const std::size_t piece : {std::size_t{1}, std::size_t{0}}) {
        const Opened opened = open(sealed, "Correct horse battery staple", piece);
        EXPECT_EQ(opened.result, Result::WrongPassphrase);
        EXPECT_TRUE(opened.plain.empty());
    }
    const Bytes armoured = seal(sampleBytes(10), true);
    EXPECT_EQ(open(armoured, "wrong").result, Result::WrongPassphrase);
}

TEST(AgeStream, ResultIsFinal)
{
    const Bytes sealed = seal(bytesOf("x"));
    Reader reader("wrong", [](std::span<const std::uint8_t>) {});
    EXPECT_EQ(reader.feed(sealed), Result::WrongPassphrase);
    EXPECT_EQ(reader.feed(sealed), Result::WrongPassphrase);
    EXPECT_EQ(reader.finish(), Result::WrongPassphrase);
    EXPECT_EQ(reader.finish(), Result::WrongPassphrase);
}

// Where the header of a file sealed here ends (after the MAC line's line feed).
std::size_t headerSize(const Bytes &sealed)
{
    const std::string text = textOf(sealed);
    return text.find('\n', text.find("\n--- ") + 1) + 1;
}

// A file sealed chunk by chunk as given (plaintext, last flag), under a known file key: the
// shapes no writer makes.
Bytes craft(const std::vector<std::pair<Bytes, bool>> &chunks)
{
    const std::array<std::uint8_t, kFileKeySize> fileKey{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    const Stanza stanza = MakeScryptStanza(bytesOf(kPassphrase), fileKey, kTestWorkFactor);
    Bytes file = bytesOf(HeaderText({&stanza, 1}, fileKey));
    const PayloadNonce nonce{42};
    file.insert(file.end(), nonce.begin(), nonce.end());
    PayloadCipher cipher(fileKey, nonce);
    for (const auto &[plain, last] : chunks) {
        Bytes sealed = plain;
        sealed.resize(plain.size() + kTagSize);
        cipher.seal(sealed, last);
        file.insert(file.end(), sealed.begin(), sealed.end());
    }
    return file;
}

TEST(AgeStream, ChunkShapesFollowTheRules)
{
    const Bytes full = sampleBytes(kChunkSize);
    const Bytes some = bytesOf("abc");
    const Bytes none;
    struct Row {
        std::string name;
        std::vector<std::pair<Bytes, bool>> chunks;
        Result expected;
    };
    const Row rows[] = {
        {"one full last chunk", {{full, true}}, Result::Ok},
        {"an empty payload", {{none, true}}, Result::Ok},
        {"a full chunk then a short last one", {{full, false}, {some, true}}, Result::Ok},
        {"an empty last chunk after data", {{full, false}, {none, true}}, Result::Damaged},
        {"no chunk at all", {}, Result::Damaged},
        {"a short chunk not marked last", {{some, false}}, Result::Damaged},
        {"a full chunk not marked last", {{full, false}}, Result::Damaged},
        {"a short chunk marked last too early", {{some, true}, {some, true}}, Result::Damaged},
        {"a chunk after a full last chunk", {{full, true}, {some, true}}, Result::Damaged},
        {"a short chunk in the middle", {{some, false}, {some, true}}, Result::Damaged},
    };
    for (const Row &row : rows) {
        const Bytes file = craft(row.chunks);
        for (const std::size_t piece : {std::size_t{0}, std::size_t{7}}) {
            const Opened opened = open(file, kPassphrase, piece);
            EXPECT_EQ(opened.result, row.expected) << row.name << ", piece " << piece;
            if (row.expected == Result::Ok) {
                Bytes plain;
                for (const auto &chunk : row.chunks)
                    plain.insert(plain.end(), chunk.first.begin(), chunk.first.end());
                EXPECT_EQ(opened.plain, plain) << row.name;
            }
        }
    }
}

TEST(AgeStream, ChunksInAnotherOrderAreRefused)
{
    const Bytes a = sampleBytes(kChunkSize);
    Bytes b = a;
    b[0] ^= 1;
    Bytes file = craft({{a, false}, {b, false}, {bytesOf("end"), true}});
    const std::size_t first = headerSize(file) + kPayloadNonceSize;
    std::swap_ranges(file.begin() + first, file.begin() + first + kSealedChunkSize,
                     file.begin() + first + kSealedChunkSize);
    EXPECT_EQ(open(file).result, Result::Damaged);
}

TEST(AgeStream, AFileCutShortIsNeverWhole)
{
    const Bytes plain = sampleBytes(2 * kChunkSize + 100);
    const Bytes sealed = seal(plain);
    const std::size_t header = headerSize(sealed);
    const std::size_t payload = header + kPayloadNonceSize;
    const std::size_t cuts[] = {header - 1, header, header + 8, payload, payload + 1,
                                payload + kSealedChunkSize - 1, payload + kSealedChunkSize,
                                payload + kSealedChunkSize + 1, payload + 2 * kSealedChunkSize,
                                payload + 2 * kSealedChunkSize + 50, sealed.size() - 1};
    for (const std::size_t cut : cuts) {
        const Opened opened = open(Bytes(sealed.begin(), sealed.begin() + cut));
        EXPECT_EQ(opened.result, Result::Damaged) << cut;
        // What reached the sink before the end was found missing is whole verified chunks.
        EXPECT_EQ(opened.plain.size() % kChunkSize, 0u) << cut;
        EXPECT_TRUE(std::equal(opened.plain.begin(), opened.plain.end(), plain.begin())) << cut;
    }
    for (const std::size_t cut : {std::size_t{0}, std::size_t{10}})
        EXPECT_EQ(open(Bytes(sealed.begin(), sealed.begin() + cut)).result, Result::NotAge) << cut;

    const Bytes armoured = seal(plain, true);
    const std::string text = textOf(armoured);
    for (std::size_t cut = 40; cut < text.size() - 1; cut += 4001) {
        EXPECT_EQ(open(Bytes(armoured.begin(), armoured.begin() + cut)).result, Result::Damaged) << cut;
        // Cut at a line's end rather than inside it.
        const std::size_t lineEnd = text.find('\n', cut) + 1;
        EXPECT_EQ(open(Bytes(armoured.begin(), armoured.begin() + lineEnd)).result, Result::Damaged) << lineEnd;
    }
}

TEST(AgeStream, BytesAfterTheLastChunkAreRefused)
{
    const Bytes plain = sampleBytes(kChunkSize + 10);
    const Bytes sealed = seal(plain);
    const Bytes lastChunk(sealed.end() - (10 + kTagSize), sealed.end());
    for (const Bytes &extra : {Bytes{0}, bytesOf("\n"), lastChunk, sampleBytes(kSealedChunkSize)}) {
        Bytes longer = sealed;
        longer.insert(longer.end(), extra.begin(), extra.end());
        EXPECT_EQ(open(longer).result, Result::Damaged) << extra.size();
        // Inside the armour too.
        Bytes armoured;
        const Sink append = [&armoured](std::span<const std::uint8_t> bytes) {
            armoured.insert(armoured.end(), bytes.begin(), bytes.end());
        };
        ArmourEncoder encoder(append);
        encoder.write(longer, append);
        encoder.finish(append);
        EXPECT_EQ(open(armoured).result, Result::Damaged) << extra.size();
    }
}

TEST(AgeStream, AFlippedBitAnywhereIsCaught)
{
    const Bytes sealed = seal(sampleBytes(kChunkSize + 100));
    const std::string text = textOf(sealed);
    const std::size_t stanza = text.find('\n') + 1;
    const std::size_t body = text.find('\n', stanza) + 1;
    const std::size_t mac = text.find('\n', body) + 1;
    const std::size_t nonce = headerSize(sealed);
    const std::size_t payload = nonce + kPayloadNonceSize;
    using Results = std::vector<Result>;
    struct Region {
        std::string name;
        std::vector<std::size_t> positions;
        Results expected;
    };
    const auto every = [](std::size_t from, std::size_t to) {
        std::vector<std::size_t> positions;
        for (std::size_t pos = from; pos < to; ++pos)
            positions.push_back(pos);
        return positions;
    };
    const std::size_t secondChunk = payload + kSealedChunkSize;
    const Region regions[] = {
        {"version line", every(0, stanza), {Result::NotAge}},
        // Another type, another salt or work factor, or a broken line.
        {"stanza line", every(stanza, body), {Result::Damaged, Result::NotPassphrase, Result::WrongPassphrase}},
        {"stanza body", every(body, mac), {Result::Damaged, Result::WrongPassphrase}},
        {"MAC line", every(mac, nonce), {Result::Damaged}},
        {"payload nonce", every(nonce, payload), {Result::Damaged}},
        {"first chunk", {payload, payload + 1000, secondChunk - kTagSize - 1, secondChunk - kTagSize,
                         secondChunk - 1}, {Result::Damaged}},
        {"last chunk", {secondChunk, secondChunk + 99, sealed.size() - kTagSize, sealed.size() - 1},
         {Result::Damaged}},
    };
    for (const Region &region : regions) {
        for (const std::size_t pos : region.positions) {
            for (const std::uint8_t bit : {0x01, 0x80}) {
                Bytes flipped = sealed;
                flipped[pos] ^= bit;
                const Result result = open(flipped).result;
                EXPECT_NE(std::find(region.expected.begin(), region.expected.end(), result), region.expected.end())
                    << region.name << " at " << pos << " bit " << int(bit) << ": " << int(result);
            }
        }
    }
}

} // namespace
} // namespace ombre::age::test
