#pragma once
// What the spelling engine knows of a word beyond its dictionary: apostrophes and French
// elisions, the shapes the options may ignore, and what a user list may hold.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace ombre::spelling_engine {

// The index of the first apostrophe of `word`; -1 for none.
qsizetype firstApostrophe(QStringView word);

// The length of the elision a word starts with, apostrophe included ("l'" in "l'été"); 0 for none.
qsizetype elisionLength(QStringView word);

// Text that may go into a list: not too long, nothing invisible. A replacement may be several
// words ("à peu près").
bool isAcceptableText(QStringView text);

// What a file or the ignore-always list may hold: one token.
bool isAcceptableWord(QStringView word);

bool isAllCaps(QStringView word);
bool holdsDigit(QStringView word);
bool isRomanNumeral(const QString &word);

// Suggestions keep the shape of the word the user typed: Hunspell answers with ’, so a word typed
// with ' gets its suggestions with ', and a suggestion that dropped the word's elision ("étang"
// for "l'etang") gets it back.
QStringList keepWordShape(QStringView word, const QStringList &suggestions);

} // namespace ombre::spelling_engine
