#pragma once
// The document's character and word counts. A word is a run of digits, letters A to Z once
// French accents are folded away, and the characters the user declares as letters.

#include <QStringView>

namespace ombre {

// Code points; line and paragraph breaks (CR, LF, U+2028, U+2029) not counted.
qsizetype CountCharacters(QStringView text);

// Runs of word characters: 0-9, A-Z after the accent fold of the characters below 256, and every
// character of `symbols` but the blank, taken as typed (a lower-case letter there never matches,
// since the text is folded to capitals first).
qsizetype CountWords(QStringView text, QStringView symbols);

} // namespace ombre
