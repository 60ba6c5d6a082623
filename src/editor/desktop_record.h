#pragma once
// The Desktop key of the store and the document records it holds: one string value per document
// window, twelve fields each followed by ",":
//   file name, left, top, width, height, window state (0 normal, 1 minimised, 2 maximised),
//   plain text, proportional, word wrap ("1" or "0"), selection start, selection end,
//   vertical scroll position.
//
// The records are read back at the next start, possibly after the user or another version edited
// the store: reading them trusts nothing. A number field is a decimal integer: an optional "+" or
// "-" and at least one ASCII digit, nothing else (no spaces), within the signed 32-bit range; any
// other text is bad. A field is the text up to its own ","; a field whose "," never comes is
// missing (so a record without its final "," has lost its scroll position).

#include "editor/document_info.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <utility>

namespace ombre {

// Where the user was in a document: the selection's two ends (character indexes, start first)
// and the vertical scroll bar's position.
struct DesktopView {
    qint32 SelectionStart = 0;
    qint32 SelectionEnd = 0;
    qint32 Scroll = 0;
};

// One record as read. Each later part is present only when every part before it was read, as
// the restore uses them in that order.
struct DesktopEntry {
    // The text up to the first ",", or the whole text when there is none. A name that held a ","
    // comes back cut at it.
    QString FileName;
    // Fields 2 to 9 all good: the record of the window to build, bound to its file (Named).
    std::optional<TDocumentInfo> Document;
    // Fields 10 and 11 both good: the selection's start and end.
    std::optional<std::pair<qint32, qint32>> Selection;
    // Field 12 good.
    std::optional<qint32> Scroll;
};

// "F" followed by the index; 0 is the window in front.
QString DesktopValueName(int index);

// The record of a window showing `info` (its current geometry, state and modes) with `view`.
QString FormatDesktopRecord(const TDocumentInfo &info, const DesktopView &view);

DesktopEntry ParseDesktopRecord(QStringView text);

// A number field as defined above; nothing when it is bad.
std::optional<qint32> ParseDesktopNumber(QStringView field);

} // namespace ombre
