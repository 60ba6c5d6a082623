#include "integrations/spelling/word_rules.h"

#include "integrations/spelling/spell_tokens.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace ombre::spelling_engine {
namespace {

// Longer lines of a custom dictionary are damage, not words; Hunspell refuses much longer ones.
constexpr qsizetype kMaxWordLength = 64;

// French words that lose their last vowel before another word and keep an apostrophe.
bool isElision(QStringView letters)
{
    static constexpr std::array<QStringView, 14> kElisions = {
        u"c", u"ç", u"d", u"j", u"l", u"m", u"n", u"s", u"t", u"qu", u"jusqu", u"lorsqu", u"puisqu", u"quoiqu",
    };
    return std::any_of(kElisions.begin(), kElisions.end(), [letters](QStringView elision) {
        return letters.compare(elision, Qt::CaseInsensitive) == 0;
    });
}

} // namespace

qsizetype firstApostrophe(QStringView word)
{
    const auto *const found = std::find_if(word.begin(), word.end(), isApostrophe);
    return found == word.end() ? -1 : found - word.begin();
}

qsizetype elisionLength(QStringView word)
{
    const qsizetype apostrophe = firstApostrophe(word);
    return apostrophe > 0 && isElision(word.first(apostrophe)) ? apostrophe + 1 : 0;
}

bool isAcceptableText(QStringView text)
{
    return text.size() <= kMaxWordLength && text.isValidUtf16()
           && std::none_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool isAcceptableWord(QStringView word)
{
    return !word.isEmpty() && isAcceptableText(word)
           && std::none_of(word.begin(), word.end(), [](QChar c) { return c.isSpace(); });
}

bool isAllCaps(QStringView word)
{
    bool upper = false;
    for (const QChar c : word) {
        if (c.isLower() || c.isTitleCase())
            return false;
        upper = upper || c.isUpper();
    }
    return upper;
}

bool holdsDigit(QStringView word)
{
    return std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
}

bool isRomanNumeral(const QString &word)
{
    static const QRegularExpression kRoman(
        QStringLiteral("^(?=.)M{0,4}(CM|CD|D?C{0,3})(XC|XL|L?X{0,3})(IX|IV|V?I{0,3})$"));
    return kRoman.match(word).hasMatch();
}

QStringList keepWordShape(QStringView word, const QStringList &suggestions)
{
    const qsizetype apostrophe = firstApostrophe(word);
    if (apostrophe < 0)
        return suggestions;
    const QChar typed = word[apostrophe];
    const QStringView elision = word.first(elisionLength(word));
    QStringList shaped;
    for (QString suggestion : suggestions) {
        std::replace_if(suggestion.begin(), suggestion.end(), isApostrophe, typed);
        if (!elision.isEmpty() && !suggestion.contains(u' ') && elisionLength(suggestion) == 0)
            suggestion.prepend(elision);
        if (!shaped.contains(suggestion))
            shaped << suggestion;
    }
    return shaped;
}

} // namespace ombre::spelling_engine
