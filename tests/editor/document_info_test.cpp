// Document names: which mode a name gives, which names count as never saved, and renaming.

#include "editor/document_info.h"

#include <gtest/gtest.h>

namespace ombre {
namespace {

TEST(DocumentInfo, ModeComesFromTheExtensionInAnyCase)
{
    const struct {
        const char *name;
        bool plain;
    } cases[] = {{"/d/a.rtf", false}, {"/d/A.RTF", false}, {"/d/a.Rtf", false}, {"/d/a.txt", true},
                 {"/d/A.TXT", true},  {"/d/a.ini", true},  {"/d/rtf", true},     {"/d.rtf/a", true}};
    for (const auto &c : cases) {
        const TDocumentInfo info = MakeDocumentInfo(QString::fromUtf8(c.name), true, false);
        EXPECT_EQ(info.PlainText, c.plain) << c.name;
        EXPECT_TRUE(info.Proportional);
        EXPECT_FALSE(info.WordWrap);
        EXPECT_FALSE(info.Named);
        EXPECT_FALSE(info.Modified);
    }
}

TEST(DocumentInfo, LongPathsAreKeptWhole)
{
    const QString path = QStringLiteral("/d/") + QString(300, QLatin1Char('x')) + QStringLiteral(".txt");
    EXPECT_EQ(MakeDocumentInfo(path, false, true).FileName, path);
}

TEST(DocumentInfo, UntitledNamesStartWithSansNomExactly)
{
    EXPECT_TRUE(IsUntitled(QStringLiteral("/d/SansNom1.rtf")));
    EXPECT_TRUE(IsUntitled(QStringLiteral("/d/SansNom-copie.txt")));
    EXPECT_FALSE(IsUntitled(QStringLiteral("/d/sansnom1.rtf")));
    EXPECT_FALSE(IsUntitled(QStringLiteral("/SansNom/lettre.rtf")));
    EXPECT_EQ(UntitledPath(QStringLiteral("/home/u/Documents"), 3),
              QStringLiteral("/home/u/Documents/Fichiers normaux/SansNom3.rtf"));
}

TEST(DocumentInfo, ExtensionIsReplacedOrAdded)
{
    const struct {
        const char *path;
        const char *expected;
    } cases[] = {{"/d/a.rtf", "/d/a.txt"}, {"/d/a", "/d/a.txt"}, {"/d.x/a", "/d.x/a.txt"},
                 {"/d/a.b.rtf", "/d/a.b.txt"}, {"/d/.rtf", "/d/.txt"}};
    for (const auto &c : cases)
        EXPECT_EQ(WithExtension(QString::fromUtf8(c.path), QStringLiteral(".txt")), QString::fromUtf8(c.expected));
}

} // namespace
} // namespace ombre
