#include "editor/properties/word_count.h"

#include "cipher/text_routines.h"
#include "platform/qt_secret.h"

#include <QString>
#include <algorithm>
#include <array>
#include <vector>

namespace ombre {
namespace {

// Calls `visit` with every code point of the text; a lone surrogate is a character of its own.
template <typename Visit>
void forEachCodePoint(QStringView text, Visit visit)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < size && text[i + 1].isLowSurrogate()) {
            visit(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else {
            visit(char32_t(c.unicode()));
        }
    }
}

// Text pasted from another system may carry its accents as separate combining marks; it counts
// as the composed text the user sees. Nothing composes with what precedes a character below
// U+0300, so the text is composed piece by piece between such characters: a piece without
// any character from U+0300 up (nearly all of them) is visited in place, and the others are
// composed alone, which stays fast where composing the whole text at once would not.
constexpr char16_t kFirstCombining = 0x300;
constexpr qsizetype kPieceSize = 4096;

bool composedAlready(QStringView piece)
{
    return std::all_of(piece.begin(), piece.end(), [](QChar c) { return c.unicode() < kFirstCombining; });
}

template <typename Visit>
void forEachComposedCodePoint(QStringView text, Visit visit)
{
    const qsizetype size = text.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = std::min(size, start + kPieceSize);
        while (end < size && text[end].unicode() >= kFirstCombining)
            ++end;
        const QStringView piece = text.sliced(start, end - start);
        if (composedAlready(piece)) {
            forEachCodePoint(piece, visit);
        } else {
            // Both the copy and the composed text are the document's text.
            const SecretString copy(piece.toString());
            const SecretString composed(copy.value.normalized(QString::NormalizationForm_C));
            forEachCodePoint(composed.value, visit);
        }
        start = end;
    }
}

// Line and paragraph breaks, and the marks a document keeps where a table's frame begins and
// ends: structure, not characters.
constexpr char32_t kBeginningOfFrame = 0xFDD0;
constexpr char32_t kEndOfFrame = 0xFDD1;

bool isBreak(char32_t c)
{
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator
        || c == kBeginningOfFrame || c == kEndOfFrame;
}

// Which characters make words, decided once per count: a table for the folded range, a sorted
// list for the symbols above it.
class WordCharacters {
public:
    explicit WordCharacters(QStringView symbols)
    {
        std::array<bool, 256> folded{};
        for (char32_t c = u'0'; c <= u'9'; ++c)
            folded[c] = true;
        for (char32_t c = u'A'; c <= u'Z'; ++c)
            folded[c] = true;
        forEachCodePoint(symbols, [&](char32_t c) {
            if (c == u' ')
                return;
            if (c < 256)
                folded[c] = true;
            else
                m_above.push_back(c);
        });
        std::sort(m_above.begin(), m_above.end());
        for (unsigned c = 0; c < 256; ++c)
            m_below[c] = folded[FoldAccent(static_cast<unsigned char>(c))];
    }

    bool contains(char32_t c) const
    {
        if (c < 256)
            return m_below[c];
        return std::binary_search(m_above.begin(), m_above.end(), c);
    }

private:
    std::array<bool, 256> m_below{}; // indexed by the character before the fold
    std::vector<char32_t> m_above;
};

} // namespace

qsizetype CountCharacters(QStringView text)
{
    qsizetype count = 0;
    forEachComposedCodePoint(text, [&count](char32_t c) { count += isBreak(c) ? 0 : 1; });
    return count;
}

qsizetype CountWords(QStringView text, QStringView symbols)
{
    const WordCharacters words(symbols);
    qsizetype count = 0;
    bool inWord = false;
    forEachComposedCodePoint(text, [&](char32_t c) {
        const bool word = words.contains(c);
        count += word && !inWord ? 1 : 0;
        inWord = word;
    });
    return count;
}

} // namespace ombre
