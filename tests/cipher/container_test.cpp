#include "cipher/container.h"

#include "cipher/ansi.h"
#include "cipher/text_routines.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace ombre {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

Bytes seal(ContainerContent type, std::string_view name, std::string_view owner,
           std::string_view content, std::string_view password = "Lune")
{
    CipherState cipher;
    CipherKeyGuard guard(cipher);
    CipherSetKey(cipher, password);
    return SealContainer(cipher, type, name, owner, bytesOf(content));
}

// What a container held, opened whole from a copy of its bytes (deciphered in place).
struct Opened {
    struct Container {
        TCryptHeader header;
        std::string ownerName;
        std::span<std::uint8_t> content;
    };
    Bytes buffer;
    Container container;
    ContainerResult result = ContainerResult::UnknownFormat;
    Bytes content() const { return Bytes(container.content.begin(), container.content.end()); }
};

void open(Bytes bytes, Opened &opened, std::string_view password = "Lune")
{
    CipherState cipher;
    CipherKeyGuard guard(cipher);
    CipherSetKey(cipher, password);
    opened.buffer = std::move(bytes);
    ContainerReader reader(cipher);
    std::span<std::uint8_t> rest(opened.buffer);
    if (reader.feedHeader(rest))
        opened.container.content = reader.feedInPieces(rest, {});
    opened.container.header = reader.header();
    opened.container.ownerName = reader.ownerName();
    opened.result = reader.finish();
}

TEST(ContainerWriter, PlainTextDocumentHeaderBytes)
{
    const Bytes sealed = seal(ContainerContent::Document, "a.txt", "", "Salut");
    const Bytes expected = {0x0C, 0x50, 0x43, 0x31, 0x02, 0x00, 0x00, 0x05,
                            'a' ^ 'Q', '.' ^ 'u', 't' ^ 'a', 'x' ^ 'r', 't' ^ 'v'};
    ASSERT_EQ(sealed.size(), expected.size() + 5);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), sealed.begin()));
}

TEST(ContainerWriter, BodyFollowsHeaderAndHoldsOwnerThenContent)
{
    const Bytes sealed = seal(ContainerContent::File, "lettre.rtf", "Jean", "{\\rtf1}");
    EXPECT_EQ(sealed[0], 17);
    EXPECT_EQ(sealed[5], 1);
    EXPECT_EQ(sealed[6], 4);
    EXPECT_EQ(sealed[7], 10);
    ASSERT_EQ(sealed.size(), 18u + 4 + 7);

    // The body is one stream from offset 18: the owner name, then the content.
    CipherState cipher;
    CipherSetKey(cipher, "Lune");
    CipherBeginStream(cipher);
    Bytes body(sealed.begin() + 18, sealed.end());
    CipherDecryptBuffer(cipher, body);
    EXPECT_EQ(body, bytesOf("Jean{\\rtf1}"));
}

TEST(Container, RoundTripsNamesOwnersAndContents)
{
    struct Case { ContainerContent type; std::string name, owner, content; };
    const std::string big(100000, 'x');
    for (const Case &c : {Case{ContainerContent::Document, "lettre.rtf", "Hélène Côté", "{\\rtf1 Bonjour}"},
                          Case{ContainerContent::File, "photo.jpg", "", big},
                          Case{ContainerContent::File, "vide.bin", "Jean", ""},
                          Case{ContainerContent::File, "Łódź.txt", "Ewa Łęcka", "zażółć"}}) {
        const Bytes sealed = seal(c.type, c.name, c.owner, c.content);
        const std::size_t owner = FitOwnerName(c.owner).size();
        EXPECT_EQ(sealed.size(), 1 + sealed[0] + owner + c.content.size()) << c.name;
        Opened opened;
        open(sealed, opened);
        ASSERT_EQ(opened.result, ContainerResult::Ok) << c.name;
        EXPECT_EQ(opened.container.header.ContentType, static_cast<std::uint8_t>(c.type));
        EXPECT_EQ(DecodeHeaderText(opened.container.header.SourceName), c.name);
        EXPECT_EQ(DecodeHeaderText(opened.container.ownerName), c.owner);
        EXPECT_EQ(opened.content(), bytesOf(c.content)) << c.name;
    }
}

TEST(Container, WrongPasswordOpensWithoutErrorAndTheOwnerFailsItsCheck)
{
    const Bytes sealed = seal(ContainerContent::File, "a.txt", "Jean Dupont", "secret", "Lune");
    Opened opened;
    open(sealed, opened, "lune");
    ASSERT_EQ(opened.result, ContainerResult::Ok);
    EXPECT_NE(opened.content(), bytesOf("secret"));
    EXPECT_EQ(CheckedOwnerText(opened.container.ownerName), "Inconnue");
    Opened right;
    open(sealed, right, "Lune");
    ASSERT_EQ(right.result, ContainerResult::Ok);
    EXPECT_EQ(CheckedOwnerText(right.container.ownerName), "Jean Dupont");
}

TEST(Container, PiecesOfAnySizeGiveTheWholeBufferResult)
{
    std::mt19937 random(5);
    std::string content(50000, '\0');
    for (char &c : content)
        c = static_cast<char>(random());
    const Bytes whole = seal(ContainerContent::File, "data.bin", "Marie", content);

    for (int round = 0; round < 20; ++round) {
        const auto pieceSize = [&] { return 1 + random() % (round < 10 ? 7 : 4000); };
        CipherState cipher;
        CipherSetKey(cipher, "Lune");
        ContainerWriter writer(cipher, ContainerContent::File, "data.bin", "Marie");
        Bytes written = writer.start();
        for (std::size_t pos = 0; pos < content.size();) {
            const std::size_t take = std::min(content.size() - pos, pieceSize());
            Bytes piece(content.begin() + pos, content.begin() + pos + take);
            writer.seal(piece);
            written.insert(written.end(), piece.begin(), piece.end());
            pos += take;
        }
        ASSERT_EQ(written, whole);

        CipherSetKey(cipher, "Lune");
        ContainerReader reader(cipher);
        std::string read;
        for (std::size_t pos = 0; pos < whole.size();) {
            const std::size_t take = std::min(whole.size() - pos, pieceSize());
            Bytes piece(whole.begin() + pos, whole.begin() + pos + take);
            const auto out = reader.feed(piece);
            read.append(out.begin(), out.end());
            pos += take;
        }
        ASSERT_EQ(reader.finish(), ContainerResult::Ok);
        EXPECT_EQ(reader.ownerName(), "Marie");
        ASSERT_EQ(read, content);
    }
}

// Sealing a whole buffer and feeding one in pieces report every body byte once, in pieces no larger than kPieceSize, so
// that a progress bar driven by them ends full.
TEST(Container, WholeBuffersReportEveryBodyByteInPieces)
{
    const std::string content(2 * kPieceSize + 123, 'x');
    const std::string owner = "Jean Dupont";
    std::vector<std::size_t> sealed;
    CipherState cipher;
    CipherKeyGuard guard(cipher);
    CipherSetKey(cipher, "Lune");
    Bytes container = SealContainer(cipher, ContainerContent::File, "gros.bin", owner, bytesOf(content),
                                    [&](std::size_t bytes) { sealed.push_back(bytes); });
    EXPECT_EQ(sealed, (std::vector<std::size_t>{owner.size(), kPieceSize, kPieceSize, 123}));

    const std::size_t body = container.size() - 1 - container[0];
    std::size_t opened = 0;
    std::size_t largest = 0;
    CipherSetKey(cipher, "Lune");
    ContainerReader reader(cipher);
    std::span<std::uint8_t> rest(container);
    ASSERT_TRUE(reader.feedHeader(rest));
    EXPECT_EQ(rest.size(), body);
    const std::span<std::uint8_t> openedContent = reader.feedInPieces(rest, [&](std::size_t bytes) {
        opened += bytes;
        largest = std::max(largest, bytes);
    });
    EXPECT_EQ(opened, body);
    EXPECT_LE(largest, kPieceSize);
    EXPECT_EQ(reader.ownerName(), owner);
    EXPECT_EQ(Bytes(openedContent.begin(), openedContent.end()), bytesOf(content));
}

// The begin line of an armour names the container as the header does: Windows-1252 bytes when
// every character fits, UTF-8 otherwise.
TEST(ArmourBeginName, NamesTheContainerInHeaderTextBytes)
{
    struct Case { std::string source, expected; };
    const Case cases[] = {
        {"lettre.rtf", "lettre.cod"},
        {"Relevé été.pdf", "Relev\xE9 \xE9t\xE9.cod"},
        {"notes", "notes.cod"},
        {"文书.txt", "文书.cod"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ArmourBeginName(c.source), c.expected) << c.source;
}

TEST(FitSourceName, ShortensOverlongNamesKeepingTheExtension)
{
    const std::string longStem(300, 'e');
    EXPECT_EQ(FitSourceName(longStem + ".txt"), std::string(244, 'e') + ".txt");
    // Windows-1252 counts characters; a UTF-8 name counts bytes and is never cut inside one.
    std::string accented;
    for (int i = 0; i < 260; ++i)
        accented += "é";
    EXPECT_EQ(FitSourceName(accented + ".rtf").size(), kMaxSourceNameBytes);
    std::string polish;
    for (int i = 0; i < 200; ++i)
        polish += "ł";
    const std::string fitted = FitSourceName(polish + ".txt");
    EXPECT_LE(fitted.size(), kMaxSourceNameBytes);
    EXPECT_TRUE(IsValidUtf8(fitted));
    EXPECT_TRUE(fitted.ends_with(".txt"));

    const Bytes sealed = seal(ContainerContent::File, longStem + ".txt", "", "x");
    EXPECT_EQ(sealed[0], 255);
}

TEST(FitOwnerName, CutsAtTwoHundredFiftyFiveCharacters)
{
    EXPECT_EQ(FitOwnerName(std::string(300, 'a')).size(), 255u);
    std::string euros;
    for (int i = 0; i < 300; ++i)
        euros += "€";
    EXPECT_EQ(FitOwnerName(euros), std::string(255, '\x80'));
    std::string polish;
    for (int i = 0; i < 200; ++i)
        polish += "ł";
    EXPECT_EQ(FitOwnerName(polish).size(), 254u);
}

} // namespace
} // namespace ombre

namespace ombre {
namespace {

Bytes readFixture(const std::string &name)
{
    std::ifstream file(std::string(OMBRE_TEST_DATA) + "/cipher/" + name, std::ios::binary);
    EXPECT_TRUE(file) << name;
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Stored containers, sound and damaged: a reader must give the format result or the sound
// outcome, never read past what it was given.
TEST(ContainerReader, StoredAndDamagedContainers)
{
    const std::string letter = *Utf8ToAnsi("Bonjour Hélène,\r\nÀ bientôt.\r\n");
    struct Case { const char *file; ContainerResult result; std::string owner, content; };
    const Case cases[] = {
        {"sound.cod", ContainerResult::Ok, "Jean Dupont", letter},
        {"record-extra.cod", ContainerResult::Ok, "Jean Dupont", letter},
        {"content-type-2.cod", ContainerResult::Ok, "Jean Dupont", letter},
        {"short-body.cod", ContainerResult::Ok, "Jean", ""},
        {"empty.cod", ContainerResult::UnknownFormat, "", ""},
        {"truncated-header.cod", ContainerResult::UnknownFormat, "", ""},
        {"name-beyond-record.cod", ContainerResult::UnknownFormat, "", ""},
        {"version-1.cod", ContainerResult::UnknownFormat, "", ""},
        {"version-3.cod", ContainerResult::UnknownFormat, "", ""},
        {"wrong-tag.cod", ContainerResult::UnknownFormat, "", ""},
    };
    for (const Case &c : cases) {
        const Bytes stored = readFixture(c.file);
        Opened opened;
        open(stored, opened);
        ASSERT_EQ(opened.result, c.result) << c.file;
        if (c.result != ContainerResult::Ok) {
            EXPECT_EQ(opened.buffer, stored) << c.file << ": nothing is deciphered behind a refused header";
            continue;
        }
        EXPECT_EQ(opened.container.header.SourceName, "lettre.txt") << c.file;
        EXPECT_EQ(opened.container.ownerName, c.owner) << c.file;
        EXPECT_EQ(opened.content(), bytesOf(c.content)) << c.file;
    }
}

// Every prefix of a sound container: refused while the header is incomplete, read as far as it
// goes afterwards.
TEST(ContainerReader, EveryTruncationOfASoundContainer)
{
    const Bytes sound = readFixture("sound.cod");
    const std::size_t bodyStart = 1 + sound[0];
    for (std::size_t size = 0; size < sound.size(); ++size) {
        Opened opened;
        open(Bytes(sound.begin(), sound.begin() + size), opened);
        if (size < bodyStart) {
            EXPECT_EQ(opened.result, ContainerResult::UnknownFormat) << size;
        } else {
            ASSERT_EQ(opened.result, ContainerResult::Ok) << size;
            EXPECT_EQ(opened.container.ownerName.size() + opened.container.content.size(), size - bodyStart);
        }
    }
}

} // namespace
} // namespace ombre
