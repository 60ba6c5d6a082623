#include "cipher/text_routines.h"

#include "cipher/ansi.h"

#include <gtest/gtest.h>

namespace ombre {
namespace {

std::string ansi(const char *utf8) { return *Utf8ToAnsi(utf8); }

TEST(ScrambleText, RestoresWithTheSameKeyAndReusesTheKeyPastTwelve)
{
    const std::string name = "une-longue-lettre.rtf";
    const std::string scrambled = ScrambleText(name, kSourceNameKey);
    ASSERT_EQ(scrambled.size(), name.size());
    EXPECT_EQ(scrambled[0], static_cast<char>('u' ^ 'Q'));
    EXPECT_EQ(scrambled[12], static_cast<char>(name[12] ^ 'Q'));
    EXPECT_EQ(ScrambleText(scrambled, kSourceNameKey), name);
    EXPECT_EQ(ScrambleText("", kSourceNameKey), "");
    // A name character equal to the key character scrambles to byte 0, which must survive.
    EXPECT_EQ(ScrambleText("Q", kSourceNameKey), std::string(1, '\0'));
}

TEST(UnmaskText, IsItsOwnInverse)
{
    EXPECT_EQ(UnmaskText("\x2D\x0A"), "In");
    EXPECT_EQ(UnmaskText(UnmaskText(ansi("Clé"))), ansi("Clé"));
}

TEST(MaskedTexts, HaveTheirFixedLengths)
{
    EXPECT_EQ(OwnerLabelText().size(), 19u);
    EXPECT_EQ(DefaultOwnerText().size(), 8u);
    EXPECT_EQ(DecryptedFileNoticeText().size(), 55u);
    EXPECT_EQ(EncryptedFileNoticeText().size(), 53u);
    EXPECT_EQ(AnsiToUtf8(DefaultOwnerText()), "Inconnue");
}

TEST(FoldAccents, FoldsFrenchLettersOnly)
{
    EXPECT_EQ(FoldAccents(ansi("àâäÀÇçèéêëÎïôÖùûüÿ")), "AAAACCEEEEIIOOUUUY");
    EXPECT_EQ(FoldAccents(ansi("azAZ 09.áñó")), ansi("AZAZ 09.áñó"));
}

TEST(CheckOwnerName, AcceptsLettersAndSpacesOnly)
{
    struct Case { const char *name; bool passes; };
    for (const Case &c : {Case{"Jean", true}, Case{"Hélène Côté", true}, Case{"ÉLOÏSE ÿ", true},
                          Case{"J. Dupont", false}, Case{"Agent 007", false},
                          Case{"Jesús", false}, Case{"tab\there", false}}) {
        const std::string name = ansi(c.name);
        EXPECT_EQ(CheckOwnerName(name), c.passes ? name : DefaultOwnerText()) << c.name;
    }
    EXPECT_EQ(CheckOwnerName(""), DefaultOwnerText());
    EXPECT_EQ(CheckOwnerName(std::string("A\0B", 3)), DefaultOwnerText());
}

} // namespace
} // namespace ombre
