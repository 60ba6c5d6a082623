// Armoured text as lines: line ends on reading, CR LF on writing, and files written atomically.

#include "armour/line_splitter.h"
#include "armour/text_lines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace ombre {
namespace {

using Lines = std::vector<std::string>;

struct SplitCase {
    std::string text;
    Lines lines;
};

const SplitCase kSplitCases[] = {
    {"", {}},
    {"a", {"a"}},
    {"a\r\n", {"a"}},
    {"a\r\nb", {"a", "b"}},
    {"a\r\n\r\n", {"a", ""}},
    {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
    {"a\n\rb", {"a", "", "b"}},
    {"a\r\r\nb", {"a", "", "b"}},
    {"\r\n", {""}},
    {"\n\n", {"", ""}},
};

TEST(TextLines, SplitAtCrLfLoneCrAndLoneLf)
{
    for (const SplitCase &sc : kSplitCases) {
        EXPECT_EQ(SplitLines(sc.text), sc.lines) << testing::PrintToString(sc.text);
        // Fed one character at a time, a CR and its LF arrive in different pieces.
        LineSplitter splitter;
        Lines lines;
        const auto keep = [&lines](std::string_view line, std::size_t) {
            lines.emplace_back(line);
            return true;
        };
        for (char c : sc.text)
            splitter.Feed(std::string_view(&c, 1), keep);
        splitter.Finish(keep);
        EXPECT_EQ(lines, sc.lines) << testing::PrintToString(sc.text);
    }
}

TEST(TextLines, SplitterKeepsOnlyTheStartOfALongLine)
{
    LineSplitter splitter(4);
    Lines lines;
    const auto keep = [&lines](std::string_view line, std::size_t) {
        lines.emplace_back(line);
        return true;
    };
    splitter.Feed("abcdefgh", keep);
    splitter.Feed("ijkl\nmnopqrst\nuv", keep);
    splitter.Finish(keep);
    EXPECT_EQ(lines, (Lines{"abcd", "mnop", "uv"}));
}

TEST(TextLines, JoinEndsEveryLineWithCrLf)
{
    EXPECT_EQ(JoinLines({"begin 64 a.cod", "```", "end"}), "begin 64 a.cod\r\n```\r\nend\r\n");
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({""}), "\r\n");
}

class TextFiles : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() / ("armour-test-" + std::to_string(std::random_device()()));
        std::filesystem::create_directory(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_;
};

TEST_F(TextFiles, ReadsLinesBackAndReportsAMissingFile)
{
    const std::filesystem::path path = folder_ / "lettre.uue";
    const Lines lines{"begin 64 lettre.cod", "#86)C`:", "end"};
    std::ofstream(path, std::ios::binary) << JoinLines(lines);
    Lines read;
    ASSERT_EQ(ReadLinesFile(path, read), TextFileResult::Ok);
    EXPECT_EQ(read, lines);

    Lines kept{"kept"};
    EXPECT_EQ(ReadLinesFile(folder_ / "missing.uue", kept), TextFileResult::ReadFailed);
    EXPECT_EQ(kept, Lines{"kept"});
}

} // namespace
} // namespace ombre
