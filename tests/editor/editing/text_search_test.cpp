// Searching a document's raw text: start positions, case, whole words and the two directions.

#include "editor/editing/text_search.h"

#include <gtest/gtest.h>

namespace ombre::test {
using namespace Qt::Literals::StringLiterals;
namespace {

constexpr bool kDown = true, kUp = false;

struct Flags {
    bool matchCase = false;
    bool wholeWord = false;
};
constexpr Flags kAnyCase{}, kCase{true, false}, kWord{false, true}, kCaseWord{true, true};

FindQuery query(const QString &find, Flags flags, bool down)
{
    return FindQuery{find, flags.matchCase, flags.wholeWord, down};
}

TEST(TextSearchTest, FindsFromTheSelectionInEitherDirection)
{
    const struct {
        const char *name;
        QString text, find;
        Flags flags;
        bool down;
        qsizetype selectionStart, selectionEnd;
        qsizetype expected;
    } cases[] = {
        {"any case", u"Le chat, le chien"_s, u"le"_s, kAnyCase, kDown, 0, 0, 0},
        {"match case skips a capital", u"Le chat, le chien"_s, u"le"_s, kCase, kDown, 0, 0, 9},
        {"capital accented letters against small ones", u"L'été est là"_s, u"ÉTÉ"_s, kAnyCase, kDown, 0, 0, 2},
        {"match case keeps É apart from é", u"L'été est là"_s, u"ÉTÉ"_s, kCase, kDown, 0, 0, -1},
        {"down starts after the selection", u"abab"_s, u"ab"_s, kAnyCase, kDown, 0, 2, 2},
        {"down from the caret inside a match", u"abab"_s, u"ab"_s, kAnyCase, kDown, 1, 1, 2},
        {"down past the last match", u"abab"_s, u"ab"_s, kAnyCase, kDown, 3, 3, -1},
        {"not found", u"bonjour"_s, u"salut"_s, kAnyCase, kDown, 0, 0, -1},
        {"find text longer than the text", u"été"_s, u"étés"_s, kAnyCase, kDown, 0, 0, -1},
        {"whole word after an apostrophe", u"l'été"_s, u"été"_s, kWord, kDown, 0, 0, 2},
        {"whole word after a hyphen", u"arc-été"_s, u"été"_s, kWord, kDown, 0, 0, 4},
        {"whole word before an apostrophe", u"été'x"_s, u"été"_s, kWord, kDown, 0, 0, 0},
        {"whole word skips a word's inside", u"répété été"_s, u"été"_s, kWord, kDown, 0, 0, 7},
        {"without whole word the inside matches", u"répété été"_s, u"été"_s, kAnyCase, kDown, 0, 0, 3},
        {"whole word followed by a letter", u"étés"_s, u"été"_s, kWord, kDown, 0, 0, -1},
        {"a digit belongs to the word", u"a1 1"_s, u"1"_s, kWord, kDown, 0, 0, 3},
        {"whole word at a block start", u"premier\u2029été fin"_s, u"été"_s, kWord, kDown, 0, 0, 8},
        {"whole word at a block end", u"premier été\u2029fin"_s, u"été"_s, kWord, kDown, 0, 0, 8},
        {"whole word at the text start", u"été fin"_s, u"été"_s, kCaseWord, kDown, 0, 0, 0},
        {"whole word at the text end", u"fin été"_s, u"été"_s, kCaseWord, kDown, 0, 0, 4},
        {"a letter beyond the basic plane is no delimiter", u"\U0001D49Cété"_s, u"été"_s, kWord, kDown, 0, 0, -1},
        {"a symbol beyond the basic plane is one", u"\U0001F600été"_s, u"été"_s, kWord, kDown, 0, 0, 2},
        {"a combining accent belongs to its letter", u"e\u0301t e"_s, u"e"_s, kWord, kDown, 0, 0, 4},
        {"positions after a letter whose small form is longer", u"İstanbul été"_s, u"ÉTÉ"_s, kAnyCase, kDown, 0, 0, 9},
        {"up from the caret", u"un deux un deux"_s, u"un"_s, kAnyCase, kUp, 15, 15, 8},
        {"up from a selected match", u"un deux un deux"_s, u"un"_s, kAnyCase, kUp, 8, 10, 0},
        {"up: a match may end where the selection starts", u"aaaa"_s, u"aa"_s, kAnyCase, kUp, 2, 4, 0},
        {"up: no match overlaps the selection", u"aaaa"_s, u"aa"_s, kAnyCase, kUp, 1, 3, -1},
        {"up from the start", u"un deux"_s, u"un"_s, kAnyCase, kUp, 0, 0, -1},
        {"up from the first match", u"un deux"_s, u"un"_s, kAnyCase, kUp, 0, 2, -1},
        {"up with whole word", u"été répété x"_s, u"été"_s, kWord, kUp, 12, 12, 0},
        {"up with match case", u"Le le x"_s, u"Le"_s, kCase, kUp, 7, 7, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const FindQuery q = query(c.find, c.flags, c.down);
        const qsizetype start = searchStart(c.selectionStart, c.selectionEnd, c.find.size(), c.down);
        EXPECT_EQ(findText(c.text, q, start), c.expected);
    }
}

TEST(TextSearchTest, AnEmptyFindTextFindsNothing)
{
    EXPECT_EQ(findText(u"texte"_s, query(QString(), kAnyCase, kDown), 0), -1);
    EXPECT_EQ(findText(u"texte"_s, query(QString(), kAnyCase, kUp), 5), -1);
    EXPECT_FALSE(matchesAt(u"texte"_s, query(QString(), kAnyCase, kDown), 0));
}

TEST(TextSearchTest, TellsWhetherAMatchStartsAtAPosition)
{
    const struct {
        const char *name;
        QString text, find;
        Flags flags;
        qsizetype position;
        bool expected;
    } cases[] = {
        {"any case", u"l'été"_s, u"ÉTÉ"_s, kAnyCase, 2, true},
        {"match case", u"l'été"_s, u"ÉTÉ"_s, kCase, 2, false},
        {"whole word", u"l'été"_s, u"été"_s, kWord, 2, true},
        {"inside a word", u"étés"_s, u"été"_s, kWord, 0, false},
        {"elsewhere", u"l'été"_s, u"été"_s, kAnyCase, 1, false},
        {"past the end", u"l'été"_s, u"été"_s, kAnyCase, 3, false},
        {"before the start", u"l'été"_s, u"été"_s, kAnyCase, -1, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(matchesAt(c.text, query(c.find, c.flags, kDown), c.position), c.expected);
    }
}

} // namespace
} // namespace ombre::test
