// The line routines: the worked example, the reference (bit buffer) and fast (table) forms
// against each other, and the rules a decoded line must meet.

#include "armour_test_util.h"

#include "armour/data_line.h"

#include <gtest/gtest.h>

#include <array>

namespace ombre {
namespace {

using test::Bytes;

std::string FastLine(const Bytes &bytes, bool xxe, bool checksum)
{
    char line[kArmourMaxLineLength];
    return std::string(line, EncodeDataLine(ArmourAlphabetFor(xxe), bytes.data(), bytes.size(), checksum, line));
}

std::string ReferenceLine(const Bytes &bytes, bool xxe, bool checksum)
{
    std::vector<std::uint8_t> unused;
    MemoryStream stream(unused);
    std::vector<std::string> lines;
    TUUCode code(stream, lines);
    code.SetXXE(xxe);
    code.Checksum = checksum;
    std::array<std::uint8_t, kArmourBlockSize> block{};
    std::copy(bytes.begin(), bytes.end(), block.begin());
    std::string line;
    code.EncodeLine(block, static_cast<int>(bytes.size()), line);
    return line;
}

TEST(DataLine, WorkedExampleAbc)
{
    const Bytes abc = test::BytesOf("abc");
    const std::string uue = {35, 56, 54, 41, 67, 96, 58};
    for (const auto &encode : {FastLine, ReferenceLine}) {
        EXPECT_EQ(encode(abc, false, true), uue);
        EXPECT_EQ(encode(abc, true, true), "1MK7X+O");
        EXPECT_EQ(encode(abc, false, false), uue.substr(0, 6));
    }
}

TEST(DataLine, BitBufferHoldsTheBlockMostSignificantBitFirst)
{
    std::vector<std::uint8_t> unused;
    MemoryStream stream(unused);
    std::vector<std::string> lines;
    TUUCode code(stream, lines);
    std::array<std::uint8_t, kArmourBlockSize> block{0x81};
    block[44] = 0x01;
    std::string line;
    code.EncodeLine(block, 45, line);
    EXPECT_EQ(code.BitBuffer[0], 1);
    EXPECT_EQ(code.BitBuffer[1], 0);
    EXPECT_EQ(code.BitBuffer[7], 1);
    EXPECT_EQ(code.BitBuffer[359], 1);
    EXPECT_EQ(std::count(code.BitBuffer.begin(), code.BitBuffer.end(), 1), 3);
}

TEST(DataLine, CountZeroAndFullAndAlmostFullLines)
{
    EXPECT_EQ(FastLine({}, false, true), "```");
    EXPECT_EQ(FastLine({}, true, true), "+++");
    EXPECT_EQ(FastLine(Bytes(45, 0xFF), false, true).size(), 62u);
    EXPECT_EQ(FastLine(Bytes(45, 0xFF), false, true)[0], 'M');
    EXPECT_EQ(FastLine(Bytes(45, 0xFF), true, true)[0], 'h');
    EXPECT_EQ(FastLine(Bytes(44, 0xFF), false, true).size(), 61u);
    EXPECT_EQ(FastLine(Bytes(45, 0xFF), false, false).size(), 61u);
}

// Every count, both alphabets, with and without check character: the table-driven routines
// write and read exactly what the bit buffer does.
TEST(DataLine, FastAndReferenceAgreeForEveryCount)
{
    std::vector<std::uint8_t> unused;
    MemoryStream stream(unused);
    std::vector<std::string> lines;
    for (bool xxe : {false, true}) {
        TUUCode code(stream, lines);
        code.SetXXE(xxe);
        for (bool checksum : {false, true}) {
            for (std::size_t n = 0; n <= kArmourBlockSize; ++n) {
                SCOPED_TRACE(testing::Message() << "xxe " << xxe << " checksum " << checksum << " n " << n);
                const Bytes bytes = test::RandomBytes(n, static_cast<unsigned>(n * 4 + xxe * 2 + checksum));
                const std::string line = FastLine(bytes, xxe, checksum);
                ASSERT_EQ(line, ReferenceLine(bytes, xxe, checksum));
                ASSERT_EQ(line.size(), 1 + ArmourDataChars(n) + checksum);

                std::array<std::uint8_t, kArmourBlockSize> fast{};
                std::size_t fastCount = 0;
                ASSERT_EQ(DecodeDataLine(ArmourAlphabetFor(xxe), line, fast.data(), fastCount), ArmourError::None);
                std::array<std::uint8_t, kArmourBlockSize> reference{};
                int referenceCount = -1;
                code.DecodeLine(line, reference, referenceCount);
                ASSERT_EQ(fastCount, n);
                ASSERT_EQ(referenceCount, static_cast<int>(n));
                EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), fast.begin()));
                EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), reference.begin()));
            }
        }
    }
}

struct LineCase {
    const char *what;
    std::string line;
    ArmourError error;
    std::size_t count;
};

// UUE lines; c(k) is k valid data characters.
std::string c(std::size_t k, char ch = 'A') { return std::string(k, ch); }

const LineCase kLineCases[] = {
    {"empty line", "", ArmourError::LineTooShort, 0},
    {"lone zero character", "`", ArmourError::None, 0},
    {"lower-case count", "end ", ArmourError::InvalidCharacter, 0},
    {"count above 45", "N" + c(60), ArmourError::CountTooLarge, 0},
    {"highest count character", "_" + c(60), ArmourError::CountTooLarge, 0},
    {"full line", "M" + c(60), ArmourError::None, 45},
    {"full line, check character", "M" + c(61), ArmourError::None, 45},
    {"full line, junk past 60 never read", "M" + c(60) + "xyz", ArmourError::None, 45},
    {"full line cut short", "M" + c(59), ArmourError::LineTooShort, 0},
    {"3 bytes, traditional 4 characters", "#" + c(4), ArmourError::None, 3},
    {"3 bytes, 3 characters", "#" + c(3), ArmourError::LineTooShort, 0},
    {"invalid character among the data", "#AB" + std::string("a") + "A", ArmourError::InvalidCharacter, 0},
    {"invalid check character on a short line", "#" + c(4) + "a", ArmourError::InvalidCharacter, 0},
    {"spaces for zero", "#    ", ArmourError::None, 3},
    {"44 bytes, 60 characters and a check", "L" + c(61), ArmourError::None, 44},
    {"44 bytes, 62 characters", "L" + c(62), ArmourError::LineTooLong, 0},
    {"1 byte, lines run together", "!" + c(62), ArmourError::LineTooLong, 0},
    {"byte above 127", "#AB\xE9" "A", ArmourError::InvalidCharacter, 0},
};

TEST(DataLine, RulesOfADecodedLineInFastAndReferenceForms)
{
    std::vector<std::uint8_t> unused;
    MemoryStream stream(unused);
    std::vector<std::string> lines;
    TUUCode code(stream, lines);
    for (const LineCase &lc : kLineCases) {
        SCOPED_TRACE(lc.what);
        std::array<std::uint8_t, kArmourBlockSize> block{};
        std::size_t count = 99;
        EXPECT_EQ(DecodeDataLine(UUEArmourAlphabet(), lc.line, block.data(), count), lc.error);
        if (lc.error == ArmourError::None) {
            EXPECT_EQ(count, lc.count);
        }

        int referenceCount = -1;
        try {
            code.DecodeLine(lc.line, block, referenceCount);
            EXPECT_EQ(lc.error, ArmourError::None);
            EXPECT_EQ(referenceCount, static_cast<int>(lc.count));
        } catch (const EUUError &e) {
            EXPECT_EQ(e.error(), lc.error);
        }
    }
}

TEST(DataLine, SpacesDecodeAsZeroCharacters)
{
    std::array<std::uint8_t, kArmourBlockSize> spaces{}, zeros{};
    std::size_t count = 0;
    ASSERT_EQ(DecodeDataLine(UUEArmourAlphabet(), "#86) ", spaces.data(), count), ArmourError::None);
    ASSERT_EQ(DecodeDataLine(UUEArmourAlphabet(), "#86)`", zeros.data(), count), ArmourError::None);
    EXPECT_EQ(spaces, zeros);
}

TEST(DataLine, WritesNoMoreThanItsCount)
{
    std::array<std::uint8_t, kArmourBlockSize> block;
    block.fill(0xAA);
    std::size_t count = 0;
    // One byte whose line carries a 61st (check) character: only block[0] may change.
    ASSERT_EQ(DecodeDataLine(UUEArmourAlphabet(), "!" + c(61, '_'), block.data(), count), ArmourError::None);
    EXPECT_EQ(count, 1u);
    EXPECT_TRUE(std::all_of(block.begin() + 1, block.end(), [](std::uint8_t b) { return b == 0xAA; }));
}

TEST(DataLine, EndLinesAndSkippedLines)
{
    const ArmourAlphabet &uue = UUEArmourAlphabet();
    const ArmourAlphabet &xxe = XXEArmourAlphabet();
    EXPECT_EQ(ClassifyArmourLine(uue, 0, "anything at all"), ArmourLineKind::Skip);
    EXPECT_EQ(ClassifyArmourLine(uue, 1, "end"), ArmourLineKind::Data); // the first data line is always decoded
    EXPECT_EQ(ClassifyArmourLine(uue, 2, "end"), ArmourLineKind::End);
    EXPECT_EQ(ClassifyArmourLine(uue, 2, "end "), ArmourLineKind::Data);
    EXPECT_EQ(ClassifyArmourLine(uue, 2, "END"), ArmourLineKind::Data);
    EXPECT_EQ(ClassifyArmourLine(uue, 2, "`"), ArmourLineKind::End);
    EXPECT_EQ(ClassifyArmourLine(uue, 2, "+"), ArmourLineKind::Data);
    EXPECT_EQ(ClassifyArmourLine(xxe, 2, "+"), ArmourLineKind::End);
    EXPECT_EQ(ClassifyArmourLine(xxe, 2, "`"), ArmourLineKind::Data);
    EXPECT_EQ(ClassifyArmourLine(uue, 2, "```"), ArmourLineKind::Data);
    EXPECT_EQ(ClassifyArmourLine(uue, 5, ""), ArmourLineKind::Skip);
}

TEST(DataLine, CharValue)
{
    std::vector<std::uint8_t> unused;
    MemoryStream stream(unused);
    std::vector<std::string> lines;
    TUUCode code(stream, lines);
    EXPECT_EQ(code.CharValue('`'), 0);
    EXPECT_EQ(code.CharValue(' '), 0);
    EXPECT_EQ(code.CharValue('!'), 1);
    EXPECT_EQ(code.CharValue('M'), 45);
    EXPECT_EQ(code.CharValue('_'), 63);
    EXPECT_THROW(code.CharValue('a'), EUUInvalidCharacter);
    EXPECT_THROW(code.CharValue('~'), EUUInvalidCharacter);
    code.SetXXE(true);
    EXPECT_EQ(code.Alphabet(), kXXEAlphabet);
    EXPECT_EQ(code.CharValue('+'), 0);
    EXPECT_EQ(code.CharValue(' '), 0);
    EXPECT_EQ(code.CharValue('h'), 45);
    EXPECT_EQ(code.CharValue('z'), 63);
    for (char invalid : {'`', '_', '\xE9', '\0', '\r'}) {
        try {
            code.CharValue(invalid);
            ADD_FAILURE() << "accepted " << int(invalid);
        } catch (const EUUInvalidCharacter &e) {
            EXPECT_STREQ(e.what(), "Caractère invalide dans le fichier d'entrée");
        }
    }
    code.SetXXE(false);
    EXPECT_EQ(code.Alphabet(), kUUEAlphabet);
}

} // namespace
} // namespace ombre
