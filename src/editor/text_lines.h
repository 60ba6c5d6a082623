#pragma once
// Lines as the document window counts them: lines on screen (a wrapped paragraph counts each of
// its lines), an empty text has one line, a final line break opens one more.

#include <QtGlobal>

class QTextDocument;

namespace ombre {

struct TextLinePosition {
    int line = 0;   // zero-based
    int column = 1; // one-based, from the start of that line
};

TextLinePosition CaretLineAndColumn(const QTextDocument &document, int position);
int LineCount(const QTextDocument &document);

} // namespace ombre
