#pragma once
// Where words are in a text, as the spelling engine and its callers cut it. A word is a run of
// letters, combining marks and digits, joined by an apostrophe (' ’ ʼ) or a hyphen (- ‐ ‑) that
// stands between two such characters: "l'été", "aujourd’hui", "c'est-à-dire" and "va-t-il" are
// one word each, as the French dictionary's affix rules expect them whole. A leading or trailing
// apostrophe or hyphen, a full stop and any other character end a word.
//
// Qt's own word search (QTextCursor::WordUnderCursor) cuts at the ASCII apostrophe: never use it
// for spelling.

#include <QStringView>

namespace ombre {

// The apostrophes a word may hold: ' ’ ʼ.
bool isApostrophe(QChar c);

struct WordSpan {
    qsizetype start = 0;
    qsizetype length = 0; // 0: no word
    qsizetype end() const { return start + length; }
};

// The first word that starts at or after `from`; length 0 when there is none.
WordSpan nextWord(QStringView text, qsizetype from);

// The word that holds `position`, or that ends right at it (a caret just after a word); length 0
// when there is none.
WordSpan wordAt(QStringView text, qsizetype position);

// Where checking from a caret at `position` begins: the start of the word at it, else `position`.
qsizetype wordStartAt(QStringView text, qsizetype position);

} // namespace ombre
