// Lays a copy of the document out on the printer's page rectangle and paints it page by page.

#include "editor/printing/document_printing.h"

#include "editor/document_units.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextList>
#include <QTextDocument>
#include <QTextOption>
#include <memory>
#include <utility>
#include <vector>

namespace ombre {
namespace {

// As points, the printed text has the size the user sees (13 px, 9.75 pt).
qreal pointsOf(int pixels)
{
    return pixels * kPointsPerPixel;
}

QFont inPoints(QFont font)
{
    if (font.pixelSize() > 0)
        font.setPointSizeF(pointsOf(font.pixelSize()));
    return font;
}

QTextCharFormat inPoints(QTextCharFormat format)
{
    format.setFontPointSize(pointsOf(format.intProperty(QTextFormat::FontPixelSize)));
    format.clearProperty(QTextFormat::FontPixelSize);
    return format;
}

// A pixel size would be read as pixels of the printer (a few hundredths of an inch): every size
// in pixels becomes its size in points.
void convertPixelSizes(QTextDocument &document)
{
    document.setDefaultFont(inPoints(document.defaultFont()));
    std::vector<std::pair<int, int>> runs; // position, length; changed once all are found
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.charFormat().hasProperty(QTextFormat::FontPixelSize))
            QTextCursor(block).setBlockCharFormat(inPoints(block.charFormat()));
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().hasProperty(QTextFormat::FontPixelSize))
                runs.emplace_back(it.fragment().position(), it.fragment().length());
    }
    QTextCursor cursor(&document);
    cursor.beginEditBlock(); // one change, laid out once
    for (const auto &[position, length] : runs) {
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(inPoints(cursor.charFormat()));
    }
    cursor.endEditBlock();
}

// Paragraph indents, spacing and tab stops are pixels of the same screen: laid out on the
// device, they are scaled to its resolution, or a 30 point indent would print as a hair and a
// bullet, drawn left of its text, would fall outside the page.
void scaleParagraphLengths(QTextDocument &document, qreal scale)
{
    document.setIndentWidth(document.indentWidth() * scale);
    QTextCursor cursor(&document);
    cursor.beginEditBlock(); // one change, laid out once
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        format.setLeftMargin(format.leftMargin() * scale);
        format.setRightMargin(format.rightMargin() * scale);
        format.setTopMargin(format.topMargin() * scale);
        format.setBottomMargin(format.bottomMargin() * scale);
        format.setTextIndent(format.textIndent() * scale);
        QList<QTextOption::Tab> tabs = format.tabPositions();
        for (QTextOption::Tab &tab : tabs)
            tab.position *= scale;
        format.setTabPositions(tabs);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
    cursor.endEditBlock();
}

// The copy that is laid out on the pages: no margin of its own (the page set-up's are the
// margins), sizes in points, and every line wrapped inside the page whatever the editor shows.
std::unique_ptr<QTextDocument> printableCopy(const QTextDocument &document, QPagedPaintDevice &device)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setDocumentMargin(0);
    convertPixelSizes(*copy);
    scaleParagraphLengths(*copy, device.logicalDpiX() / kScreenDpi);
    QTextOption option = copy->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    copy->setDefaultTextOption(option);
    copy->documentLayout()->setPaintDevice(&device);
    return copy;
}

// Qt paints a paragraph from the last of its lines that ends above the clip it is given: the last
// line of the page before, of a paragraph that a page break cuts, would be painted above each
// page, hidden by the clip but still in the printed file's text (found by a search, copied with
// the rest). Such paragraphs are cut in two at the break, the second part carrying on the first
// with no first-line indent and no spacing between them. Paragraphs of lists and tables, whose
// parts would each get a bullet or a cell, are left whole.
void cutAtPageBreaks(QTextDocument &copy, qreal pageHeight)
{
    const auto pageOf = [pageHeight](const QTextLayout &layout, int line) {
        const QTextLine text = layout.lineAt(line);
        return int((layout.position().y() + text.y() + text.height() / 2) / pageHeight);
    };
    copy.documentLayout()->documentSize(); // lays the whole copy out on its pages
    std::vector<int> cuts; // where a page starts inside a paragraph, from the end to the start
    for (QTextBlock block = copy.lastBlock(); block.isValid(); block = block.previous()) {
        const QTextLayout &layout = *block.layout();
        if (block.textList() || QTextCursor(block).currentFrame() != copy.rootFrame())
            continue;
        for (int line = layout.lineCount() - 1; line > 0; --line)
            if (pageOf(layout, line) != pageOf(layout, line - 1))
                cuts.push_back(block.position() + layout.lineAt(line).textStart());
    }
    QTextCursor cursor(&copy);
    cursor.beginEditBlock(); // one change, laid out once
    for (const int position : cuts) {
        cursor.setPosition(position);
        QTextBlockFormat first = cursor.blockFormat();
        QTextBlockFormat rest = first;
        first.setBottomMargin(0);
        rest.setTopMargin(0);
        rest.setTextIndent(0);
        cursor.setBlockFormat(first);
        cursor.insertBlock(rest, cursor.charFormat());
    }
    cursor.endEditBlock();
}

void paintBody(QPainter &painter, const QTextDocument &copy, int page, const QSizeF &body)
{
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), body));
    painter.translate(0, -page * body.height());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    // A hair inside the page, so that the lines that start exactly on its bottom edge (those of
    // the next page) are not painted here too.
    context.clip = QRectF(0, page * body.height() + 0.5, body.width(), body.height() - 1);
    copy.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace

QString pageFootLine(int page, int count)
{
    return QStringLiteral("page %1 / %2").arg(page).arg(count);
}

bool printerMissing(const QPrinter &printer, const QStringList &installed)
{
    return printer.outputFileName().isEmpty()
           && (printer.outputFormat() != QPrinter::NativeFormat || installed.isEmpty());
}

bool printDocument(const QTextDocument &document, QPagedPaintDevice &device)
{
    const std::unique_ptr<QTextDocument> copy = printableCopy(document, device);
    QPainter painter;
    if (!painter.begin(&device))
        return false;

    // The painter's origin is the top left corner of the page rectangle, inside the margins.
    const QSizeF page(device.width(), device.height());
    const QFont footFont = copy->defaultFont();
    const QFontMetricsF foot(footFont, &device);
    // The foot line stands on the page rectangle's bottom, one empty line below the body.
    const QSizeF body(page.width(), page.height() - 2 * foot.height());
    copy->setPageSize(body);
    cutAtPageBreaks(*copy, body.height());
    const int count = copy->pageCount();

    for (int index = 0; index < count; ++index) {
        if (index > 0 && !device.newPage())
            return false;
        paintBody(painter, *copy, index, body);
        const QString line = pageFootLine(index + 1, count);
        painter.setFont(footFont);
        painter.setPen(Qt::black);
        painter.drawText(QPointF((page.width() - foot.horizontalAdvance(line)) / 2, page.height() - foot.descent()),
                         line);
    }
    return painter.end();
}

} // namespace ombre
