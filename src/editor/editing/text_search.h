#pragma once
// Searching a document's text for a find text, with the options of the find and replace dialogs.
// Plain functions over the raw text (QTextDocument::toRawText()), whose indices are the
// document's cursor positions, so that a match is selected where it was found.

#include <QString>
#include <QStringView>

namespace ombre {

struct FindQuery {
    QString text;
    bool matchCase = false;
    bool wholeWord = false;
    bool down = true;

    bool operator==(const FindQuery &) const = default;
};

// A word ends at any character that is neither a letter nor a digit (paragraph breaks, spaces,
// apostrophes, hyphens, punctuation).
bool isWordDelimiter(char32_t c);

// Where a search for `findLength` characters starts from the selection: after it going down;
// going up, far enough before its start that a match ends at the latest where the selection
// begins, so that the selected match is not found again.
qsizetype searchStart(qsizetype selectionStart, qsizetype selectionEnd, qsizetype findLength, bool down);

// Start of the first match at or after `start` (down) or at or before it (up), or -1.
qsizetype findText(QStringView text, const FindQuery &query, qsizetype start);

// Whether a match of the query starts at `position` (the replace button replaces the selection
// only when it is one).
bool matchesAt(QStringView text, const FindQuery &query, qsizetype position);

} // namespace ombre
