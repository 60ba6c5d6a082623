#pragma once
// The find dialog and the replace dialog: one modeless form in two shapes, laid out like the
// standard find and replace dialogs (fields on top, options below, buttons in a column on the
// right). It only holds what the user typed and tells which button was pressed; TFindReplace
// does the searching.

#include "editor/editing/text_search.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ombre {

class TFindDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Find, Replace };

    TFindDialog(Kind kind, QWidget *parent);

    // The replace dialog has no direction: it always searches downwards.
    FindQuery query() const;
    void setQuery(const FindQuery &query);
    QString replacement() const;
    // The replace buttons follow whether the document searched can be changed.
    void setWritable(bool writable);
    // The find field takes the focus with its text selected, ready to be typed over.
    void focusFindText();

signals:
    void queryChanged();
    void findNextClicked();
    void replaceClicked();
    void replaceAllClicked();
    void activated();

protected:
    void changeEvent(QEvent *event) override;

private:
    void updateButtons();

    bool m_writable = true;
    bool m_selectOnActivation = false;
    QLineEdit *m_editFind = nullptr;
    QLineEdit *m_editReplace = nullptr;
    QCheckBox *m_checkWholeWord = nullptr;
    QCheckBox *m_checkMatchCase = nullptr;
    QRadioButton *m_radioUp = nullptr;
    QRadioButton *m_radioDown = nullptr;
    QPushButton *m_btnFindNext = nullptr;
    QPushButton *m_btnReplace = nullptr;
    QPushButton *m_btnReplaceAll = nullptr;
};

} // namespace ombre
