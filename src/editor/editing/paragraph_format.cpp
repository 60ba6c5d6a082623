#include "editor/editing/paragraph_format.h"

#include "rtf/rtf_properties.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <algorithm>
#include <vector>

namespace ombre {
namespace {

constexpr int kBulletHangPoints = 10;

// The paragraphs the selection touches, by their positions (which a change of format keeps).
std::vector<int> paragraphPositions(const QTextCursor &cursor)
{
    std::vector<int> positions;
    const QTextDocument *document = cursor.document();
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    for (QTextBlock block = document->findBlock(cursor.selectionStart()); block.isValid(); block = block.next()) {
        positions.push_back(block.position());
        if (block == last)
            break;
    }
    return positions;
}

// Sets `indents` on the paragraph at `position`, which is or is not in a list.
void setIndents(QTextCursor &edit, int position, const ParagraphIndents &indents, bool inList)
{
    edit.setPosition(position);
    QTextBlockFormat format = edit.blockFormat();
    setParagraphIndents(format, indents, inList);
    edit.setBlockFormat(format);
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

ParagraphIndents paragraphIndents(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    return IndentsFromMargins(format.leftMargin(), rtf::firstLineIndent(block), format.rightMargin());
}

void setParagraphIndents(QTextBlockFormat &format, const ParagraphIndents &indents, bool inList)
{
    const BlockMargins margins = MarginsFromIndents(indents);
    format.setLeftMargin(margins.leftMargin);
    rtf::setFirstLineIndent(format, margins.textIndent, inList);
    format.setRightMargin(margins.rightMargin);
}

void setParagraphAlignment(QTextCursor &cursor, ParagraphAlignment alignment)
{
    QTextBlockFormat format;
    format.setAlignment(qtAlignment(alignment));
    QTextCursor edit(cursor);
    edit.mergeBlockFormat(format);
}

void setParagraphBullets(QTextCursor &cursor, bool bullets)
{
    QTextDocument *document = cursor.document();
    const std::vector<int> positions = paragraphPositions(cursor);
    std::vector<ParagraphIndents> indents;
    for (const int position : positions)
        indents.push_back(paragraphIndents(document->findBlock(position)));

    QTextCursor edit(cursor);
    edit.beginEditBlock();
    if (bullets) {
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        list.setIndent(0);
        edit.createList(list);
    } else {
        for (const int position : positions) {
            const QTextBlock block = document->findBlock(position);
            if (QTextList *list = block.textList())
                list->remove(block);
        }
    }
    for (std::size_t i = 0; i < positions.size(); ++i) {
        ParagraphIndents changed = indents[i];
        changed.left = bullets ? std::max(changed.left, kBulletHangPoints) : 0;
        setIndents(edit, positions[i], changed, bullets);
    }
    edit.endEditBlock();
}

void shiftFirstIndent(QTextCursor &cursor, int points)
{
    QTextDocument *document = cursor.document();
    QTextCursor edit(document);
    edit.beginEditBlock();
    for (const int position : paragraphPositions(cursor)) {
        const QTextBlock block = document->findBlock(position);
        ParagraphIndents indents = paragraphIndents(block);
        indents.first = std::max(indents.first + points, 0);
        setIndents(edit, position, indents, block.textList() != nullptr);
    }
    edit.endEditBlock();
}

} // namespace ombre
