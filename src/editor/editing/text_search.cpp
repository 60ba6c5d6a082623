// Searching a document's raw text: the find dialog's rules in plain functions.

#include "editor/editing/text_search.h"

#include <QChar>

namespace ombre {
namespace {

// The comparison folds case one code unit at a time (Qt::CaseInsensitive), so a match is as long
// as the find text and starts where it was found. Lowering the whole text first would not do:
// toLower() may change the length of a string ("İ" becomes two code units), which would shift
// every position after such a character and select the wrong text.
Qt::CaseSensitivity sensitivity(const FindQuery &query)
{
    return query.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

char32_t codePointBefore(QStringView text, qsizetype position)
{
    const QChar last = text[position - 1];
    if (last.isLowSurrogate() && position >= 2 && text[position - 2].isHighSurrogate())
        return QChar::surrogateToUcs4(text[position - 2], last);
    return last.unicode();
}

char32_t codePointAt(QStringView text, qsizetype position)
{
    const QChar first = text[position];
    if (first.isHighSurrogate() && position + 1 < text.size() && text[position + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(first, text[position + 1]);
    return first.unicode();
}

bool isWholeWord(QStringView text, qsizetype position, qsizetype length)
{
    const qsizetype end = position + length;
    return (position == 0 || isWordDelimiter(codePointBefore(text, position)))
        && (end == text.size() || isWordDelimiter(codePointAt(text, end)));
}

} // namespace

bool isWordDelimiter(char32_t c)
{
    // A combining mark belongs to the letter before it: "é" written as "e" and U+0301 is one
    // letter, and "e" alone is no whole word in it.
    return !QChar::isLetterOrNumber(c) && !QChar::isMark(c);
}

qsizetype searchStart(qsizetype selectionStart, qsizetype selectionEnd, qsizetype findLength, bool down)
{
    return down ? selectionEnd : selectionStart - findLength;
}

qsizetype findText(QStringView text, const FindQuery &query, qsizetype start)
{
    const QStringView find = query.text;
    if (find.isEmpty())
        return -1;
    qsizetype position = start;
    for (;;) {
        if (query.down) {
            if (position > text.size())
                return -1;
            position = text.indexOf(find, qMax<qsizetype>(position, 0), sensitivity(query));
        } else {
            // A negative start would count from the end of the text: nothing lies before the start.
            if (position < 0)
                return -1;
            position = text.lastIndexOf(find, position, sensitivity(query));
        }
        if (position < 0 || !query.wholeWord || isWholeWord(text, position, find.size()))
            return position;
        position += query.down ? 1 : -1;
    }
}

bool matchesAt(QStringView text, const FindQuery &query, qsizetype position)
{
    const QStringView find = query.text;
    if (find.isEmpty() || position < 0 || position > text.size() - find.size())
        return false;
    return text.sliced(position, find.size()).compare(find, sensitivity(query)) == 0
        && (!query.wholeWord || isWholeWord(text, position, find.size()));
}

} // namespace ombre
