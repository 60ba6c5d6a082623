#pragma once
// RTF bytes to a QTextDocument: the rich-edit control's stream in. Reads what the control and
// word processors write (text in any Windows code page, fonts, colours, character and paragraph
// formatting, bullets and simple numbered lists) and skips what an editor of letters does not
// show (pictures, objects, headers, annotations, unknown destinations) without losing the text
// around it. Damaged input gives what could be read: the reader works in one pass over the bytes
// with bounded nesting and never fails.

#include <QByteArrayView>

class QTextDocument;

namespace ombre::rtf {

// Fills `document` (cleared first) from RTF bytes; returns what it could read, never fails hard.
// A view: the bytes may be plaintext that the caller wipes, so the reader makes no copy of them.
void readRtf(QByteArrayView rtf, QTextDocument &document);

bool looksLikeRtf(QByteArrayView bytes); // starts with "{\rtf"

} // namespace ombre::rtf
