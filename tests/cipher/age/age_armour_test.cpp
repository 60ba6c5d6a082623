// The armour: what the writer makes, and the strict reading that leaves no room to alter an
// armoured file without the key (only the whitespace around it and the line-end style are free).

#include "age_test_support.h"

#include <gtest/gtest.h>

namespace ombre::age::test {
namespace {

std::vector<std::string> linesOf(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    for (std::size_t end; (end = text.find('\n', pos)) != std::string::npos; pos = end + 1)
        lines.push_back(text.substr(pos, end - pos));
    return lines;
}

std::string join(const std::vector<std::string> &lines, std::string_view lineEnd = "\n")
{
    std::string text;
    for (const std::string &line : lines)
        text += line + std::string(lineEnd);
    return text;
}

// Seven full lines and a last one of 52 characters ending in "==".
const std::vector<std::string> &goodLines()
{
    static const std::vector<std::string> lines = linesOf(textOf(seal(sampleBytes(191), true)));
    return lines;
}

std::vector<std::string> edited(const std::function<void(std::vector<std::string> &)> &edit)
{
    std::vector<std::string> lines = goodLines();
    edit(lines);
    return lines;
}

TEST(AgeArmour, WriterMakesStrictLines)
{
    for (const std::size_t size : {std::size_t{0}, std::size_t{10}, std::size_t{191}, kChunkSize + 1}) {
        const std::string text = textOf(seal(sampleBytes(size), true));
        ASSERT_TRUE(text.ends_with("\n")) << size;
        const std::vector<std::string> lines = linesOf(text);
        EXPECT_EQ(lines.front(), kArmourBeginLine);
        EXPECT_EQ(lines.back(), kArmourEndLine);
        for (std::size_t i = 1; i + 2 < lines.size(); ++i)
            EXPECT_EQ(lines[i].size(), 64u) << size << " line " << i;
        const std::string &last = lines[lines.size() - 2];
        EXPECT_TRUE(!last.empty() && last.size() <= 64 && last.size() % 4 == 0) << size;
        EXPECT_EQ(text.find('\r'), std::string::npos);
    }
    // 182 bytes of header, nonce and tag around 10 bytes fill four lines exactly: no empty line.
    EXPECT_EQ(linesOf(textOf(seal(sampleBytes(10), true))).size(), 6u);
}

TEST(AgeArmour, ReadingFollowsTheLineRules)
{
    const std::vector<std::string> &good = goodLines();
    ASSERT_EQ(good.size(), 10u);
    ASSERT_TRUE(good[8].size() == 52 && good[8].ends_with("=="));
    const std::string text = join(good);
    struct Row {
        std::string name;
        std::string text;
        Result expected;
    };
    const Row rows[] = {
        {"as written", text, Result::Ok},
        {"CRLF", join(good, "\r\n"), Result::Ok},
        {"no line end after the end line", text.substr(0, text.size() - 1), Result::Ok},
        {"CRLF, no line end after the end line", join(good, "\r\n").substr(0, join(good, "\r\n").size() - 2),
         Result::Ok},
        {"whitespace around", "\n\r   \t\n" + text + "\n\r   \t\n", Result::Ok},
        {"a full last line", textOf(seal(sampleBytes(10), true)), Result::Ok},
        // Lines.
        {"a short line in the middle", join(edited([](auto &l) { l[3].resize(60); })), Result::Damaged},
        {"the short line moved up", join(edited([](auto &l) { std::swap(l[7], l[8]); })), Result::Damaged},
        {"a long line", join(edited([](auto &l) { l[2] += "AAAA"; })), Result::Damaged},
        {"an empty line after the begin line", join(edited([](auto &l) { l.insert(l.begin() + 1, ""); })),
         Result::Damaged},
        {"an empty line before the end line", join(edited([](auto &l) { l.insert(l.end() - 1, ""); })),
         Result::Damaged},
        {"a space at a line's end", join(edited([](auto &l) { l[4] += ' '; })), Result::Damaged},
        {"a space at a line's start", join(edited([](auto &l) { l[4] = ' ' + l[4].substr(1); })), Result::Damaged},
        {"one line in CRLF", join(edited([](auto &l) { l[5] += '\r'; })), Result::Damaged},
        {"one line in LF among CRLF", join(edited([](auto &l) {
             for (std::size_t i = 0; i < l.size(); ++i)
                 if (i != 5)
                     l[i] += '\r';
         })),
         Result::Damaged},
        {"a character outside the alphabet", join(edited([](auto &l) { l[2][10] = '.'; })), Result::Damaged},
        // Padding.
        {"padding missing", join(edited([](auto &l) { l[8].resize(50); })), Result::Damaged},
        {"padding with loose bits", join(edited([](auto &l) { l[8][49] = l[8][49] == 'A' ? 'B' : l[8][49] + 1; })),
         Result::Damaged},
        // Begin and end.
        {"end line missing", join(edited([](auto &l) { l.pop_back(); })), Result::Damaged},
        {"end line cut", text.substr(0, text.size() - 2), Result::Damaged},
        {"another end line", join(edited([](auto &l) { l.back() = "-----END PGP MESSAGE-----"; })), Result::Damaged},
        {"nothing inside", join({std::string(kArmourBeginLine), std::string(kArmourEndLine)}), Result::Damaged},
        {"text after the end line", text + "x", Result::Damaged},
        {"a second armour after the end line", text + text, Result::Damaged},
        {"text before the begin line", "x\n" + text, Result::NotAge},
        {"begin line in lower case", join(edited([](auto &l) { l[0] = "-----BEGIN age ENCRYPTED FILE-----"; })),
         Result::NotAge},
        {"begin line with a space", join(edited([](auto &l) { l[0] += ' '; })), Result::NotAge},
        // Armour around what is not an age file.
        {"armoured text", std::string(kArmourBeginLine) + "\nQm9uam91cgo=\n" + std::string(kArmourEndLine) + '\n',
         Result::Damaged},
    };
    for (const Row &row : rows) {
        for (const std::size_t piece : {std::size_t{0}, std::size_t{1}, std::size_t{7}}) {
            const Opened opened = open(bytesOf(row.text), kPassphrase, piece);
            EXPECT_EQ(opened.result, row.expected) << row.name << ", piece " << piece;
            if (row.expected == Result::Ok) {
                EXPECT_EQ(opened.plain.size(), row.name == "a full last line" ? 10u : 191u) << row.name;
            }
        }
    }
}

TEST(AgeArmour, AFaultAfterTheHeaderGivesOneResultWhateverThePieces)
{
    // The header is read before the broken end line is reached, however the file is fed.
    const std::string text = join(edited([](auto &l) { l.back() = "-----END AGE ENCRYPTED FI9u"; }));
    for (const std::size_t piece : {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{100}}) {
        EXPECT_EQ(open(bytesOf(text), "wrong", piece).result, Result::WrongPassphrase) << piece;
        EXPECT_EQ(open(bytesOf(text), kPassphrase, piece).result, Result::Damaged) << piece;
        Reader facts("");
        for (std::size_t pos = 0; pos < text.size(); pos += piece == 0 ? text.size() : piece)
            facts.feed(bytesOf(text.substr(pos, piece == 0 ? text.size() : piece)));
        EXPECT_EQ(facts.finish(), Result::Ok) << piece;
    }
}

} // namespace
} // namespace ombre::age::test
