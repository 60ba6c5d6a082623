// Find, find again, replace and replace all on the frame's active document.

#include "editor/find_replace.h"

#include "editor/drawing_lock.h"
#include "editor/find_dialog.h"
#include "platform/modal.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace ombre {
namespace {

const QString kNotFound = QStringLiteral("Le texte recherché n'a pas été trouvé.");

// A selection over several paragraphs is no text for the one-line find field.
bool fitsFindField(const QString &selected)
{
    return !selected.contains(QChar::ParagraphSeparator) && !selected.contains(QChar::LineSeparator);
}

void select(QTextEdit &edit, qsizetype start, qsizetype length)
{
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(int(start));
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    edit.ensureCursorVisible();
}

} // namespace

TFindReplace::TFindReplace(QWidget &frame, std::function<QTextEdit *()> document)
    : QObject(&frame), m_frame(frame), m_document(std::move(document))
{
}

void TFindReplace::openFind()
{
    open(false);
}

void TFindReplace::openReplace()
{
    open(true);
}

void TFindReplace::findAgain()
{
    if (QTextEdit *edit = m_document())
        findNext(*edit, m_frame);
}

void TFindReplace::open(bool replace)
{
    QTextEdit *edit = m_document();
    if (!edit)
        return;
    QTextCursor cursor = edit->textCursor();
    if (const QString selected = cursor.selectedText(); !selected.isEmpty() && fitsFindField(selected))
        m_query.text = selected;
    m_query.matchCase = false;
    m_query.wholeWord = false;
    m_query.down = true;
    // The search starts where the selection did, so that a selected word is the first match.
    cursor.setPosition(cursor.selectionStart());
    edit->setTextCursor(cursor);

    // One dialog at a time: the other would show a find text that is no longer the one used.
    if (TFindDialog *other = replace ? m_find : m_replace)
        other->hide();
    TFindDialog &shown = dialog(replace);
    shown.setQuery(m_query);
    m_query = shown.query(); // what the field kept of a very long selection
    shown.setWritable(!edit->isReadOnly());
    shown.show();
    shown.raise();
    shown.activateWindow();
    shown.focusFindText();
}

TFindDialog &TFindReplace::dialog(bool replace)
{
    QPointer<TFindDialog> &slot = replace ? m_replace : m_find;
    if (slot)
        return *slot;
    auto *made = new TFindDialog(replace ? TFindDialog::Kind::Replace : TFindDialog::Kind::Find, &m_frame);
    slot = made;
    connect(made, &TFindDialog::queryChanged, this, [this, made] { m_query = made->query(); });
    connect(made, &TFindDialog::findNextClicked, this, [this, made] {
        if (QTextEdit *edit = m_document())
            findNext(*edit, *made);
    });
    connect(made, &TFindDialog::replaceClicked, this, &TFindReplace::replaceSelection);
    connect(made, &TFindDialog::replaceAllClicked, this, &TFindReplace::replaceEverywhere);
    connect(made, &TFindDialog::activated, this, &TFindReplace::showWritable);
    return *made;
}

void TFindReplace::findNext(QTextEdit &edit, QWidget &messageParent)
{
    if (m_query.text.isEmpty())
        return;
    const QTextCursor cursor = edit.textCursor();
    const qsizetype start =
        searchStart(cursor.selectionStart(), cursor.selectionEnd(), m_query.text.size(), m_query.down);
    const qsizetype found = findText(edit.document()->toRawText(), m_query, start);
    if (found < 0)
        showMessage(&messageParent, QMessageBox::Information, kNotFound);
    else
        select(edit, found, m_query.text.size());
}

void TFindReplace::replaceSelection()
{
    QTextEdit *edit = m_document();
    if (!edit || edit->isReadOnly() || m_query.text.isEmpty()) {
        showWritable();
        return;
    }
    // Only a selected match is replaced: a selection the user made for another reason is not
    // the text they asked to replace. Otherwise the button finds the next match first.
    QTextCursor cursor = edit->textCursor();
    const int start = cursor.selectionStart();
    if (cursor.selectionEnd() - start == m_query.text.size()
        && matchesAt(edit->document()->toRawText(), m_query, start)) {
        cursor.insertText(m_replace->replacement());
        edit->setTextCursor(cursor);
    }
    findNext(*edit, *m_replace);
}

void TFindReplace::replaceEverywhere()
{
    QTextEdit *edit = m_document();
    if (!edit || edit->isReadOnly() || m_query.text.isEmpty()) {
        showWritable();
        return;
    }
    replaceAll(*edit, m_query, m_replace->replacement());
}

void TFindReplace::showWritable()
{
    if (!m_replace)
        return;
    const QTextEdit *edit = m_document();
    m_replace->setWritable(edit && !edit->isReadOnly());
}

int TFindReplace::replaceAll(QTextEdit &edit, const FindQuery &query, const QString &replacement)
{
    FindQuery downwards = query;
    downwards.down = true;
    const qsizetype length = query.text.size();
    const qsizetype growth = replacement.size() - length;

    // The search runs over a copy of the text as it was, from its start: a match's place in the
    // document is its place in the copy plus what the replacements before it added. Replaced
    // text is never searched again, so the loop ends whatever the replacement holds.
    const QString text = edit.document()->toRawText();
    int count = 0;
    {
        const DrawingLock locked(edit);
        QTextCursor cursor(edit.document());
        cursor.beginEditBlock(); // one undo step, and the document's layout once, at the end
        for (qsizetype found = findText(text, downwards, 0); found >= 0;
             found = findText(text, downwards, found + length)) {
            const qsizetype at = found + growth * count;
            cursor.setPosition(int(at));
            cursor.setPosition(int(at + length), QTextCursor::KeepAnchor);
            cursor.insertText(replacement);
            ++count;
        }
        cursor.endEditBlock();
    }
    QTextCursor start(edit.document());
    edit.setTextCursor(start);
    return count;
}

} // namespace ombre
