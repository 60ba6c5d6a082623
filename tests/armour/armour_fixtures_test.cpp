// Stored armoured texts: traditional uuencode output (GNU sharutils, and with spaces for zero),
// texts as mail transport may leave them, and damaged texts, through TUUCode and the streaming
// decoder alike.

#include "armour_test_util.h"

#include <gtest/gtest.h>

namespace ombre {
namespace {

using test::Bytes;

Bytes Sample()
{
    const std::string bytes = test::ReadFixture("sample.bin");
    return Bytes(bytes.begin(), bytes.end());
}

TEST(ArmourFixtures, AcceptedTextsGiveTheSampleBack)
{
    const Bytes sample = Sample();
    ASSERT_EQ(sample.size(), 309u);
    for (const char *name : {"sharutils.uue", "traditional-spaces.uue", "no-end.uue", "blank-lines.uue"}) {
        SCOPED_TRACE(name);
        std::vector<std::string> lines;
        ASSERT_EQ(ReadLinesFile(test::FixturePath(name), lines), TextFileResult::Ok);
        EXPECT_EQ(test::DecodeWithCode(lines, false), sample);

        const std::string text = test::ReadFixture(name);
        for (std::size_t piece : {std::size_t{1}, std::size_t{61}, text.size()}) {
            const test::StreamingResult streamed = test::DecodeStreaming(text, false, piece);
            EXPECT_EQ(streamed.error, ArmourError::None);
            EXPECT_EQ(streamed.bytes, sample);
        }
    }
}

struct DamagedCase {
    const char *name;
    ArmourError error;
    std::size_t line;       // index of the failing line
    std::size_t bytesKept;  // the sample's bytes decoded before it
};

const DamagedCase kDamaged[] = {
    {"damaged/invalid-character.uue", ArmourError::InvalidCharacter, 3, 90},
    {"damaged/cut-line.uue", ArmourError::LineTooShort, 2, 45},
    {"damaged/count-too-large.uue", ArmourError::CountTooLarge, 4, 135},
    {"damaged/lines-run-together.uue", ArmourError::LineTooLong, 7, 270},
    {"damaged/begin-only.uue", ArmourError::NoDataLine, 1, 0},
    {"damaged/end-with-space.uue", ArmourError::InvalidCharacter, 8, 309},
    {"damaged/end-in-capitals.uue", ArmourError::LineTooShort, 8, 309},
};

TEST(ArmourFixtures, DamagedTextsFailAtTheirBadLineAndKeepWhatCameBefore)
{
    const Bytes sample = Sample();
    for (const DamagedCase &dc : kDamaged) {
        SCOPED_TRACE(dc.name);
        const Bytes kept(sample.begin(), sample.begin() + static_cast<std::ptrdiff_t>(dc.bytesKept));
        std::vector<std::string> lines;
        ASSERT_EQ(ReadLinesFile(test::FixturePath(dc.name), lines), TextFileResult::Ok);
        Bytes out;
        try {
            test::DecodeWithCode(lines, false, out);
            ADD_FAILURE() << "decoded without error";
        } catch (const EUUError &e) {
            EXPECT_EQ(e.error(), dc.error);
            EXPECT_EQ(e.line(), dc.line);
        }
        EXPECT_EQ(out, kept);

        const test::StreamingResult streamed = test::DecodeStreaming(test::ReadFixture(dc.name), false, 100);
        EXPECT_EQ(streamed.error, dc.error);
        EXPECT_EQ(streamed.errorLine, dc.line);
        EXPECT_EQ(streamed.bytes, kept);
    }
}

} // namespace
} // namespace ombre
