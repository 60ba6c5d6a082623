#pragma once
// The plain-text half of the editor's stream: bytes of a plain-text file to text and back.
// Reading takes UTF-8 when the bytes are valid UTF-8 (with or without a byte-order mark), else
// Windows-1252; the caller keeps the encoding it was told and hands it back when writing, so a
// file is saved the way it was found. No character is ever replaced silently.

#include <QByteArray>
#include <QString>

namespace ombre {

struct PlainTextEncoding {
    enum class Codec { Windows1252, Utf8 } codec = Codec::Windows1252;
    bool bom = false;
    enum class LineEnd { CrLf, Lf, Cr } lineEnd = LineEnd::CrLf;

    friend bool operator==(const PlainTextEncoding &, const PlainTextEncoding &) = default;
};

// Returns the text with "\n" between lines, whatever the file used (CR LF, LF or CR; the first
// line end found is reported in `detected`, CR LF when there is none). Pure ASCII without a
// byte-order mark reports Windows-1252, the encoding of new documents.
// A view: the bytes may be plaintext that the caller wipes, so no copy of them is made.
QString decodePlainText(QByteArrayView bytes, PlainTextEncoding *detected = nullptr);

// Line breaks in `text` may be "\n", "\r\n", "\r", U+2029 (between blocks of a QTextDocument)
// or U+2028 (a line break inside a block); all are written in the style of `preferred`. Give it
// QTextDocument::toRawText(): toPlainText() turns non-breaking spaces into ordinary ones.
// Encodes with `preferred`; when Windows-1252 cannot hold a character, falls back to UTF-8 with
// BOM (and reports the encoding actually used through `used`). Never replaces a character.
QByteArray encodePlainText(const QString &text, const PlainTextEncoding &preferred,
                           PlainTextEncoding *used = nullptr);

} // namespace ombre
