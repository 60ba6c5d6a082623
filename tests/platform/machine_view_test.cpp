#include "platform/language_ids.h"
#include "platform/machine_view.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ombre {
namespace {

QString normalKey(int id)
{
    return QStringLiteral("\\") + ProofingSpellingKey + QLatin1Char('\\') + QString::number(id) + QStringLiteral("\\Normal");
}

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(LanguageIds, MapsDictionaryNamesToWindowsIdentifiers)
{
    const std::vector<std::pair<const char *, int>> cases = {
        {"fr_FR", 1036}, {"fr_BE", 2060}, {"fr_CA", 3084}, {"fr_CH", 4108}, {"en_US", 1033}, {"en_GB", 2057},
        {"de_DE", 1031}, {"es_ES", 3082}, {"it_IT", 1040}, {"fr", 1036},    {"en", 1033},    {"fr-BE", 2060},
        {"de_DE_frami", 1031}, {"en_US-large", 1033}, {"FR_fr", 1036}, {"fr_XX", 0}, {"xx", 0}, {"", 0},
    };
    for (const auto &[locale, id] : cases)
        EXPECT_EQ(LanguageIdForLocale(QLatin1String(locale)), id) << locale;
    EXPECT_EQ(LocaleForLanguageId(2060), QStringLiteral("fr_BE"));
    EXPECT_EQ(LocaleForLanguageId(12345), QString());
}

TEST(MachineViewTest, OneSpellingKeyPerUsableDictionary)
{
    QTemporaryDir dir;
    const QString user = dir.filePath(QStringLiteral("user"));
    const QString system = dir.filePath(QStringLiteral("system"));
    for (const char *name : {"system/fr_FR.dic", "system/fr_FR.aff", "system/fr_BE.dic", "system/fr_BE.aff",
                             "system/en_GB.dic", "system/xx_YY.dic", "system/xx_YY.aff", "user/fr_FR.dic",
                             "user/fr_FR.aff"})
        touch(dir.filePath(QLatin1String(name)));

    const MachineView view({{user, system, dir.filePath(QStringLiteral("missing"))}, QStringLiteral("/lib/libhunspell.so.0")});
    EXPECT_EQ(view.subKeys(ProofingSpellingKey), (QStringList{"1036", "2060"}));
    EXPECT_TRUE(view.keyExists(normalKey(1036)));
    EXPECT_EQ(view.readStr(normalKey(1036), QStringLiteral("Dictionary")), user + QStringLiteral("/fr_FR.dic"));
    EXPECT_EQ(view.readStr(normalKey(2060), QStringLiteral("Engine")), QStringLiteral("/lib/libhunspell.so.0"));
    EXPECT_FALSE(view.keyExists(normalKey(2057))); // no affix file
    EXPECT_EQ(view.readStr(normalKey(2057), QStringLiteral("Dictionary"), QStringLiteral("none")), QStringLiteral("none"));

    const MachineView withoutEngine({{user, system}, QString()});
    EXPECT_FALSE(withoutEngine.keyExists(ProofingSpellingKey));
}

// The packages the program depends on install the French and American dictionaries.
TEST(MachineViewTest, SeesTheInstalledDictionaries)
{
    const MachineView &view = MachineView::instance();
    for (const int id : {1036, 1033}) {
        EXPECT_TRUE(QFileInfo::exists(view.readStr(normalKey(id), QStringLiteral("Dictionary")))) << id;
        EXPECT_TRUE(QFileInfo::exists(view.readStr(normalKey(id), QStringLiteral("Engine")))) << id;
    }
}

} // namespace
} // namespace ombre
