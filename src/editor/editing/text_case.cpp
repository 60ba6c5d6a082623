#include "editor/editing/text_case.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <vector>

namespace ombre {
namespace {

struct Run {
    int start;
    int length;
    QTextCharFormat format;
};

// The selection cut at every change of character format and at paragraph ends, so that each
// run is replaced in its own format and no paragraph separator is touched.
std::vector<Run> runsOf(const QTextCursor &cursor)
{
    std::vector<Run> runs;
    const int from = cursor.selectionStart();
    const int to = cursor.selectionEnd();
    for (QTextBlock block = cursor.document()->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(from, fragment.position());
            const int end = std::min(to, fragment.position() + fragment.length());
            if (start < end)
                runs.push_back({start, end - start, fragment.charFormat()});
        }
    }
    return runs;
}

} // namespace

void convertSelectionCase(QTextCursor &cursor, LetterCase letterCase)
{
    if (!cursor.hasSelection())
        return;
    const int from = cursor.selectionStart();
    const int to = cursor.selectionEnd();
    const std::vector<Run> runs = runsOf(cursor);
    QTextCursor edit(cursor.document());
    edit.beginEditBlock();
    // From the last run back, so that a change of length leaves the earlier positions valid.
    int lengthChange = 0;
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        edit.setPosition(run->start);
        edit.setPosition(run->start + run->length, QTextCursor::KeepAnchor);
        const QString text = edit.selectedText();
        const QString converted = letterCase == LetterCase::Upper ? text.toUpper() : text.toLower();
        if (converted == text)
            continue;
        edit.insertText(converted, run->format);
        lengthChange += static_cast<int>(converted.size()) - run->length;
    }
    edit.endEditBlock();
    cursor.setPosition(from);
    cursor.setPosition(to + lengthChange, QTextCursor::KeepAnchor);
}

} // namespace ombre
