#include "cipher/file_name.h"

#include <gtest/gtest.h>

namespace ombre {
namespace {

TEST(BareFileName, KeepsOnlyASafeBareName)
{
    struct Case { std::string name, bare; };
    for (const Case &c : {Case{"lettre.rtf", "lettre.rtf"},
                          Case{"../../.bashrc", ".bashrc"},
                          Case{"/etc/passwd", "passwd"},
                          Case{"C:\\Users\\Jean\\note.txt", "note.txt"},
                          Case{"dossier/", ""},
                          Case{"..", ""},
                          Case{".", ""},
                          Case{"", ""},
                          Case{"..\\..", ""},
                          Case{"a\tb\nc", "a_b_c"},
                          Case{std::string("nul\0byte", 8), "nul_byte"},
                          Case{"bad\xFFutf8", "bad_utf8"},
                          Case{"\xC2\x85next", "_next"},
                          Case{"été ..txt", "été ..txt"}})
        EXPECT_EQ(BareFileName(c.name), c.bare) << c.name;
}

TEST(BareFileName, ShortensToWhatAFileSystemTakes)
{
    std::string name;
    for (int i = 0; i < 200; ++i)
        name += "€";
    const std::string bare = BareFileName(name + ".txt");
    EXPECT_LE(bare.size(), kMaxFileNameBytes);
    EXPECT_TRUE(bare.ends_with("€.txt"));
}

TEST(ShortenFileName, DropsAnExtensionTooLongToKeep)
{
    const std::string name = "a." + std::string(40, 'x');
    EXPECT_EQ(ShortenFileName(name, 20, NameUnit::Bytes), name.substr(0, 20));
}

TEST(ReplaceExtension, ReplacesTheLastExtensionOnly)
{
    EXPECT_EQ(ReplaceExtension("lettre.rtf", ".cod"), "lettre.cod");
    EXPECT_EQ(ReplaceExtension("archive.tar.gz", ".cod"), "archive.tar.cod");
    EXPECT_EQ(ReplaceExtension("notes", ".uue"), "notes.uue");
    EXPECT_EQ(ReplaceExtension(".profile", ".xxe"), ".profile.xxe");
}

TEST(LowerExtension, TakesTheLastExtensionOfTheNameInLowerCase)
{
    struct Case { std::string name, extension; };
    for (const Case &c : {Case{"MAJ.RTF", ".rtf"},
                          Case{"lettre.Cod", ".cod"},
                          Case{"archive.tar.GZ", ".gz"},
                          Case{"notes", ""},
                          Case{".profile", ""},
                          Case{"..cod", ".cod"},
                          Case{"fin.", "."},
                          Case{"/home/jean/dossier.v2/NOTES", ""},
                          Case{"/home/jean/.config/LETTRE.UUE", ".uue"},
                          Case{"/home/jean/.bashrc", ""},
                          Case{"Été.ÉTÉ", ".ÉtÉ"},
                          Case{"", ""}})
        EXPECT_EQ(LowerExtension(c.name), c.extension) << c.name;
}

TEST(DecryptedFileName, HeaderNameThenContainerStemThenAFixedName)
{
    struct Case { std::string header, container, name; };
    for (const Case &c : {Case{"rapport.pdf", "/tmp/envoi.cod", "rapport.pdf"},
                          Case{"lettre-\xE9t\xE9.rtf", "x.cod", "lettre-été.rtf"},
                          Case{"Łódź.txt", "x.cod", "Łódź.txt"},
                          Case{"../../.bashrc", "x.cod", ".bashrc"},
                          Case{"C:\\Docs\\note.txt", "x.cod", "note.txt"},
                          Case{"", "/tmp/envoi.UUE", "envoi"},
                          Case{"..", "/tmp/dossier.v2/envoi", "envoi"},
                          Case{"dossier/", "envoi.tar.cod", "envoi.tar"},
                          Case{"", "/tmp/.cod", ".cod"},
                          Case{"", "...cod", "sans-nom"},
                          Case{"", "", "sans-nom"}})
        EXPECT_EQ(DecryptedFileName(c.header, c.container), c.name) << c.header << " / " << c.container;
}

} // namespace
} // namespace ombre
