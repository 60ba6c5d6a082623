#pragma once
// RTF bytes to a QTextDocument: the rich-edit control's stream in. Reads what the control and
// word processors write (text in any Windows code page, fonts, colours, character and paragraph
// formatting, bullets and simple numbered lists) and skips what an editor of letters does not
// show (pictures, objects, headers, annotations, unknown destinations) without losing the text
// around it. Damaged input gives what could be read: the reader works in one pass over the bytes
// with bounded nesting and never fails.

#include <QByteArray>

class QTextDocument;

namespace ombre::rtf {

// Fills `document` (cleared first) from RTF bytes; returns what it could read, never fails hard.
void readRtf(const QByteArray &rtf, QTextDocument &document);

bool looksLikeRtf(const QByteArray &bytes); // starts with "{\rtf"

} // namespace ombre::rtf
