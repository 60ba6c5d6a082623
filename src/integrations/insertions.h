#pragma once
// The insertion commands: a date or time, the signature and a polite formula, put at the caret
// of the active document.

#include <QString>
#include <span>

class QAction;
class QTextEdit;

namespace ombre {

class IntegrationHost;

// Replaces the selection of `editor` with `text` as one undo step, in the character format at the
// caret (what typing would use), and leaves the caret after it. "\r\n" and a lone "\r" each count
// as one line break. Does nothing on a null or read-only editor or for an empty text; returns
// whether the text went in.
bool insertText(QTextEdit *editor, const QString &text);

// As insertText; then, when the formula holds a "<>" after its first character, selects that
// marker so that the next keystroke replaces it.
bool insertFormula(QTextEdit *editor, const QString &formula);

// The date menu's items M0..M8 (separators included), in order.
using DateItems = std::span<QAction *const>;

// Sets every format item's caption to its text for the host's current date and time, read once,
// and checks the item numbered `date` alone (none for a separator or a number out of range).
void refreshDateCaptions(const IntegrationHost &host, DateItems items, int date);
// Date item `item` chosen: inserts its caption as last refreshed, checks it and makes its number
// (the digit of its name) the chosen format in `date`.
void insertDateItem(const IntegrationHost &host, QAction &item, int &date);
// The date button: refreshes the captions, then inserts the checked item's caption, if any.
void insertChosenDate(const IntegrationHost &host, DateItems items, int date);

void insertSignature(const IntegrationHost &host, const QString &signature);

} // namespace ombre
