#pragma once
// Paragraph formatting of the formatting bar and menu, applied to every paragraph the selection
// touches, each command one undo step.

#include "editor/editing/caret_format.h"
#include "editor/ruler_math.h"

class QTextBlock;
class QTextBlockFormat;
class QTextCursor;

namespace ombre {

// A paragraph's indents in points, wherever its format holds them (a list paragraph keeps its
// first-line indent aside: rtf::firstLineIndent).
ParagraphIndents paragraphIndents(const QTextBlock &block);
// Sets `indents` on the format of a paragraph that is (`inList`) or is not in a list.
void setParagraphIndents(QTextBlockFormat &format, const ParagraphIndents &indents, bool inList);

void setParagraphAlignment(QTextCursor &cursor, ParagraphAlignment alignment);

// Bullets on raise a hanging indent below 10 points to 10 points, so that the text clears the
// bullet; bullets off set it to 0.
void setParagraphBullets(QTextCursor &cursor, bool bullets);

// Moves each paragraph's first-line indent (and the lines that hang from it) by `points`; a
// paragraph never moves left of the page's edge.
void shiftFirstIndent(QTextCursor &cursor, int points);

} // namespace ombre
