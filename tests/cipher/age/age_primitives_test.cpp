// The building blocks that no round trip can check on its own: HKDF against RFC 5869's SHA-256
// vectors (a self-consistent HKDF would still seal files no one else opens), and base64's
// one-encoding-per-value rule.

#include "age_test_support.h"

#include "cipher/age/base64.h"
#include "cipher/age/primitives.h"

#include <gtest/gtest.h>

#include <numeric>

namespace ombre::age::test {
namespace {

Bytes fromHex(std::string_view hex)
{
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    return bytes;
}

Bytes range(int first, int count)
{
    Bytes bytes(count);
    std::iota(bytes.begin(), bytes.end(), static_cast<std::uint8_t>(first));
    return bytes;
}

TEST(AgeHkdf, MatchesRfc5869Sha256Vectors)
{
    struct Case {
        Bytes ikm, salt, info;
        std::string okm;
    };
    const Case cases[] = {
        {Bytes(22, 0x0B), range(0x00, 13), range(0xF0, 10),
         "3cb25f25faacd57a90434f64d0362f2a2d2d0a90cf1a5a4c5db02d56ecc4c5bf34007208d5b887185865"},
        {range(0x00, 80), range(0x60, 80), range(0xB0, 80),
         "b11e398dc80327a1c8e7f78c596a49344f012eda2d4efad8a050cc4c19afa97c"
         "59045a99cac7827271cb41c65e590e09da3275600c2f09b8367793a9aca3db71"
         "cc30c58179ec3e87c14c01d5c1f3434f1d87"},
        // An empty salt, as the header's MAC key uses.
        {Bytes(22, 0x0B), {}, {}, "8da4e775a563c18f715f802a063c5a31b8a11f5c5ee1879ec3454e5f3c738d2d9d201395faa4b61a96c8"},
    };
    for (const Case &c : cases) {
        const Bytes expected = fromHex(c.okm);
        Bytes okm(expected.size());
        const std::string info(c.info.begin(), c.info.end());
        HkdfSha256(c.ikm, c.salt, info, okm);
        EXPECT_EQ(okm, expected) << c.okm;
    }
}

TEST(AgeBase64, DecodesCanonicalTextOnly)
{
    struct Case {
        std::string text;
        Padding padding;
        std::optional<std::string> bytes;
    };
    const Case cases[] = {
        {"", Padding::None, ""},
        {"QQ", Padding::None, "A"},
        {"QUE", Padding::None, "AA"},
        {"QUFB", Padding::None, "AAA"},
        {"QR", Padding::None, std::nullopt},    // bits set after the last byte
        {"QUF", Padding::None, std::nullopt},   // likewise
        {"QQ==", Padding::None, std::nullopt},  // padding where none belongs
        {"QQ=", Padding::None, std::nullopt},
        {"Q", Padding::None, std::nullopt},     // no whole byte
        {"QU E", Padding::None, std::nullopt},  // a space
        {"QUE\n", Padding::None, std::nullopt}, // a line end
        {"-_8", Padding::None, std::nullopt},   // the URL alphabet
        {"Q\xD5" "E", Padding::None, std::nullopt}, // a byte above 127
        {"QU\x80=", Padding::Required, std::nullopt},
        {"QQ==", Padding::Required, "A"},
        {"QUE=", Padding::Required, "AA"},
        {"QUFB", Padding::Required, "AAA"},
        {"QQ", Padding::Required, std::nullopt},   // padding missing
        {"QQ=", Padding::Required, std::nullopt},  // half of it
        {"QR==", Padding::Required, std::nullopt}, // bits set after the last byte
        {"QQ===", Padding::Required, std::nullopt},
        {"QQ==QQ==", Padding::Required, std::nullopt}, // padding inside
        {"QUFB====", Padding::Required, std::nullopt},
        {"QUE==", Padding::Required, std::nullopt},
    };
    for (const Case &c : cases) {
        const auto decoded = DecodeBase64(c.text, c.padding);
        ASSERT_EQ(decoded.has_value(), c.bytes.has_value()) << c.text;
        if (decoded) {
            EXPECT_EQ(textOf(*decoded), *c.bytes) << c.text;
        }
    }
}

TEST(AgeBase64, EncodesWhatItDecodes)
{
    // RFC 4648's vectors, then every length across a few groups.
    const std::string_view rfc[] = {"", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy"};
    for (std::size_t size = 0; size < std::size(rfc); ++size) {
        const Bytes foobar = bytesOf(std::string_view("foobar").substr(0, size));
        EXPECT_EQ(EncodeBase64(foobar, Padding::Required), rfc[size]);
        std::string unpadded(rfc[size]);
        unpadded.erase(unpadded.find_last_not_of('=') + 1);
        EXPECT_EQ(EncodeBase64(foobar, Padding::None), unpadded);
    }
    for (std::size_t size = 0; size < 70; ++size) {
        const Bytes bytes = sampleBytes(size);
        for (const Padding padding : {Padding::None, Padding::Required}) {
            const std::string text = EncodeBase64(bytes, padding);
            EXPECT_EQ(text.size(), Base64Size(size, padding));
            EXPECT_EQ(DecodeBase64(text, padding), bytes) << text;
        }
    }
}

} // namespace
} // namespace ombre::age::test
