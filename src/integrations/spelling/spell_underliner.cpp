#include "integrations/spelling/spell_underliner.h"

#include <QEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>

#include <chrono>

// The word the user is typing is not underlined before it is finished. The rule: while the caret
// stays where the last change left it, the misspelled word that touches the caret (the caret is
// inside it or right after its last letter) is held back. Typing a space or a punctuation mark
// ends the word (the caret no longer touches it); a click or an arrow key moves the caret away
// from where the change left it. Either way the next pass underlines the word.

namespace ombre {
namespace {

using namespace std::chrono_literals;

// Long enough that a typist's keystrokes fall inside it, short enough to feel immediate.
constexpr auto kTypingPause = 300ms;
// Lines checked beyond each edge of the viewport, so that a short scroll finds its underlines.
constexpr int kMarginLines = 3;

// A paragraph's misspellings, kept in the paragraph so that they go when it goes, with a
// fingerprint of the text they were found in. The block's revision cannot stand for that text: a
// paragraph that absorbs the next one, or comes back through undo, may keep a revision it had with
// other text, and a result for other text underlines the wrong letters. A fingerprint rather than
// a copy: the text of a deciphered document is not copied where nobody wipes it.
struct CheckedParagraph : QTextBlockUserData {
    quint64 stamp = 0;
    size_t textHash = 0;
    qsizetype textLength = 0;
    QList<WordSpan> misspellings;
};

// Each underliner and each recheckAll() takes a new stamp, so that what was stored under an
// earlier one is ignored without a walk over the whole document.
quint64 newStamp()
{
    static quint64 last = 0;
    return ++last;
}

QTextCharFormat misspelledFormat()
{
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    format.setUnderlineColor(Qt::red);
    return format;
}

bool touches(const WordSpan &span, qsizetype position)
{
    return span.start <= position && position <= span.end();
}

} // namespace

SpellUnderliner::SpellUnderliner(QTextEdit &editor, MisspellingFinder &finder)
    : QObject(&editor), m_editor(&editor), m_finder(finder), m_stamp(newStamp())
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(kTypingPause);
    connect(&m_pause, &QTimer::timeout, this, &SpellUnderliner::checkVisibleParagraphs);
    // The editor keeps its document for its whole life in this program.
    connect(editor.document(), &QTextDocument::contentsChange, this, &SpellUnderliner::noteChange);
    connect(&editor, &QTextEdit::cursorPositionChanged, this, &SpellUnderliner::followCaret);
    connect(editor.verticalScrollBar(), &QScrollBar::valueChanged, &m_pause, qOverload<>(&QTimer::start));
    // The editor says so before it deletes its children, this one among them.
    connect(&editor, &QObject::destroyed, this, &SpellUnderliner::forgetEditor);
    editor.viewport()->installEventFilter(this);
    m_pause.start();
}

SpellUnderliner::~SpellUnderliner()
{
    if (m_editor)
        m_editor->setExtraSelections({});
}

void SpellUnderliner::recheckAll()
{
    m_stamp = newStamp();
    m_pause.start();
}

bool SpellUnderliner::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize)
        m_pause.start();
    return QObject::eventFilter(watched, event);
}

// On the keystroke path: no text is read and no paragraph visited. The pass tells the changed
// paragraphs by their text.
void SpellUnderliner::noteChange(int position, int /*charsRemoved*/, int charsAdded)
{
    m_editedAt = position + charsAdded;
    m_pause.start();
}

void SpellUnderliner::followCaret()
{
    if (m_editor->textCursor().position() == m_editedAt)
        return;
    m_editedAt = -1;
    if (m_caretWordHeld)
        m_pause.start();
}

void SpellUnderliner::forgetEditor()
{
    m_editor = nullptr;
    m_pause.stop();
}

void SpellUnderliner::checkVisibleParagraphs()
{
    const QRect view = m_editor->viewport()->rect();
    const int margin = m_editor->fontMetrics().lineSpacing() * kMarginLines;
    const QTextBlock first = m_editor->cursorForPosition(QPoint(0, view.top() - margin)).block();
    const int lastStart = m_editor->cursorForPosition(QPoint(view.right(), view.bottom() + margin)).block().position();
    const QTextCursor caret = m_editor->textCursor();
    // -1 unless the caret is where the last change left it: then no word is held back.
    const int typingBlockStart = caret.position() == m_editedAt ? caret.block().position() : -1;
    const QTextCharFormat format = misspelledFormat();

    QList<QTextEdit::ExtraSelection> underlines;
    m_caretWordHeld = false;
    for (QTextBlock block = first; block.isValid() && block.position() <= lastStart; block = block.next()) {
        const int start = block.position();
        for (const WordSpan &span : misspellingsOf(block)) {
            if (start == typingBlockStart && touches(span, caret.positionInBlock())) {
                m_caretWordHeld = true;
                continue;
            }
            QTextCursor word(block);
            word.setPosition(int(start + span.start));
            word.setPosition(int(start + span.end()), QTextCursor::KeepAnchor);
            underlines.append({word, format});
        }
    }
    m_editor->setExtraSelections(underlines);
}

const QList<WordSpan> &SpellUnderliner::misspellingsOf(QTextBlock block)
{
    const QString text = block.text();
    const size_t hash = qHash(text);
    auto *checked = dynamic_cast<CheckedParagraph *>(block.userData());
    if (checked && checked->stamp == m_stamp && checked->textLength == text.size() && checked->textHash == hash)
        return checked->misspellings;
    if (!checked) {
        checked = new CheckedParagraph;
        block.setUserData(checked); // the block owns it from here
    }
    checked->stamp = m_stamp;
    checked->textHash = hash;
    checked->textLength = text.size();
    checked->misspellings = m_finder.misspellings(text);
    return checked->misspellings;
}

} // namespace ombre
