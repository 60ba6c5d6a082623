#pragma once
// Upper and lower case of a selection, by Unicode's case tables (é becomes É), keeping each run's
// character format.

class QTextCursor;

namespace ombre {

enum class LetterCase { Upper, Lower };

// Replaces the selection of `cursor` by its `letterCase` form as one undo step and leaves the
// converted text selected (a conversion may change its length: ß becomes SS).
void convertSelectionCase(QTextCursor &cursor, LetterCase letterCase);

} // namespace ombre
