#include "integrations/spelling/misspelling_box.h"

#include <QKeyEvent>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>

namespace ombre {

TMisspellingBox::TMisspellingBox(QWidget *parent) : QTextEdit(parent)
{
    setObjectName(QStringLiteral("Misspelling"));
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    connect(document(), &QTextDocument::contentsChange, this, &TMisspellingBox::contentsChanged);
    connect(this, &QTextEdit::textChanged, this, &TMisspellingBox::afterChange);
}

void TMisspellingBox::fill(const QString &line, qsizetype wordStart, qsizetype wordLength, const QColor &wordColor,
                           bool retype)
{
    m_line = line;
    m_wordStart = wordStart;
    m_wordLength = wordLength;
    m_wordColor = wordColor;
    m_retype = retype;
    m_edited = false;
    setReadOnly(!retype);
    display(line, wordStart, wordLength, int(wordStart));
}

void TMisspellingBox::empty()
{
    m_line.clear();
    m_wordStart = m_wordLength = 0;
    m_edited = false;
    display(QString(), 0, 0, 0);
}

QString TMisspellingBox::typedWord() const
{
    return m_accepted.mid(m_runStart, m_runLength);
}

void TMisspellingBox::restoreWord()
{
    fill(m_line, m_wordStart, m_wordLength, m_wordColor, m_retype);
}

void TMisspellingBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void TMisspellingBox::display(const QString &text, qsizetype runStart, qsizetype runLength, int caret)
{
    m_filling = true;
    m_accepted = text;
    m_runStart = runStart;
    m_runLength = m_acceptedRunLength = runLength;
    setPlainText(text);
    QTextCursor cursor(document());
    QTextCharFormat plain;
    plain.setForeground(palette().color(QPalette::WindowText));
    cursor.select(QTextCursor::Document);
    cursor.setCharFormat(plain);
    QTextCharFormat word;
    word.setForeground(m_wordColor);
    cursor.setPosition(int(runStart));
    cursor.setPosition(int(runStart + runLength), QTextCursor::KeepAnchor);
    cursor.setCharFormat(word);
    cursor.setPosition(caret);
    setTextCursor(cursor);
    m_filling = false;
}

void TMisspellingBox::contentsChanged(int position, int removed, int added)
{
    if (m_filling)
        return;
    // Only an edit that stays within the word, its two ends included, is kept.
    if (position < m_runStart || position + removed > m_runStart + m_runLength) {
        m_refused = true;
        return;
    }
    m_runLength += added - removed;
}

void TMisspellingBox::afterChange()
{
    if (m_filling)
        return;
    const QString text = toPlainText();
    // A line break typed or pasted into the word is refused too: a word holds none.
    if (m_refused || text.mid(m_runStart, m_runLength).contains(QLatin1Char('\n'))) {
        m_refused = false;
        display(m_accepted, m_runStart, m_acceptedRunLength, int(m_runStart + m_acceptedRunLength));
        return;
    }
    m_accepted = text;
    m_acceptedRunLength = m_runLength;
    // Text typed at the word's edges takes the colour of its neighbour: make the whole word red.
    m_filling = true;
    QTextCursor cursor(document());
    cursor.setPosition(int(m_runStart));
    cursor.setPosition(int(m_runStart + m_runLength), QTextCursor::KeepAnchor);
    QTextCharFormat word;
    word.setForeground(m_wordColor);
    cursor.mergeCharFormat(word);
    m_filling = false;
    if (!m_edited) {
        m_edited = true;
        emit wordEdited();
    }
}

} // namespace ombre
