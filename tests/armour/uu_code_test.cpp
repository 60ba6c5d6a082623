// TUUCode: the armoured text's layout, round trips in both alphabets, the decoding rules over a
// whole text, and when progress is reported.

#include "armour_test_util.h"

#include <gtest/gtest.h>

namespace ombre {
namespace {

using test::Bytes;
using test::Lines;

TEST(TUUCodeEncode, WorkedExampleAsAWholeText)
{
    EXPECT_EQ(test::EncodeWithCode(test::BytesOf("abc"), false),
              (Lines{"begin 64 lettre.cod", "#86)C`:", "end"}));
    EXPECT_EQ(test::EncodeWithCode(test::BytesOf("abc"), true),
              (Lines{"begin 64 lettre.cod", "1MK7X+O", "end"}));
}

TEST(TUUCodeEncode, BlockBoundaries)
{
    const Lines uue45 = test::EncodeWithCode(Bytes(45, 7), false);
    ASSERT_EQ(uue45.size(), 4u);
    EXPECT_EQ(uue45[1].size(), 62u);
    EXPECT_EQ(uue45[2], "```");
    EXPECT_EQ(uue45[3], "end");
    EXPECT_EQ(test::EncodeWithCode(Bytes(45, 7), true)[2], "+++");

    const Lines uue44 = test::EncodeWithCode(Bytes(44, 7), false);
    ASSERT_EQ(uue44.size(), 3u);
    EXPECT_EQ(uue44[1].size(), 61u);
    EXPECT_EQ(uue44[1][0], 'L');
}

TEST(TUUCodeEncode, EmptyStreamGivesOneCountZeroLine)
{
    Bytes empty;
    MemoryStream stream(empty);
    Lines lines{"old content"};
    TUUCode code(stream, lines);
    code.Checksum = true;
    std::vector<std::int32_t> reports;
    code.OnProgress = [&reports](TUUCode &c) { reports.push_back(c.Percent); };
    code.Encode("vide.cod");
    EXPECT_EQ(lines, (Lines{"begin 64 vide.cod", "```", "end"}));
    EXPECT_EQ(reports, (std::vector<std::int32_t>{100, 100}));
}

TEST(TUUCodeEncode, ReadsFromTheStreamPosition)
{
    Bytes bytes = test::BytesOf("xyzabc");
    MemoryStream stream(bytes, 3);
    Lines lines;
    TUUCode code(stream, lines);
    code.Checksum = true;
    code.Encode("a.cod");
    EXPECT_EQ(lines[1], "#86)C`:");
}

// Every length around the block sizes, both alphabets: TUUCode, the bit-buffer reference and
// the streaming forms all give the same text and the same bytes back.
TEST(TUUCodeRoundTrip, EveryLengthUpTo200InBothAlphabets)
{
    for (bool xxe : {false, true}) {
        for (std::size_t n = 0; n <= 200; ++n) {
            SCOPED_TRACE(testing::Message() << "xxe " << xxe << " length " << n);
            const Bytes bytes = test::RandomBytes(n, static_cast<unsigned>(n + 1000 * xxe));
            const Lines lines = test::EncodeWithCode(bytes, xxe);
            ASSERT_EQ(lines.size(), n / 45 + 3);
            EXPECT_EQ(lines[lines.size() - 2][0], ArmourAlphabetFor(xxe).Char(n % 45));
            EXPECT_EQ(test::DecodeWithCode(lines, xxe), bytes);

            Bytes scratch;
            MemoryStream stream(scratch);
            Lines unused;
            TUUCode reference(stream, unused);
            reference.SetXXE(xxe);
            Bytes viaReference;
            for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
                std::array<std::uint8_t, kArmourBlockSize> block{};
                int count = 0;
                reference.DecodeLine(lines[i], block, count);
                viaReference.insert(viaReference.end(), block.begin(), block.begin() + count);
            }
            EXPECT_EQ(viaReference, bytes);

            const std::string text = test::EncodeStreaming(bytes, xxe, 7);
            EXPECT_EQ(text, JoinLines(lines));
            const test::StreamingResult decoded = test::DecodeStreaming(text, xxe, 13);
            EXPECT_EQ(decoded.error, ArmourError::None);
            EXPECT_EQ(decoded.bytes, bytes);
        }
    }
}

std::string Repeat(std::string_view part, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += part;
    return text;
}

struct DecodeCase {
    const char *what;
    Lines lines;
    bool xxe;
    std::string bytes;  // what the stream holds afterwards
    ArmourError error;  // None: success
};

const DecodeCase kDecodeCases[] = {
    {"first line never read", {"", "#86)C`:", "end"}, false, "abc", ArmourError::None},
    {"first line may be a data line", {"#86)C`:", "#86)C`:", "end"}, false, "abc", ArmourError::None},
    {"no end line: up to the last line", {"begin", "#86)C`:", "#86)C`:"}, false, "abcabc", ArmourError::None},
    {"nothing read after end", {"begin", "#86)C`:", "end", "~~~", "#86)C`:"}, false, "abc", ArmourError::None},
    {"lone zero character ends", {"begin", "#86)C`:", "`", "~~~"}, false, "abc", ArmourError::None},
    {"blank lines pass", {"begin", "", "#86)C`:", "", "#86)C`:", "end"}, false, "abcabc", ArmourError::None},
    {"XXE lone plus ends", {"begin", "1MK7X+O", "+", "~~~"}, true, "abc", ArmourError::None},
    {"XXE lone backquote is no end", {"begin", "1MK7X+O", "`", "end"}, true, "abc", ArmourError::InvalidCharacter},
    {"end with a trailing space", {"begin", "#86)C`:", "end ", "end"}, false, "abc", ArmourError::InvalidCharacter},
    {"end in capitals", {"begin", "#86)C`:", "END", "end"}, false, "abc", ArmourError::LineTooShort},
    {"first data line is never an end line", {"begin", "end"}, false, "", ArmourError::InvalidCharacter},
    {"no line at all", {}, false, "", ArmourError::NoDataLine},
    {"begin line alone", {"begin 64 a.cod"}, false, "", ArmourError::NoDataLine},
    {"blank lines alone", {"begin 64 a.cod", "", "end"}, false, "", ArmourError::NoDataLine},
    {"long line cut, full line still read", {"begin", "M" + std::string(300, '!'), "end"}, false,
     Repeat("\x04\x10\x41", 15), ArmourError::None},
};

TEST(TUUCodeDecode, RulesOverAWholeText)
{
    for (const DecodeCase &dc : kDecodeCases) {
        SCOPED_TRACE(dc.what);
        Bytes out;
        try {
            test::DecodeWithCode(dc.lines, dc.xxe, out);
            EXPECT_EQ(dc.error, ArmourError::None);
        } catch (const EUUError &e) {
            EXPECT_EQ(e.error(), dc.error);
        }
        EXPECT_EQ(std::string(out.begin(), out.end()), dc.bytes);
        // The streaming decoder reads the same text the same way.
        const test::StreamingResult streamed = test::DecodeStreaming(JoinLines(dc.lines), dc.xxe, 5);
        EXPECT_EQ(streamed.error, dc.error);
        EXPECT_EQ(std::string(streamed.bytes.begin(), streamed.bytes.end()), dc.bytes);
    }
}

TEST(TUUCodeDecode, AppendsAtTheStreamPosition)
{
    Bytes bytes = test::BytesOf("0123");
    MemoryStream stream(bytes, 1);
    Lines lines{"begin", "#86)C`:", "end"};
    TUUCode code(stream, lines);
    code.Decode();
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0abc");
    EXPECT_EQ(stream.Position(), 4u);
}

TEST(TUUCodeDecode, ErrorNamesTheLineAndKeepsTheMessage)
{
    Bytes out;
    try {
        test::DecodeWithCode({"begin", "#86)C`:", "end ", "end"}, false, out);
        FAIL() << "decoded a bad line";
    } catch (const EUUInvalidCharacter &e) {
        EXPECT_EQ(e.line(), 2u);
        EXPECT_STREQ(e.what(), "Caractère invalide dans le fichier d'entrée");
    }
}

std::vector<std::int32_t> EncodeReports(std::size_t size)
{
    Bytes bytes(size, 1);
    MemoryStream stream(bytes);
    Lines lines;
    TUUCode code(stream, lines);
    std::vector<std::int32_t> reports;
    code.OnProgress = [&reports](TUUCode &c) { reports.push_back(c.Percent); };
    code.Encode("a.cod");
    return reports;
}

TEST(TUUCodeProgress, EncodeReportsEveryLineAtAMultipleOfTheStepThen100)
{
    // 100 bytes: lines at 45 % (silent), 90 %, 100 %, then the closing report.
    EXPECT_EQ(EncodeReports(100), (std::vector<std::int32_t>{90, 100, 100}));
    // 4500 bytes: 100 full lines at 1 % each, a count-0 line at 100 %, the closing report.
    EXPECT_EQ(EncodeReports(4500), (std::vector<std::int32_t>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 100, 100}));
    // 9000 bytes: 200 lines at half a percent each, so each multiple of 10 holds for two lines.
    const std::vector<std::int32_t> reports = EncodeReports(9000);
    EXPECT_EQ(std::count(reports.begin(), reports.end(), 0), 1); // line 1 only: 0.5 %
    EXPECT_EQ(std::count(reports.begin(), reports.end(), 10), 2);
    EXPECT_EQ(std::count(reports.begin(), reports.end(), 100), 3);
}

TEST(TUUCodeProgress, DecodeReportsByLineThen100)
{
    // 103 lines: percent = i * 100 / 102 after line i, so 50 % holds for lines 51 and 52.
    Lines lines = test::EncodeWithCode(Bytes(4500, 1), false);
    Bytes out;
    MemoryStream stream(out);
    TUUCode code(stream, lines);
    std::vector<std::int32_t> reports;
    code.OnProgress = [&reports](TUUCode &c) { reports.push_back(c.Percent); };
    code.Decode();
    EXPECT_EQ(reports, (std::vector<std::int32_t>{0, 10, 20, 30, 40, 50, 50, 60, 70, 80, 90, 100}));
}

TEST(TUUCodeProgress, FailedDecodeStillEndsAt100)
{
    Lines lines{"begin", "#86)C`:", "#8a)C`:", "end"};
    Bytes out;
    MemoryStream stream(out);
    TUUCode code(stream, lines);
    std::vector<std::int32_t> reports;
    code.OnProgress = [&reports](TUUCode &c) { reports.push_back(c.Percent); };
    EXPECT_THROW(code.Decode(), EUUInvalidCharacter);
    EXPECT_EQ(reports, (std::vector<std::int32_t>{100}));
    EXPECT_EQ(code.Percent, 100);
    EXPECT_EQ(std::string(out.begin(), out.end()), "abc");
}

struct StreamBroken : std::runtime_error {
    StreamBroken() : std::runtime_error("broken") {}
};

class FailingStream final : public ByteStream {
public:
    std::size_t Read(std::span<std::uint8_t>) override { throw StreamBroken(); }
    void Write(std::span<const std::uint8_t>) override { throw StreamBroken(); }
    std::uint64_t Size() const override { return 1000; }
    std::uint64_t Position() const override { return 0; }
};

TEST(TUUCodeProgress, StreamFailuresPassUnchangedAfterThe100Report)
{
    for (bool encode : {true, false}) {
        FailingStream stream;
        Lines lines{"begin", "#86)C`:", "end"};
        TUUCode code(stream, lines);
        std::vector<std::int32_t> reports;
        code.OnProgress = [&reports](TUUCode &c) { reports.push_back(c.Percent); };
        EXPECT_THROW(encode ? code.Encode("a.cod") : code.Decode(), StreamBroken);
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports.back(), 100);
    }
}

} // namespace
} // namespace ombre
