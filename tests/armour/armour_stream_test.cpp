// The streaming encoder and decoder: pieces of any size give the same text and bytes, line ends
// split between pieces, progress, and failures of the sinks.

#include "armour_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ombre {
namespace {

using test::Bytes;

TEST(ArmourEncoder, AnyPieceSizeGivesTheSameText)
{
    const Bytes bytes = test::RandomBytes(1000, 5);
    const std::string whole = JoinLines(test::EncodeWithCode(bytes, false));
    for (std::size_t piece : {1, 2, 44, 45, 46, 90, 1000})
        EXPECT_EQ(test::EncodeStreaming(bytes, false, piece), whole) << "piece " << piece;
}

TEST(ArmourEncoder, ReportsProgressAsTUUCodeDoes)
{
    const Bytes bytes(4500, 3);
    std::vector<std::int32_t> streamed;
    ArmourEncoder encoder(false, true, "a.cod", bytes.size(), [](std::string_view) {},
                          [&streamed](std::int32_t percent) { streamed.push_back(percent); });
    encoder.Feed(bytes);
    encoder.Feed({});
    encoder.Finish();

    Bytes copy = bytes;
    MemoryStream stream(copy);
    std::vector<std::string> lines;
    TUUCode code(stream, lines);
    std::vector<std::int32_t> reference;
    code.OnProgress = [&reference](TUUCode &c) { reference.push_back(c.Percent); };
    code.Encode("a.cod");
    EXPECT_EQ(streamed, reference);
}

TEST(ArmourEncoder, SinkFailurePassesAfterThe100Report)
{
    std::vector<std::int32_t> reports;
    ArmourEncoder encoder(false, true, "a.cod", 200000, [](std::string_view) { throw std::runtime_error("disk full"); },
                          [&reports](std::int32_t percent) { reports.push_back(percent); });
    const Bytes bytes(200000, 0);
    EXPECT_THROW(encoder.Feed(bytes), std::runtime_error);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), 100);
    EXPECT_THROW(encoder.Finish(), std::logic_error);
}

std::string WithLineEnds(const std::string &crlf, std::string_view end)
{
    std::string text;
    for (const std::string &line : SplitLines(crlf)) {
        text += line;
        text += end;
    }
    return text;
}

TEST(ArmourDecoder, AnyPieceSizeAndAnyLineEnd)
{
    const Bytes bytes = test::RandomBytes(2000, 9);
    for (bool xxe : {false, true}) {
        const std::string crlf = test::EncodeStreaming(bytes, xxe, 4096);
        for (const std::string &text : {crlf, WithLineEnds(crlf, "\n"), WithLineEnds(crlf, "\r")}) {
            for (std::size_t piece = 1; piece <= 70; ++piece) {
                const test::StreamingResult result = test::DecodeStreaming(text, xxe, piece);
                ASSERT_EQ(result.error, ArmourError::None) << "piece " << piece;
                ASSERT_EQ(result.bytes, bytes) << "piece " << piece;
            }
        }
    }
}

TEST(ArmourDecoder, DoneAtTheEndLineAndDeafAfterIt)
{
    std::string out;
    ArmourDecoder decoder(false, [&out](std::span<const std::uint8_t> b) { out.append(b.begin(), b.end()); }, 0);
    EXPECT_EQ(decoder.Feed("begin 64 a.cod\r\n#86)C`:\r\n"), ArmourError::None);
    EXPECT_FALSE(decoder.Done());
    EXPECT_EQ(decoder.Feed("end\r\n~~~ not armour ~~~\r\n"), ArmourError::None);
    EXPECT_TRUE(decoder.Done());
    EXPECT_EQ(decoder.Feed("#86)C`:\r\n"), ArmourError::None);
    EXPECT_EQ(decoder.Finish(), ArmourError::None);
    EXPECT_EQ(out, "abc");
}

TEST(ArmourDecoder, ProgressByTextThen100Once)
{
    const std::string text = JoinLines(test::EncodeWithCode(Bytes(4500, 1), false));
    std::vector<std::int32_t> reports;
    ArmourDecoder decoder(false, [](std::span<const std::uint8_t>) {}, text.size(),
                          [&reports](std::int32_t percent) { reports.push_back(percent); });
    decoder.Feed(text);
    decoder.Finish();
    ASSERT_GE(reports.size(), 10u);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_TRUE(std::all_of(reports.begin(), reports.end(), [](std::int32_t p) { return p % 10 == 0; }));
    EXPECT_EQ(reports.back(), 100);
    EXPECT_EQ(std::count(reports.begin(), reports.end(), 100), 1); // the end line stops before 100 %
}

TEST(ArmourDecoder, FailureReports100OnceAndKeepsTheError)
{
    std::vector<std::int32_t> reports;
    ArmourDecoder decoder(false, [](std::span<const std::uint8_t>) {}, 100,
                          [&reports](std::int32_t percent) { reports.push_back(percent); });
    EXPECT_EQ(decoder.Feed("begin\n#86)C`:\n#8a)C`:\n"), ArmourError::InvalidCharacter);
    EXPECT_TRUE(decoder.Done());
    EXPECT_EQ(decoder.Finish(), ArmourError::InvalidCharacter);
    EXPECT_EQ(decoder.ErrorLine(), 2u);
    EXPECT_EQ(std::count(reports.begin(), reports.end(), 100), 1);
    EXPECT_EQ(reports.back(), 100);
}

TEST(ArmourDecoder, SinkFailurePassesAfterThe100Report)
{
    std::vector<std::int32_t> reports;
    ArmourDecoder decoder(false, [](std::span<const std::uint8_t>) { throw std::runtime_error("disk full"); }, 100,
                          [&reports](std::int32_t percent) { reports.push_back(percent); });
    EXPECT_EQ(decoder.Feed("begin\n#86)C`:\n"), ArmourError::None);
    EXPECT_THROW(decoder.Finish(), std::runtime_error);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), 100);
}

} // namespace
} // namespace ombre
