#pragma once
// TSpellerDialog: the modeless checking window. It shows the error the checker found (the line
// with the faulty word in red, the suggestions) and hands each button to the checker. When the
// user clicks away into a document it pauses: everything is disabled and "Re&prendre" checks
// the active document again from its caret.

#include "integrations/spelling/error_presentation.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace ombre {

class TMisspellingBox;
class TSpellChecker;

class TSpellerDialog : public QDialog {
    Q_OBJECT
public:
    TSpellerDialog(TSpellChecker &checker, QWidget *parent);

    // Shows an error: `line` holds the faulty word at [wordStart, wordStart + wordLength).
    // Shows the dialog when it is hidden.
    void showError(const ErrorPresentation &shown, const QString &line, qsizetype wordStart, qsizetype wordLength);
    // Moves the dialog off `area` (the error in the document, in screen coordinates): below it,
    // else above it, when the screen has room.
    void keepClear(const QRect &area);
    // The user went to another window.
    void pause();
    bool isPaused() const;

    QLabel *InfoMsg;
    TMisspellingBox *Misspelling;
    QLabel *SuggestLabel;
    QListWidget *Variants;
    QPushButton *ChangeButton, *ChangeAllButton, *SkipButton, *StartButton, *SkipAllButton, *AddButton, *DelButton,
        *CancelEdit, *CancelButton, *OptionsButton;

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void applyButtons(const ErrorPresentation &shown);
    void wordEdited();
    void changeClicked();
    QString chosenSuggestion() const;

    TSpellChecker &m_checker;
    ErrorPresentation m_shown;
    bool m_wasActive = false; // pauses only after having had the focus
    bool m_centred = false;
};

} // namespace ombre
