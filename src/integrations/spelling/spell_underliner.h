#pragma once
// Misspelled words of a document underlined in red as the user types, drawn as the editor's
// extra selections: the document, its formats, its undo history and its modified flag are never
// touched. A keystroke only marks its paragraph as changed; the check runs later, off the
// keystroke path, on the changed paragraphs that are visible, and remembers each paragraph's
// result until the paragraph changes.
//
// The underliner owns the editor's extra selections.

#include "integrations/spelling/spell_tokens.h"

#include <QList>
#include <QObject>
#include <QStringView>

class QTextEdit;

namespace ombre {

// Where the misspelled words of one paragraph are.
class MisspellingFinder {
public:
    virtual ~MisspellingFinder() = default;
    // Spans into `paragraph`; empty when the engine is not available.
    virtual QList<WordSpan> misspellings(QStringView paragraph) = 0;
};

class SpellUnderliner : public QObject {
    Q_OBJECT
public:
    // Attaches to `editor` (which owns the underliner) and checks its visible text soon.
    SpellUnderliner(QTextEdit &editor, MisspellingFinder &finder);
    // Takes the underlines away.
    ~SpellUnderliner() override;

    // The dictionaries changed (a word added or ignored, another language): forget every
    // result and check the visible text again soon.
    void recheckAll();
};

} // namespace ombre
