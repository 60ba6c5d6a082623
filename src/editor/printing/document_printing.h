#pragma once
// A document laid out on a printer's pages: the body inside the page set-up's margins and
// "page n / N" on the last line of each page. Printing, the print button and the preview all
// paint through printDocument, so that the preview shows what is printed.

#include <QStringList>

class QPagedPaintDevice;
class QPrinter;
class QTextDocument;

namespace ombre {

// Paints `document` on `device`, page after page, without touching it. False when the device
// could not start (the painter did not begin) or did not finish the job.
bool printDocument(const QTextDocument &document, QPagedPaintDevice &device);

// The foot line of page `page` (from 1) of `count`.
QString pageFootLine(int page, int count);

// True when `printer` has nowhere to print: it writes to no file and is not, or cannot be, one
// of the `installed` printers.
bool printerMissing(const QPrinter &printer, const QStringList &installed);

} // namespace ombre
