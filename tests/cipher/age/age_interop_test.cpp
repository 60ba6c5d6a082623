// Files written by the age tool (tests/data/age, rebuilt by make-fixtures there) open here to the
// exact bytes that were sealed. They are sealed at the tool's own work factor (18), so each costs
// scrypt's half second: a few files only.

#include "age_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace ombre::age::test {
namespace {

constexpr std::string_view kFixturePassphrase = "clair de lune";

Bytes fixture(std::string_view name)
{
    std::ifstream in(std::string(OMBRE_TEST_DATA) + "/age/" + std::string(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(AgeInterop, OpensTheToolsBinaryFileOfTwoChunks)
{
    Bytes pattern(kChunkSize + 1);
    for (std::size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = static_cast<std::uint8_t>((i * 31 + 7) & 0xFF);
    const Bytes file = fixture("motif.bin.age");
    ASSERT_EQ(RecogniseAge(std::span(file).first(kRecognitionBytes)), Encoding::Binary);
    const Opened opened = open(file, kFixturePassphrase, 4096);
    EXPECT_EQ(opened.result, Result::Ok);
    EXPECT_EQ(opened.plain, pattern);
}

TEST(AgeInterop, OpensTheToolsArmouredFile)
{
    const Bytes file = fixture("lettre.txt.age");
    ASSERT_EQ(RecogniseAge(std::span(file).first(kRecognitionBytes)), Encoding::Armoured);
    const Opened opened = open(file, kFixturePassphrase, 7);
    EXPECT_EQ(opened.result, Result::Ok);
    EXPECT_EQ(textOf(opened.plain), "Bonjour Hélène,\nÀ bientôt.\n");
}

TEST(AgeInterop, KnowsTheToolsFileForAKey)
{
    const Bytes file = fixture("cles.txt.age");
    ASSERT_EQ(RecogniseAge(std::span(file).first(kRecognitionBytes)), Encoding::Binary);
    Reader reader(kFixturePassphrase);
    EXPECT_EQ(reader.feed(file), Result::NotPassphrase);
    EXPECT_EQ(reader.facts().stanzaTypes, std::vector<std::string>{"X25519"});
}

} // namespace
} // namespace ombre::age::test
