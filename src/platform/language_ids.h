#pragma once
// Windows language identifiers (LANGID) of the locales dictionaries are named after: the spelling
// keys and the `Dictionary` option keep these numbers.

#include <QString>

namespace ombre {

// "fr_FR", "fr-BE", "de_DE_frami" (a variant suffix is ignored), or a bare language ("fr") which
// takes its main country. 0 when unknown.
int LanguageIdForLocale(const QString &locale);

// The locale of an identifier ("fr_FR" for 1036); empty when unknown.
QString LocaleForLanguageId(int languageId);

// The identifier's name as a French user reads it, language then country: "Français (France)",
// "Anglais (États-Unis)". Empty when unknown.
QString LanguageName(int languageId);

} // namespace ombre
