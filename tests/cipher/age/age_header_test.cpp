// The header's rules, one row per way of breaking them, each with the result the user is told.
// Rows are built from the parts of a file sealed here, so that only the part a row names differs.

#include "age_test_support.h"

#include "cipher/age/base64.h"

#include <gtest/gtest.h>

#include <chrono>

namespace ombre::age::test {
namespace {

// The lines of a sealed file's header, without their line feeds, and what follows the header.
struct Parts {
    std::string salt, workFactor, body, mac;
    Bytes payload;
};

Parts split(const Bytes &sealed)
{
    const std::string text = textOf(sealed);
    std::vector<std::string> lines;
    std::size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t end = text.find('\n', pos);
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    Parts parts;
    const std::string arguments = lines[1].substr(std::string("-> scrypt ").size());
    parts.salt = arguments.substr(0, arguments.find(' '));
    parts.workFactor = arguments.substr(arguments.find(' ') + 1);
    parts.body = lines[2];
    parts.mac = lines[3].substr(4);
    parts.payload.assign(sealed.begin() + pos, sealed.end());
    return parts;
}

const Parts &good()
{
    static const Parts parts = split(seal(bytesOf("Bonjour")));
    return parts;
}

std::string scryptStanza(std::string_view salt, std::string_view workFactor, std::string_view body)
{
    return "-> scrypt " + std::string(salt) + ' ' + std::string(workFactor) + '\n' + std::string(body) + '\n';
}

std::string goodStanza() { return scryptStanza(good().salt, good().workFactor, good().body); }

std::string x25519Stanza()
{
    return "-> X25519 " + EncodeBase64(sampleBytes(32), Padding::None) + '\n'
         + EncodeBase64(sampleBytes(32), Padding::None) + '\n';
}

std::string macLine() { return "--- " + good().mac + '\n'; }

Bytes file(std::string_view header)
{
    Bytes bytes = bytesOf(header);
    bytes.insert(bytes.end(), good().payload.begin(), good().payload.end());
    return bytes;
}

Bytes file(std::string_view stanzas, std::string_view mac)
{
    return file("age-encryption.org/v1\n" + std::string(stanzas) + std::string(mac));
}

// The last character of a base64 text changed so that it sets bits the decoding must refuse.
std::string withLooseBits(std::string text)
{
    text.back() = text.back() == 'A' ? 'B' : static_cast<char>(text.back() + 1);
    return text;
}

struct Row {
    std::string name;
    Bytes file;
    Result expected;
};

std::vector<Row> rows()
{
    const Parts &p = good();
    const std::string v1 = "age-encryption.org/v1\n";
    return {
        {"good", file(goodStanza(), macLine()), Result::Ok},
        // Version line.
        {"other version", file("age-encryption.org/v2\n" + goodStanza() + macLine()), Result::NotAge},
        {"version with a space", file("age-encryption.org/v1 \n" + goodStanza() + macLine()), Result::NotAge},
        {"version with CRLF", file("age-encryption.org/v1\r\n" + goodStanza() + macLine()), Result::NotAge},
        {"not age", bytesOf("Bonjour\n"), Result::NotAge},
        // Stanza lines.
        {"no stanza", file("", macLine()), Result::Damaged},
        {"arrow without space", file("->scrypt " + p.salt + ' ' + p.workFactor + '\n' + p.body + '\n', macLine()),
         Result::Damaged},
        {"no argument", file("-> \n" + p.body + '\n', macLine()), Result::Damaged},
        {"empty argument", file(scryptStanza(p.salt + ' ', p.workFactor, p.body), macLine()), Result::Damaged},
        {"trailing space", file(scryptStanza(p.salt, p.workFactor + ' ', p.body), macLine()), Result::Damaged},
        {"carriage return", file(scryptStanza(p.salt, p.workFactor + '\r', p.body), macLine()), Result::Damaged},
        {"control character", file(scryptStanza(p.salt, p.workFactor + "\x01", p.body), macLine()), Result::Damaged},
        {"fourth argument", file(scryptStanza(p.salt, p.workFactor + " x", p.body), macLine()), Result::Damaged},
        {"no work factor", file("-> scrypt " + p.salt + '\n' + p.body + '\n', macLine()), Result::Damaged},
        // Salt.
        {"salt with loose bits", file(scryptStanza(withLooseBits(p.salt), p.workFactor, p.body), macLine()),
         Result::Damaged},
        {"salt padded", file(scryptStanza(p.salt + "==", p.workFactor, p.body), macLine()), Result::Damaged},
        {"salt of 15 bytes", file(scryptStanza(EncodeBase64(sampleBytes(15), Padding::None), p.workFactor, p.body),
                                  macLine()), Result::Damaged},
        {"salt of 17 bytes", file(scryptStanza(EncodeBase64(sampleBytes(17), Padding::None), p.workFactor, p.body),
                                  macLine()), Result::Damaged},
        // Work factor.
        {"work factor 0", file(scryptStanza(p.salt, "0", p.body), macLine()), Result::Damaged},
        {"work factor 010", file(scryptStanza(p.salt, "010", p.body), macLine()), Result::Damaged},
        {"work factor +10", file(scryptStanza(p.salt, "+10", p.body), macLine()), Result::Damaged},
        {"work factor -10", file(scryptStanza(p.salt, "-10", p.body), macLine()), Result::Damaged},
        {"work factor 0xa", file(scryptStanza(p.salt, "0xa", p.body), macLine()), Result::Damaged},
        {"work factor 1e1", file(scryptStanza(p.salt, "1e1", p.body), macLine()), Result::Damaged},
        {"work factor 23", file(scryptStanza(p.salt, "23", p.body), macLine()), Result::Damaged},
        {"work factor overflows", file(scryptStanza(p.salt, "18446744073709551626", p.body), macLine()),
         Result::Damaged},
        // Body.
        {"body with loose bits", file(scryptStanza(p.salt, p.workFactor, withLooseBits(p.body)), macLine()),
         Result::Damaged},
        {"body padded", file(scryptStanza(p.salt, p.workFactor, p.body + '='), macLine()), Result::Damaged},
        {"body of 31 bytes", file(scryptStanza(p.salt, p.workFactor, EncodeBase64(sampleBytes(31), Padding::None)),
                                  macLine()), Result::Damaged},
        {"body of 48 bytes and final line",
         file(scryptStanza(p.salt, p.workFactor, EncodeBase64(sampleBytes(48), Padding::None) + '\n'), macLine()),
         Result::Damaged},
        {"body line of 65 columns",
         file(scryptStanza(p.salt, p.workFactor, std::string(65, 'A')), macLine()), Result::Damaged},
        {"full body line without final line",
         file("-> scrypt " + p.salt + ' ' + p.workFactor + '\n' + std::string(64, 'A') + '\n', macLine()),
         Result::Damaged},
        {"body missing", file("-> scrypt " + p.salt + ' ' + p.workFactor + '\n', macLine()), Result::Damaged},
        {"body with a space", file(scryptStanza(p.salt, p.workFactor, p.body.substr(0, 20) + ' ' + p.body.substr(21)),
                                   macLine()), Result::Damaged},
        // The stanzas together.
        {"scrypt and X25519", file(goodStanza() + x25519Stanza(), macLine()), Result::Damaged},
        {"X25519 and scrypt", file(x25519Stanza() + goodStanza(), macLine()), Result::Damaged},
        {"two scrypt", file(goodStanza() + goodStanza(), macLine()), Result::Damaged},
        {"X25519 only", file(x25519Stanza(), macLine()), Result::NotPassphrase},
        {"two X25519", file(x25519Stanza() + x25519Stanza(), macLine()), Result::NotPassphrase},
        {"Scrypt in capitals", file("-> Scrypt " + p.salt + ' ' + p.workFactor + '\n' + p.body + '\n', macLine()),
         Result::NotPassphrase},
        {"another type with an empty body", file("-> example.com/enigma a~b !?\n\n", macLine()),
         Result::NotPassphrase},
        // MAC line.
        {"MAC differs",
         file(goodStanza(), std::string("--- ") + (p.mac[0] == 'A' ? 'B' : 'A') + p.mac.substr(1) + '\n'),
         Result::Damaged},
        {"MAC of another header", file(goodStanza(), "--- " + split(seal(bytesOf("x"))).mac + '\n'), Result::Damaged},
        {"MAC with loose bits", file(goodStanza(), "--- " + withLooseBits(p.mac) + '\n'), Result::Damaged},
        {"MAC missing", file(goodStanza(), "---\n"), Result::Damaged},
        {"MAC without space", file(goodStanza(), "---" + p.mac + '\n'), Result::Damaged},
        {"MAC after two spaces", file(goodStanza(), "---  " + p.mac + '\n'), Result::Damaged},
        {"MAC with trailing space", file(goodStanza(), macLine().insert(macLine().size() - 1, " ")), Result::Damaged},
        {"MAC cut short", file(goodStanza(), "--- " + p.mac.substr(1) + '\n'), Result::Damaged},
        {"MAC line with CRLF", file(goodStanza(), "--- " + p.mac + "\r\n"), Result::Damaged},
        {"two dashes", file(goodStanza(), "-- " + p.mac + '\n'), Result::Damaged},
        {"empty line before MAC", file(goodStanza() + '\n', macLine()), Result::Damaged},
        // Size.
        {"header cut short", bytesOf(v1 + goodStanza()), Result::Damaged},
        {"argument beyond the header's limit",
         file(scryptStanza(p.salt, p.workFactor + ' ' + std::string(70000, 'a'), p.body), macLine()),
         Result::Damaged},
    };
}

TEST(AgeHeader, EveryRuleHasItsResult)
{
    for (const Row &row : rows()) {
        for (const std::size_t piece : {std::size_t{0}, std::size_t{1}}) {
            const Opened opened = open(row.file, kPassphrase, piece);
            EXPECT_EQ(opened.result, row.expected) << row.name << ", piece " << piece;
            if (row.expected != Result::Ok) {
                EXPECT_TRUE(opened.plain.empty()) << row.name;
            }
        }
    }
}

TEST(AgeHeader, MalformedHeadersAreRefusedBeforeScrypt)
{
    // At work factor 22 scrypt takes seconds and 4 GiB: had it run, these would not be quick.
    const Parts &p = good();
    const Bytes files[] = {
        file(scryptStanza(p.salt, "22", p.body) + x25519Stanza(), macLine()),
        file(scryptStanza(p.salt, "22", EncodeBase64(sampleBytes(31), Padding::None)), macLine()),
        file(scryptStanza(p.salt, "22 x", p.body), macLine()),
        file(scryptStanza(p.salt, "22", p.body), "--- " + withLooseBits(p.mac) + '\n'),
        file(scryptStanza(p.salt, "23", p.body), macLine()),
    };
    const auto start = std::chrono::steady_clock::now();
    for (const Bytes &bytes : files)
        EXPECT_EQ(open(bytes).result, Result::Damaged);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(AgeHeader, FactsAreKnownWithoutThePassphrase)
{
    struct Case {
        Bytes file;
        Result result;
        int workFactor;
        std::vector<std::string> types;
    };
    const Parts &p = good();
    const Case cases[] = {
        {file(goodStanza(), macLine()), Result::Ok, 10, {"scrypt"}},
        // The MAC is not checked without the passphrase; nor does scrypt run at 22.
        {file(scryptStanza(p.salt, "22", p.body), macLine()), Result::Ok, 22, {"scrypt"}},
        {file(x25519Stanza() + x25519Stanza(), macLine()), Result::NotPassphrase, 0, {"X25519", "X25519"}},
        {file(goodStanza() + x25519Stanza(), macLine()), Result::Damaged, 0, {"scrypt", "X25519"}},
    };
    for (const Case &c : cases) {
        Reader reader("");
        reader.feed(c.file);
        EXPECT_EQ(reader.finish(), c.result);
        ASSERT_TRUE(reader.headerComplete());
        EXPECT_EQ(reader.facts().workFactor, c.workFactor);
        EXPECT_EQ(reader.facts().stanzaTypes, c.types);
        EXPECT_FALSE(reader.facts().armoured);
    }
    Reader broken("");
    broken.feed(file(scryptStanza(p.salt, "010", p.body), macLine()));
    EXPECT_EQ(broken.finish(), Result::Damaged);
    EXPECT_TRUE(broken.headerComplete());
    Reader cut("");
    cut.feed(bytesOf("age-encryption.org/v1\n" + goodStanza()));
    EXPECT_EQ(cut.finish(), Result::Damaged);
    EXPECT_FALSE(cut.headerComplete());
}

TEST(AgeHeader, WithoutSinkTheReaderStopsAtTheOpenedHeader)
{
    Bytes sealed = seal(sampleBytes(3 * kChunkSize), true);
    sealed.resize(sealed.size() / 2); // the rest does not matter
    for (const std::size_t piece : {std::size_t{1}, sealed.size()}) {
        Reader reader(kPassphrase);
        for (std::size_t pos = 0; pos < sealed.size(); pos += piece)
            EXPECT_EQ(reader.feed(std::span(sealed).subspan(pos, std::min(piece, sealed.size() - pos))), Result::Ok);
        EXPECT_EQ(reader.finish(), Result::Ok);
        EXPECT_TRUE(reader.facts().armoured);
    }
    Reader wrong("wrong");
    EXPECT_EQ(wrong.feed(sealed), Result::WrongPassphrase);
    EXPECT_TRUE(wrong.headerComplete());
    Reader damaged(kPassphrase);
    damaged.feed(file(goodStanza(), "--- " + withLooseBits(good().mac) + '\n'));
    EXPECT_EQ(damaged.finish(), Result::Damaged);
}

} // namespace
} // namespace ombre::age::test
