#pragma once
// Misspelled words of a document underlined in red as the user types, drawn as the editor's
// extra selections: the document, its formats, its undo history and its modified flag are never
// touched. A keystroke only notes where it happened; the check runs later, off the keystroke
// path, on the changed paragraphs that are visible, and remembers each paragraph's result until
// the paragraph's text changes. The word being typed at the caret is underlined once finished.
//
// The underliner owns the editor's extra selections and the blocks' user data.

#include "integrations/spelling/spell_tokens.h"

#include <QList>
#include <QObject>
#include <QStringView>
#include <QTimer>

class QTextBlock;
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

private:
    // The viewport's resizes: another range of paragraphs may have come into view.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void noteChange(int position, int charsRemoved, int charsAdded);
    void followCaret();
    void forgetEditor();
    void checkVisibleParagraphs();
    const QList<WordSpan> &misspellingsOf(QTextBlock block);

    QTextEdit *m_editor;          // null once the editor is being destroyed
    MisspellingFinder &m_finder;
    QTimer m_pause{this};         // a pass runs when it times out (a child: benchmarks find it)
    quint64 m_stamp;              // results stored under another stamp are forgotten
    int m_editedAt = -1;          // where the caret was left by the last change; -1 once it moved
    bool m_caretWordHeld = false; // the last pass left the word at the caret without underline
};

} // namespace ombre
