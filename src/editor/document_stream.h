#pragma once
// A document's bytes in and out: RTF for rich text, plain text in the encoding the file was found
// in. The only place that knows the two stream formats, and the only file I/O of documents.

#include "rtf/plain_text.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace ombre {

// The document's stream in. Rich text whose bytes are not RTF is taken as plain text, as the
// rich-edit control does. `encoding` receives the plain-text encoding found.
// A view: the bytes are often plaintext that the caller wipes, so no copy of them is made.
void StreamIn(QByteArrayView bytes, QTextDocument &document, bool plainText, PlainTextEncoding *encoding);
// The document's stream out. `encoding` (plain text) is the preferred one and receives the one used.
QByteArray StreamOut(const QTextDocument &document, bool plainText, PlainTextEncoding *encoding);

enum class FileResult { Ok, Failed };

FileResult ReadDocumentFile(const QString &path, QTextDocument &document, bool plainText,
                            PlainTextEncoding *encoding);
// Atomic: the file is replaced only when every byte was written; else the old file stays as it was,
// and nothing of the text is left beside it.
FileResult WriteDocumentFile(const QString &path, const QTextDocument &document, bool plainText,
                             PlainTextEncoding *encoding);

// The file exists and carries no write permission at all: the read-only attribute of this platform.
bool IsReadOnlyFile(const QString &path);

} // namespace ombre
