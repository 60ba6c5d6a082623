#include "editor/editing/paragraph_format.h"

#include "editor/ruler_math.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <algorithm>

namespace ombre {
namespace {

constexpr int kBulletHangPoints = 10;

// Runs `change` on the block format of every paragraph the selection touches, as one undo step.
template <typename Change>
void forEachParagraph(QTextCursor &cursor, Change change)
{
    QTextDocument *document = cursor.document();
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    QTextCursor edit(document);
    edit.beginEditBlock();
    for (QTextBlock block = document->findBlock(cursor.selectionStart()); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        change(format);
        edit.setPosition(block.position());
        edit.setBlockFormat(format);
        if (block == last)
            break;
    }
    edit.endEditBlock();
}

ParagraphIndents indentsOf(const QTextBlockFormat &format)
{
    return IndentsFromMargins(format.leftMargin(), format.textIndent(), format.rightMargin());
}

void setIndents(QTextBlockFormat &format, const ParagraphIndents &indents)
{
    const BlockMargins margins = MarginsFromIndents(indents);
    format.setLeftMargin(margins.leftMargin);
    format.setTextIndent(margins.textIndent);
    format.setRightMargin(margins.rightMargin);
}

Qt::Alignment qtAlignment(ParagraphAlignment alignment)
{
    switch (alignment) {
    case ParagraphAlignment::Center: return Qt::AlignHCenter;
    case ParagraphAlignment::Right: return Qt::AlignRight;
    case ParagraphAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

} // namespace

void setParagraphAlignment(QTextCursor &cursor, ParagraphAlignment alignment)
{
    forEachParagraph(cursor, [&](QTextBlockFormat &format) { format.setAlignment(qtAlignment(alignment)); });
}

void setParagraphBullets(QTextCursor &cursor, bool bullets)
{
    QTextDocument *document = cursor.document();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    QTextCursor edit(document);
    edit.beginEditBlock();
    forEachParagraph(cursor, [&](QTextBlockFormat &format) {
        ParagraphIndents indents = indentsOf(format);
        indents.left = bullets ? std::max(indents.left, kBulletHangPoints) : 0;
        setIndents(format, indents);
    });
    if (bullets) {
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        list.setIndent(0);
        edit.setPosition(start);
        edit.setPosition(end, QTextCursor::KeepAnchor);
        edit.createList(list);
    } else {
        const QTextBlock last = document->findBlock(end);
        for (QTextBlock block = document->findBlock(start); block.isValid(); block = block.next()) {
            if (QTextList *list = block.textList())
                list->remove(block);
            if (block == last)
                break;
        }
    }
    edit.endEditBlock();
}

void shiftFirstIndent(QTextCursor &cursor, int points)
{
    forEachParagraph(cursor, [&](QTextBlockFormat &format) {
        ParagraphIndents indents = indentsOf(format);
        indents.first = std::max(indents.first + points, 0);
        setIndents(format, indents);
    });
}

} // namespace ombre
