// Any text as a record of the Desktop key: reading it must not crash, and whatever it read must
// survive a write: the record written from it reads back the same.

#include "editor/desktop_record.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

bool sameDocument(const ombre::TDocumentInfo &a, const ombre::TDocumentInfo &b)
{
    return a.FileName == b.FileName && a.Left == b.Left && a.Top == b.Top && a.Width == b.Width
           && a.Height == b.Height && a.WindowState == b.WindowState && a.PlainText == b.PlainText
           && a.Proportional == b.Proportional && a.WordWrap == b.WordWrap && a.Named == b.Named;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const ombre::DesktopEntry entry = ombre::ParseDesktopRecord(text);
    if (!entry.Document)
        return 0;
    const ombre::DesktopView view{entry.Selection ? entry.Selection->first : 0,
                                  entry.Selection ? entry.Selection->second : 0, entry.Scroll.value_or(0)};
    const ombre::DesktopEntry again = ombre::ParseDesktopRecord(ombre::FormatDesktopRecord(*entry.Document, view));
    if (!again.Document || !sameDocument(*again.Document, *entry.Document) || !again.Selection
        || again.Selection->first != view.SelectionStart || again.Selection->second != view.SelectionEnd
        || again.Scroll != view.Scroll) {
        std::fprintf(stderr, "a record written from what was read reads back otherwise\n");
        std::abort();
    }
    return 0;
}
