#include "cipher/ansi.h"

#include <gtest/gtest.h>

namespace ombre {
namespace {

TEST(Ansi, EncodesFrenchAndWindowsOnlyCharacters)
{
    EXPECT_EQ(Utf8ToAnsi("Élodie à l'œuvre : 5 €"), std::string("\xC9lodie \xE0 l'\x9C" "uvre : 5 \x80"));
    EXPECT_EQ(Utf8ToAnsi(""), std::string());
}

TEST(Ansi, RefusesWhatDoesNotFitInsteadOfReplacing)
{
    for (const char *text : {"Łukasz", "日本", "emoji 🙂", "\xC3", "\xC0\x80", "\xED\xA0\x80"})
        EXPECT_FALSE(Utf8ToAnsi(text).has_value()) << text;
}

TEST(Ansi, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = AnsiToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToAnsi(utf8), all);
}

TEST(Utf8, EncodesEveryLengthAndDecodesBack)
{
    for (const char32_t cp : {U'\0', U'A', U'\x7F', U'\x80', U'é', U'\x7FF', U'\x800', U'€', U'\xFFFD', U'\xFFFF',
                              U'\x10000', U'🙂', U'\x10FFFF'}) {
        std::string bytes;
        AppendUtf8(bytes, cp);
        std::size_t pos = 0;
        EXPECT_EQ(NextUtf8CodePoint(bytes, pos), cp) << static_cast<unsigned>(cp);
        EXPECT_EQ(pos, bytes.size()) << static_cast<unsigned>(cp);
    }
}

TEST(Ansi, HeaderTextPrefersWindows1252AndFallsBackToUtf8)
{
    EXPECT_EQ(EncodeHeaderText("lettre-été.rtf"), std::string("lettre-\xE9t\xE9.rtf"));
    EXPECT_EQ(EncodeHeaderText("Łódź.txt"), "Łódź.txt");

    struct Case { std::string bytes; std::string text; };
    for (const Case &c : {Case{"plain.txt", "plain.txt"},
                          Case{"lettre-\xE9t\xE9.rtf", "lettre-été.rtf"},
                          Case{"Łódź.txt", "Łódź.txt"},
                          Case{"half\xC3", "halfÃ"}})
        EXPECT_EQ(DecodeHeaderText(c.bytes), c.text) << c.bytes;
}

} // namespace
} // namespace ombre
