#include "rtf/plain_text.h"

#include <gtest/gtest.h>

namespace ombre {
namespace {

using namespace Qt::Literals::StringLiterals;

using Codec = PlainTextEncoding::Codec;
using LineEnd = PlainTextEncoding::LineEnd;

struct DecodeCase
{
    const char *name;
    QByteArray bytes;
    QString text;
    PlainTextEncoding encoding;
};

class DecodePlainText : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodePlainText, GivesTextAndEncoding)
{
    PlainTextEncoding detected{Codec::Utf8, true, LineEnd::Cr};
    EXPECT_EQ(decodePlainText(GetParam().bytes, &detected), GetParam().text);
    EXPECT_EQ(detected, GetParam().encoding);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodePlainText,
    testing::Values(
        DecodeCase{"empty", "", "", {Codec::Windows1252, false, LineEnd::CrLf}},
        DecodeCase{"ascii_crlf", "a\r\nb\r\n", "a\nb\n", {Codec::Windows1252, false, LineEnd::CrLf}},
        DecodeCase{"ascii_lf", "a\nb", "a\nb", {Codec::Windows1252, false, LineEnd::Lf}},
        DecodeCase{"ascii_cr", "a\rb\r", "a\nb\n", {Codec::Windows1252, false, LineEnd::Cr}},
        DecodeCase{"mixed_line_ends_follow_the_first", "a\nb\r\nc\rd", "a\nb\nc\nd",
                   {Codec::Windows1252, false, LineEnd::Lf}},
        DecodeCase{"utf8", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\r\n", u"été €\n"_s,
                   {Codec::Utf8, false, LineEnd::CrLf}},
        DecodeCase{"utf8_bom", "\xEF\xBB\xBF" "abc", "abc", {Codec::Utf8, true, LineEnd::CrLf}},
        DecodeCase{"windows1252_high_half", "\x80\x85\x91\x92\x93\x94\x96\x97\xE9\xA0\t",
                   u"€…‘’“”–—é\u00A0\t"_s, {Codec::Windows1252, false, LineEnd::CrLf}},
        // Looks like UTF-8 at first, then a byte that cannot continue it.
        DecodeCase{"broken_utf8_is_windows1252", "\xC3\xA9\xE9", u"Ã©é"_s,
                   {Codec::Windows1252, false, LineEnd::CrLf}},
        DecodeCase{"overlong_utf8_is_windows1252", "\xC0\xAF", u"À¯"_s,
                   {Codec::Windows1252, false, LineEnd::CrLf}},
        DecodeCase{"bom_then_invalid_keeps_every_byte", "\xEF\xBB\xBF\xFF", u"ï»¿ÿ"_s,
                   {Codec::Windows1252, false, LineEnd::CrLf}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PlainText, EveryWindows1252ByteSurvivesDecodeAndEncode)
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        if (byte != '\r' && byte != '\n')
            all.append(char(byte));
    all.append("\xC3"); // keeps the whole from being valid UTF-8
    PlainTextEncoding detected;
    const QString text = decodePlainText(all, &detected);
    ASSERT_EQ(detected.codec, Codec::Windows1252);
    PlainTextEncoding used;
    EXPECT_EQ(encodePlainText(text, detected, &used), all);
    EXPECT_EQ(used, detected);
}

struct EncodeCase
{
    const char *name;
    QString text;
    PlainTextEncoding preferred;
    QByteArray bytes;
    PlainTextEncoding used;
};

class EncodePlainText : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodePlainText, WritesBytesAndReportsEncoding)
{
    PlainTextEncoding used;
    EXPECT_EQ(encodePlainText(GetParam().text, GetParam().preferred, &used), GetParam().bytes);
    EXPECT_EQ(used, GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodePlainText,
    testing::Values(
        EncodeCase{"new_document", u"Chère\nMadame\u00A0!\tx"_s, {},
                   "Ch\xE8re\r\nMadame\xA0!\tx", {}},
        EncodeCase{"document_separators", u"a\u2029b\u2028c\r\nd\re"_s, {},
                   "a\r\nb\r\nc\r\nd\r\ne", {}},
        EncodeCase{"lf_style_kept", "a\nb", {Codec::Windows1252, false, LineEnd::Lf}, "a\nb",
                   {Codec::Windows1252, false, LineEnd::Lf}},
        EncodeCase{"cr_style_kept", "a\nb", {Codec::Windows1252, false, LineEnd::Cr}, "a\rb",
                   {Codec::Windows1252, false, LineEnd::Cr}},
        EncodeCase{"euro_and_quotes_fit_windows1252", u"€ “x” œ"_s, {}, "\x80 \x93x\x94 \x9C", {}},
        // Windows-1252 cannot hold these: UTF-8 with a byte-order mark, never a question mark.
        EncodeCase{"polish_falls_back_to_utf8", u"Łódź\n"_s, {},
                   "\xEF\xBB\xBF\xC5\x81\xC3\xB3" "d\xC5\xBA\r\n", {Codec::Utf8, true, LineEnd::CrLf}},
        EncodeCase{"emoji_falls_back_to_utf8", u"\U0001F600"_s,
                   {Codec::Windows1252, false, LineEnd::Lf}, "\xEF\xBB\xBF\xF0\x9F\x98\x80",
                   {Codec::Utf8, true, LineEnd::Lf}},
        EncodeCase{"utf8_without_bom_kept", u"é"_s, {Codec::Utf8, false, LineEnd::Lf},
                   "\xC3\xA9", {Codec::Utf8, false, LineEnd::Lf}},
        EncodeCase{"utf8_with_bom_kept", "a", {Codec::Utf8, true, LineEnd::CrLf},
                   "\xEF\xBB\xBF" "a", {Codec::Utf8, true, LineEnd::CrLf}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PlainText, Utf8FileSavesBackToTheSameBytes)
{
    const QByteArray file = "\xEF\xBB\xBFpremi\xC3\xA8re\nligne \xE2\x80\x94 \xC5\x93uvre\n";
    PlainTextEncoding detected;
    const QString text = decodePlainText(file, &detected);
    EXPECT_EQ(encodePlainText(text, detected), file);
}

} // namespace
} // namespace ombre
