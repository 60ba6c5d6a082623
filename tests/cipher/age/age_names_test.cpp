// Recognising an age file by its first bytes, and the name a sealed file goes back to.

#include "age_test_support.h"

#include "cipher/file_name.h"

#include <gtest/gtest.h>

namespace ombre::age::test {
namespace {

TEST(RecogniseAge, TellsBinaryArmouredAndOtherFilesApart)
{
    struct Case {
        std::string start;
        Encoding encoding;
    };
    const Case cases[] = {
        {"age-encryption.org/v1\n-> scrypt", Encoding::Binary},
        {"age-encryption.org/v1", Encoding::Binary}, // all the file there is
        {"-----BEGIN AGE ENCRYPTED FILE-----\nYWdlLWVu", Encoding::Armoured},
        {"-----BEGIN AGE ENCRYPTED FILE-----\r\nYWdlLWVu", Encoding::Armoured},
        {" \r\n\t\n-----BEGIN AGE ENCRYPTED FILE-----\n", Encoding::Armoured},
        // Whitespace pushes the begin line past the bytes looked at.
        {std::string(46, '\n') + "-----BEGIN AGE ENC", Encoding::Armoured},
        {std::string(46, '\n') + "-----BEGIN PGP MESS", Encoding::NotAge},
        {"age-encryption.org/v10\n", Encoding::NotAge},
        {"age-encryption.org/v2\n", Encoding::NotAge},
        {" age-encryption.org/v1\n", Encoding::NotAge},
        {"-----BEGIN AGE ENCRYPTED FILE-----X\n", Encoding::NotAge},
        {"-----BEGIN PGP MESSAGE-----\n", Encoding::NotAge},
        {"\x0C" "PC1\x02", Encoding::NotAge},
        {"", Encoding::NotAge},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RecogniseAge(bytesOf(c.start)), c.encoding) << c.start;
}

TEST(RecogniseAge, KnowsWhatTheWriterWrites)
{
    for (const bool armoured : {false, true}) {
        const Bytes sealed = seal(bytesOf("x"), armoured);
        const auto start = std::span(sealed).first(std::min(sealed.size(), kRecognitionBytes));
        EXPECT_EQ(RecogniseAge(start), armoured ? Encoding::Armoured : Encoding::Binary);
    }
}

TEST(OpenedFileName, DropsAgeOrMarksTheName)
{
    struct Case {
        std::string name, opened;
    };
    const Case cases[] = {
        {"rapport.pdf.age", "rapport.pdf"},
        {"LETTRE.RTF.AGE", "LETTRE.RTF"},
        {"notes.Age", "notes"},
        {"a.age.age", "a.age"},
        {"rapport.pdf", "rapport (décrypté).pdf"},
        {"archive.tar.gz", "archive.tar (décrypté).gz"},
        {"notes", "notes (décrypté)"},
        {".profile", ".profile (décrypté)"},
        {".age", "sans-nom"},
        {"..age", "sans-nom"}, // "." must never name a file
        {"...age", "sans-nom"},
        {"", "sans-nom"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(OpenedFileName(c.name), c.opened) << c.name;
}

TEST(OpenedFileName, ALongNameKeepsItsMarkAndExtension)
{
    const std::string name = std::string(kMaxFileNameBytes - 4, 'x') + ".pdf";
    const std::string opened = OpenedFileName(name);
    EXPECT_LE(opened.size(), kMaxFileNameBytes);
    EXPECT_TRUE(opened.ends_with(" (décrypté).pdf")) << opened;
    const std::string stem(kMaxFileNameBytes - 4, 'x');
    EXPECT_EQ(OpenedFileName(stem + ".age"), stem);
}

} // namespace
} // namespace ombre::age::test
