#pragma once
// A QTextDocument to RTF the way the rich-edit control writes it: \ansicpg1252 with \'hh for
// the upper half of Windows-1252 and \uN? beyond it, a font and a colour table, \pard paragraph
// formatting and {\pntext}{\*\pn} bullets, so that word processors and older readers open it.

#include <QByteArray>

class QTextDocument;

namespace ombre::rtf {

QByteArray writeRtf(const QTextDocument &document);

} // namespace ombre::rtf
