#pragma once
// Find and replace for the frame: one modeless find dialog and one modeless replace dialog,
// created on first use, and the find text and options they share, so that find again repeats
// the last search after the dialog is closed and in whichever document is active then. Each
// search works on the document that is active when it runs.

#include "editor/editing/text_search.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QTextEdit;
class QWidget;

namespace ombre {

class TFindDialog;

class TFindReplace : public QObject {
    Q_OBJECT
public:
    // `document` gives the document to search, or null while none is validly active; the
    // dialogs are the frame's children, so that they stay above it.
    TFindReplace(QWidget &frame, std::function<QTextEdit *()> document);

    void openFind();
    void openReplace();
    // Repeats the last search; with no find text it does nothing.
    void findAgain();

    const FindQuery &query() const { return m_query; }

    // Replaces every match in `edit` as one undo step and puts the caret at the start; returns
    // how many were replaced. Replacement text is never searched again, so a replacement that
    // holds the find text ends too.
    static int replaceAll(QTextEdit &edit, const FindQuery &query, const QString &replacement);

private:
    TFindDialog &dialog(bool replace);
    void open(bool replace);
    // Selects the next match or tells that there is none, in a box above `messageParent`.
    void findNext(QTextEdit &edit, QWidget &messageParent);
    void replaceSelection();
    void replaceEverywhere();
    void showWritable();

    QWidget &m_frame;
    std::function<QTextEdit *()> m_document;
    FindQuery m_query;
    QPointer<TFindDialog> m_find;
    QPointer<TFindDialog> m_replace;
};

} // namespace ombre
