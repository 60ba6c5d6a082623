#pragma once
// The line of the checking dialog that shows an error in its context: the whole line of the text
// that holds it, the faulty word in red. Only the red word can be typed again; the rest of the
// line refuses every edit (an edit that reaches it is taken back at once).

#include <QColor>
#include <QTextEdit>

namespace ombre {

class TMisspellingBox : public QTextEdit {
    Q_OBJECT
public:
    explicit TMisspellingBox(QWidget *parent = nullptr);

    // Shows `line` with [wordStart, wordStart + wordLength) as the red word that may be retyped
    // (when `retype`), the caret at its start. Forgets any edit.
    void fill(const QString &line, qsizetype wordStart, qsizetype wordLength, const QColor &wordColor, bool retype);
    void empty();
    // The red word as it stands now.
    QString typedWord() const;
    bool edited() const { return m_edited; }
    // Puts the word back as it was shown ("&Rétablir").
    void restoreWord();

signals:
    // The first edit of the word since it was shown or put back.
    void wordEdited();

protected:
    // Return validates the dialog rather than breaking the line.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void contentsChanged(int position, int removed, int added);
    void afterChange();
    void display(const QString &text, qsizetype runStart, qsizetype runLength, int caret);

    QString m_line;          // as shown
    qsizetype m_wordStart = 0;
    qsizetype m_wordLength = 0;
    QColor m_wordColor;
    bool m_retype = false;
    // The editable run as the user left it.
    QString m_accepted; // the line's text after the last edit kept
    qsizetype m_runStart = 0;
    qsizetype m_runLength = 0;         // follows each change as it comes
    qsizetype m_acceptedRunLength = 0; // of m_accepted
    bool m_filling = false;
    bool m_refused = false;  // the last change reached protected text
    bool m_edited = false;
};

} // namespace ombre
