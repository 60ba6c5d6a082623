#include "settings/options.h"

#include "platform/registry.h"
#include "platform/stored_owner_name.h"
#include "settings/formulas.h"
#include "settings_fixture.h"

#include <QStandardPaths>

namespace ombre {
namespace {

using OptionsTest = test::SettingsTest;

const QStringList SixFormulas = {
    QStringLiteral("Madame, Monsieur,"),
    QStringLiteral("Mesdames, Messieurs,"),
    QStringLiteral("Recevez, <>, mes meilleures salutations."),
    QStringLiteral("Je vous prie d'agréer, <>, mes salutations les meilleures."),
    QStringLiteral("Veuillez agréer, <>, l'expression de mes sentiments distingués."),
    QStringLiteral("Je vous prie de croire, <>, en l'expression de mes sincères salutations."),
};

TEST_F(OptionsTest, FirstRunGivesTheDefaults)
{
    TProgramOptions o;
    LoadSplashOption(o);
    LoadOptions(o);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);

    EXPECT_EQ(o.Name, QStringLiteral("Arial"));
    EXPECT_EQ(o.Size, 10);
    EXPECT_EQ(o.Color, 0);
    EXPECT_EQ(o.Open, documents);
    EXPECT_EQ(o.Code, documents + QStringLiteral("/Fichiers cryptés"));
    EXPECT_EQ(o.Filter, 1);
    EXPECT_FALSE(o.Options);
    EXPECT_EQ(o.UUEncode, 0);
    EXPECT_EQ(o.Format, FormatCompatible);
    EXPECT_EQ(o.Signature, QString());
    EXPECT_EQ(o.Date, 0);
    EXPECT_EQ(o.Formule, 0);
    EXPECT_TRUE(o.Splash);
    EXPECT_EQ(o.Dictionary, 1036);
    EXPECT_TRUE(o.Interactive);
    EXPECT_TRUE(o.Background);
    EXPECT_TRUE(o.Ruler);
    EXPECT_TRUE(o.Authenticity);
    EXPECT_TRUE(o.Desktop);
    EXPECT_FALSE(o.Password);
    EXPECT_EQ(o.Onglet, 0);
    EXPECT_FALSE(o.Proportional);
    EXPECT_EQ(o.Symboles, QStringLiteral("# $ % & ' æ © @"));
    EXPECT_FALSE(o.MdiSize);
    EXPECT_TRUE(o.Wordwrap);
    EXPECT_TRUE(o.ReadOnly);
    EXPECT_EQ(o.OwnerName, QString());
    for (const TextFont *font : {&o.PlainTextFont, &o.RichTextFont}) {
        EXPECT_EQ(font->font.family(), QStringLiteral("Arial"));
        EXPECT_EQ(font->font.pointSize(), 10);
        EXPECT_FALSE(font->font.bold());
        EXPECT_EQ(font->color, QColor(Qt::black));
    }
    EXPECT_FALSE(o.ProgramFolder.isEmpty());
    EXPECT_FALSE(o.ProgramFolder.endsWith(QLatin1Char('/')));

    o.Formule = 4;
    EXPECT_TRUE(EnsureDefaultFormulas(o));
    EXPECT_EQ(o.Formule, 0);
    QStringList formulas;
    ASSERT_TRUE(ReadFormulas(formulas));
    EXPECT_EQ(formulas, SixFormulas);
    EXPECT_EQ(storedNames(FormulesKey), (std::vector<std::string>{"F0", "F1", "F2", "F3", "F4", "F5"}));
    EXPECT_FALSE(EnsureDefaultFormulas(o));
}

TEST_F(OptionsTest, SaveThenLoadGivesBackEveryField)
{
    TProgramOptions saved;
    saved.RichTextFont.font = QFont(QStringLiteral("Courier New"), 14);
    saved.RichTextFont.font.setBold(true);
    saved.RichTextFont.color = QColor(0x12, 0x34, 0x56);
    saved.Open = QStringLiteral("/home/jean/Lettres");
    saved.Code = QStringLiteral("/home/jean/Lettres/Fichiers cryptés");
    saved.Filter = 2;
    saved.Options = true;
    saved.UUEncode = 2;
    saved.Format = FormatAge;
    saved.Signature = QStringLiteral("Jean Dupont\n12, rue des Lilas\n\"Le Clos\" \\ Paris");
    saved.Date = 8;
    saved.Formule = 3;
    saved.Splash = false;
    saved.Dictionary = 2057;
    saved.Interactive = false;
    saved.Background = false;
    saved.Ruler = false;
    saved.Authenticity = false;
    saved.Desktop = false;
    saved.Password = true;
    saved.Onglet = 5;
    saved.Proportional = true;
    saved.Symboles = QStringLiteral("§ ¤");
    saved.MdiSize = true;
    saved.Wordwrap = false;
    saved.ReadOnly = false;
    saved.OwnerName = QStringLiteral("not stored by SaveOptions");
    SaveOptions(saved);
    EXPECT_EQ(saved.Name, QStringLiteral("Courier New"));
    EXPECT_EQ(saved.Size, 14);
    EXPECT_EQ(saved.Color, 0x563412);

    restart();
    TProgramOptions loaded;
    LoadSplashOption(loaded);
    LoadOptions(loaded);
    EXPECT_EQ(loaded.Name, QStringLiteral("Courier New"));
    EXPECT_EQ(loaded.Size, 14);
    EXPECT_EQ(loaded.Color, 0x563412);
    EXPECT_EQ(loaded.RichTextFont.font.family(), QStringLiteral("Courier New"));
    EXPECT_EQ(loaded.RichTextFont.font.pointSize(), 14);
    EXPECT_FALSE(loaded.RichTextFont.font.bold()); // the style lasts only until exit
    EXPECT_EQ(loaded.RichTextFont.color, QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(loaded.PlainTextFont.font.family(), QStringLiteral("Arial"));
    EXPECT_EQ(loaded.Open, saved.Open);
    EXPECT_EQ(loaded.Code, saved.Code);
    EXPECT_EQ(loaded.Filter, 2);
    EXPECT_TRUE(loaded.Options);
    EXPECT_EQ(loaded.UUEncode, 2);
    EXPECT_EQ(loaded.Format, FormatAge);
    EXPECT_EQ(loaded.Signature, saved.Signature);
    EXPECT_EQ(loaded.Date, 8);
    EXPECT_EQ(loaded.Formule, 3);
    EXPECT_FALSE(loaded.Splash);
    EXPECT_EQ(loaded.Dictionary, 2057);
    EXPECT_FALSE(loaded.Interactive);
    EXPECT_FALSE(loaded.Background);
    EXPECT_FALSE(loaded.Ruler);
    EXPECT_FALSE(loaded.Authenticity);
    EXPECT_FALSE(loaded.Desktop);
    EXPECT_TRUE(loaded.Password);
    EXPECT_EQ(loaded.Onglet, 5);
    EXPECT_TRUE(loaded.Proportional);
    EXPECT_EQ(loaded.Symboles, saved.Symboles);
    EXPECT_TRUE(loaded.MdiSize);
    EXPECT_FALSE(loaded.Wordwrap);
    EXPECT_FALSE(loaded.ReadOnly);
    EXPECT_EQ(loaded.OwnerName, QString());

    ASSERT_TRUE(SaveOwnerName(QStringLiteral("Jean Dupont")));
    restart();
    LoadOptions(loaded);
    EXPECT_EQ(loaded.OwnerName, QStringLiteral("Jean Dupont"));
    EXPECT_EQ(reg::readStoredOwnerName(path_.toStdString()), "Jean Dupont"); // what the command-line tool reads
}

TEST_F(OptionsTest, SavesInTheDocumentedOrderAndRewritesTheVersionEveryTime)
{
    TProgramOptions o;
    SaveOptions(o);
    EXPECT_EQ(storedNames(RootKey), (std::vector<std::string>{"Version", "BETA"}));
    EXPECT_EQ(storedNames(FontKey), (std::vector<std::string>{"Name", "Size", "Color"}));
    EXPECT_EQ(storedNames(DirectoryKey), (std::vector<std::string>{"Open", "Code"}));
    EXPECT_EQ(storedNames(OptionsKey),
              (std::vector<std::string>{"Filter", "Options", "UUEncode", "Format", "Signature", "Date", "Formule", "Splash",
                                        "Dictionary", "Interactive", "Background", "Ruler", "Authenticity", "Desktop",
                                        "Password", "Onglet", "Proportional", "Symboles", "MdiSize", "Wordwrap",
                                        "ReadOnly"}));

    RegWriteStr(RootKey, QStringLiteral("Version"), QStringLiteral("0.9"));
    SaveOptions(o);
    EXPECT_EQ(RegReadStr(RootKey, QStringLiteral("Version"), QString()), QStringLiteral("1.0"));
    EXPECT_EQ(RegReadStr(RootKey, QStringLiteral("BETA"), QString()), QStringLiteral("BETA 03"));
}

// A value of the wrong type, or a font size no font can have, leaves the field as it was.
TEST_F(OptionsTest, UnusableStoredValuesLeaveTheDefaults)
{
    RegWriteStr(FontKey, QStringLiteral("Size"), QStringLiteral("12"));
    RegWriteInt(OptionsKey, QStringLiteral("Signature"), 5);
    RegWriteStr(OptionsKey, QStringLiteral("Wordwrap"), QStringLiteral("0"));
    RegWriteInt(OptionsKey, QStringLiteral("Ruler"), 7); // any non-zero number is true
    TProgramOptions o;
    LoadOptions(o);
    EXPECT_EQ(o.Size, 10);
    EXPECT_EQ(o.Signature, QString());
    EXPECT_TRUE(o.Wordwrap);
    EXPECT_TRUE(o.Ruler);

    // Only the two formats this program writes are read; anything else seals compatible files.
    for (const int format : {2, -1, 255}) {
        RegWriteInt(OptionsKey, QStringLiteral("Format"), format);
        TProgramOptions fresh;
        fresh.Format = FormatAge;
        LoadOptions(fresh);
        EXPECT_EQ(fresh.Format, FormatCompatible) << format;
    }

    for (const int size : {0, -3, 100000}) {
        RegWriteInt(FontKey, QStringLiteral("Size"), size);
        TProgramOptions fresh;
        LoadOptions(fresh);
        EXPECT_EQ(fresh.RichTextFont.font.pointSize(), 10) << size;
        EXPECT_EQ(fresh.Size, 10) << size;
    }
}

TEST_F(OptionsTest, FormulaLinesKeepTheirNumbersAndGaps)
{
    StoreFormulaLines({QStringLiteral("Cher ami,"), QString(), QStringLiteral("Bien à vous, <>.")});
    EXPECT_EQ(storedNames(FormulesKey), (std::vector<std::string>{"F0", "F2"}));
    QStringList formulas;
    ASSERT_TRUE(ReadFormulas(formulas));
    EXPECT_EQ(formulas, (QStringList{"Cher ami,", "Bien à vous, <>."}));

    TProgramOptions o;
    o.Formule = 1;
    EXPECT_FALSE(EnsureDefaultFormulas(o));
    EXPECT_EQ(o.Formule, 1);

    // Every line cleared: the key goes, and the six defaults come back.
    StoreFormulaLines({QString(), QString()});
    EXPECT_FALSE(RegKeyExists(FormulesKey));
    EXPECT_TRUE(EnsureDefaultFormulas(o));
    ASSERT_TRUE(ReadFormulas(formulas));
    EXPECT_EQ(formulas, SixFormulas);
}

TEST_F(OptionsTest, AFormulesKeyThatIsNotTextIsLeftAlone)
{
    RegWriteInt(FormulesKey, QStringLiteral("F0"), 1);
    QStringList formulas{QStringLiteral("untouched")};
    EXPECT_FALSE(ReadFormulas(formulas));
    EXPECT_EQ(formulas, QStringList{QStringLiteral("untouched")});
    TProgramOptions o;
    EXPECT_FALSE(EnsureDefaultFormulas(o));
    EXPECT_EQ(RegReadInt(FormulesKey, QStringLiteral("F0"), 0), 1);

    // An empty key counts as no formula at all.
    RegKeyDelete(FormulesKey);
    RegWriteStr(FormulesKey, QStringLiteral("F0"), QStringLiteral("x"));
    ASSERT_TRUE(RegistryStore::user().write([](reg::Document &document) {
        return document.find("HKEY_CURRENT_USER\\" + FormulesKey.toStdString())->remove("F0");
    }));
    EXPECT_TRUE(RegKeyExists(FormulesKey));
    EXPECT_TRUE(EnsureDefaultFormulas(o));
}

} // namespace
} // namespace ombre
