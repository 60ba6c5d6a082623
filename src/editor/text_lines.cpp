#include "editor/text_lines.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace ombre {
namespace {

// A block not laid out yet (no view, or not reached) counts as one line.
int linesOf(const QTextBlock &block)
{
    const QTextLayout *layout = block.layout();
    return layout && layout->lineCount() > 0 ? layout->lineCount() : 1;
}

} // namespace

TextLinePosition CaretLineAndColumn(const QTextDocument &document, int position)
{
    const QTextBlock caretBlock = document.findBlock(position);
    TextLinePosition result;
    for (QTextBlock block = document.begin(); block.isValid() && block != caretBlock; block = block.next())
        result.line += linesOf(block);
    if (!caretBlock.isValid())
        return result;
    int lineStart = caretBlock.position();
    const QTextLayout *layout = caretBlock.layout();
    if (layout && layout->lineCount() > 0) {
        const QTextLine line = layout->lineForTextPosition(position - caretBlock.position());
        if (line.isValid()) {
            result.line += line.lineNumber();
            lineStart += line.textStart();
        }
    }
    result.column = position - lineStart + 1;
    return result;
}

int LineCount(const QTextDocument &document)
{
    int lines = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines += linesOf(block);
    return lines;
}

} // namespace ombre
