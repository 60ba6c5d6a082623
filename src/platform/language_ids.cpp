#include "platform/language_ids.h"

#include <QStringList>

namespace ombre {
namespace {

struct LocaleId {
    const char *locale;
    int id;
};

// The first entry of each language is its main country, used for a bare language name.
constexpr LocaleId Table[] = {
    {"fr_FR", 0x040C}, {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"fr_LU", 0x140C},
    {"fr_MC", 0x180C}, {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009},
    {"en_NZ", 0x1409}, {"en_IE", 0x1809}, {"en_ZA", 0x1C09}, {"de_DE", 0x0407}, {"de_CH", 0x0807},
    {"de_AT", 0x0C07}, {"de_LU", 0x1007}, {"de_LI", 0x1407}, {"es_ES", 0x0C0A}, {"es_MX", 0x080A},
    {"it_IT", 0x0410}, {"it_CH", 0x0810}, {"nl_NL", 0x0413}, {"nl_BE", 0x0813}, {"pt_PT", 0x0816},
    {"pt_BR", 0x0416}, {"ca_ES", 0x0403}, {"da_DK", 0x0406}, {"sv_SE", 0x041D}, {"nb_NO", 0x0414},
    {"nn_NO", 0x0814}, {"fi_FI", 0x040B}, {"pl_PL", 0x0415}, {"cs_CZ", 0x0405}, {"sk_SK", 0x041B},
    {"hu_HU", 0x040E}, {"ro_RO", 0x0418}, {"ru_RU", 0x0419}, {"uk_UA", 0x0422}, {"el_GR", 0x0408},
    {"tr_TR", 0x041F}, {"eu_ES", 0x042D}, {"gl_ES", 0x0456}, {"br_FR", 0x047E}, {"oc_FR", 0x0482},
    {"co_FR", 0x0483}, {"lb_LU", 0x046E},
};

struct FrenchName {
    const char *code;
    const char *name;
};

constexpr FrenchName LanguageNames[] = {
    {"fr", "Français"},  {"en", "Anglais"},   {"de", "Allemand"},   {"es", "Espagnol"},
    {"it", "Italien"},   {"nl", "Néerlandais"}, {"pt", "Portugais"}, {"ca", "Catalan"},
    {"da", "Danois"},    {"sv", "Suédois"},   {"nb", "Norvégien (bokmål)"}, {"nn", "Norvégien (nynorsk)"},
    {"fi", "Finnois"},   {"pl", "Polonais"},  {"cs", "Tchèque"},    {"sk", "Slovaque"},
    {"hu", "Hongrois"},  {"ro", "Roumain"},   {"ru", "Russe"},      {"uk", "Ukrainien"},
    {"el", "Grec"},      {"tr", "Turc"},      {"eu", "Basque"},     {"gl", "Galicien"},
    {"br", "Breton"},    {"oc", "Occitan"},   {"co", "Corse"},      {"lb", "Luxembourgeois"},
};

constexpr FrenchName CountryNames[] = {
    {"FR", "France"},      {"BE", "Belgique"},       {"CA", "Canada"},      {"CH", "Suisse"},
    {"LU", "Luxembourg"},  {"MC", "Monaco"},         {"US", "États-Unis"},  {"GB", "Royaume-Uni"},
    {"AU", "Australie"},   {"NZ", "Nouvelle-Zélande"}, {"IE", "Irlande"},   {"ZA", "Afrique du Sud"},
    {"DE", "Allemagne"},   {"AT", "Autriche"},       {"LI", "Liechtenstein"}, {"ES", "Espagne"},
    {"MX", "Mexique"},     {"IT", "Italie"},         {"NL", "Pays-Bas"},    {"PT", "Portugal"},
    {"BR", "Brésil"},      {"DK", "Danemark"},       {"SE", "Suède"},       {"NO", "Norvège"},
    {"FI", "Finlande"},    {"PL", "Pologne"},        {"CZ", "Tchéquie"},    {"SK", "Slovaquie"},
    {"HU", "Hongrie"},     {"RO", "Roumanie"},       {"RU", "Russie"},      {"UA", "Ukraine"},
    {"GR", "Grèce"},       {"TR", "Turquie"},
};

template <std::size_t N>
QString frenchName(const FrenchName (&table)[N], const QString &code)
{
    for (const FrenchName &entry : table)
        if (code == QLatin1String(entry.code))
            return QString::fromUtf8(entry.name);
    return QString();
}

} // namespace

int LanguageIdForLocale(const QString &locale)
{
    const QStringList parts = QString(locale).replace(QLatin1Char('-'), QLatin1Char('_')).split(QLatin1Char('_'));
    const QString language = parts.value(0).toLower();
    if (language.isEmpty())
        return 0;
    const QString country = parts.value(1).toUpper();
    for (const LocaleId &entry : Table) {
        const QString name = QLatin1String(entry.locale);
        if (country.isEmpty() ? name.startsWith(language + QLatin1Char('_')) : name == language + QLatin1Char('_') + country)
            return entry.id;
    }
    return 0;
}

QString LocaleForLanguageId(int languageId)
{
    for (const LocaleId &entry : Table)
        if (entry.id == languageId)
            return QLatin1String(entry.locale);
    return QString();
}

QString LanguageName(int languageId)
{
    const QStringList parts = LocaleForLanguageId(languageId).split(QLatin1Char('_'));
    if (parts.size() != 2)
        return QString();
    const QString language = frenchName(LanguageNames, parts[0]);
    const QString country = frenchName(CountryNames, parts[1]);
    return country.isEmpty() ? language : language + QStringLiteral(" (") + country + QLatin1Char(')');
}

} // namespace ombre
