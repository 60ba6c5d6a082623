#include "integrations/spelling/spell_tokens.h"

namespace ombre {
namespace {

// U+02BC is a letter to Unicode; it is tested as a joiner first so that it never starts or ends
// a word.
bool isJoiner(QChar c)
{
    return isApostrophe(c) || c == u'-' || c == u'\u2010' || c == u'\u2011';
}

// Both halves of a surrogate pair fail these tests, so a pair (an emoji) always separates words
// and is never cut in two.
bool isWordCharacter(QChar c)
{
    return !isJoiner(c) && (c.isLetter() || c.isMark() || c.isDigit());
}

bool isWordCharacterAt(QStringView text, qsizetype i)
{
    return i >= 0 && i < text.size() && isWordCharacter(text[i]);
}

// A joiner at `i` with a word character on each side.
bool joinsAt(QStringView text, qsizetype i)
{
    return i < text.size() && isJoiner(text[i]) && isWordCharacterAt(text, i - 1) && isWordCharacterAt(text, i + 1);
}

bool insideWordAt(QStringView text, qsizetype i)
{
    return isWordCharacterAt(text, i) || joinsAt(text, i);
}

// Whether the character at `i` belongs to a word that began before it.
bool continuesWordAt(QStringView text, qsizetype i)
{
    if (i <= 0 || i >= text.size())
        return false;
    if (isWordCharacter(text[i - 1]))
        return insideWordAt(text, i);
    return isWordCharacter(text[i]) && joinsAt(text, i - 1);
}

qsizetype wordEndFrom(QStringView text, qsizetype i)
{
    while (insideWordAt(text, i))
        ++i;
    return i;
}

qsizetype clampedPosition(QStringView text, qsizetype position)
{
    return qBound(qsizetype(0), position, text.size());
}

} // namespace

bool isApostrophe(QChar c)
{
    return c == u'\'' || c == u'\u2019' || c == u'\u02BC';
}

WordSpan nextWord(QStringView text, qsizetype from)
{
    qsizetype i = clampedPosition(text, from);
    if (continuesWordAt(text, i))
        i = wordEndFrom(text, i);
    while (i < text.size() && !isWordCharacter(text[i]))
        ++i;
    if (i == text.size())
        return {text.size(), 0};
    return {i, wordEndFrom(text, i) - i};
}

WordSpan wordAt(QStringView text, qsizetype position)
{
    qsizetype start = clampedPosition(text, position);
    if (!insideWordAt(text, start)) {
        if (!isWordCharacterAt(text, start - 1))
            return {start, 0};
        --start; // the caret stands just after a word
    }
    while (continuesWordAt(text, start))
        --start;
    return {start, wordEndFrom(text, start) - start};
}

qsizetype wordStartAt(QStringView text, qsizetype position)
{
    const WordSpan word = wordAt(text, position);
    if (word.length > 0)
        return word.start;
    const qsizetype start = clampedPosition(text, position);
    // Never from the middle of a surrogate pair.
    if (start > 0 && start < text.size() && text[start].isLowSurrogate() && text[start - 1].isHighSurrogate())
        return start - 1;
    return start;
}

} // namespace ombre
