#pragma once
// TParametres, the settings dialog: six pages of options, the default-font choice, the polite
// formulas, the signature and the owner name. The dialog edits copies; nothing changes until OK.

#include "platform/modal.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace ombre {

struct TProgramOptions;

class TParametres : public QDialog {
    Q_OBJECT
public:
    explicit TParametres(const TProgramOptions &options, QWidget *parent = nullptr);

    // The closing-with-OK step: the controls into `options`, the formulas and a changed owner
    // name into the store at once.
    void applyTo(TProgramOptions &options) const;

signals:
    void helpRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildOptionsPage();
    QWidget *buildFontsPage();
    QWidget *buildTextsPage();
    QWidget *buildMiscPage();
    QWidget *buildFormulasPage();
    QWidget *buildSignaturePage();
    QWidget *buildButtons();
    void loadFrom(const TProgramOptions &options);
    void showExemple();

    void BtnPoliceClick();
    void BtnDefautClick();
    void BtnModifierClick();

    QTabWidget *Onglets = nullptr;
    QCheckBox *CheckSplash = nullptr;
    QCheckBox *CheckBureau = nullptr;
    QCheckBox *CheckPassword = nullptr;
    QCheckBox *CheckAuthentic = nullptr;
    QRadioButton *RadioCompatible = nullptr;
    QRadioButton *RadioAge = nullptr;
    QLabel *Exemple = nullptr;
    QPushButton *BtnPolice = nullptr;
    QRadioButton *RadioArial = nullptr;
    QRadioButton *RadioCourier = nullptr;
    QCheckBox *CheckMDISize = nullptr;
    QCheckBox *CheckWordwrap = nullptr;
    QLineEdit *EditSymbole = nullptr;
    QCheckBox *CheckInteractif = nullptr;
    QCheckBox *CheckBackground = nullptr;
    QCheckBox *CheckReadOnly = nullptr;
    QPlainTextEdit *MemoFormule = nullptr;
    QPlainTextEdit *MemoSignature = nullptr;
    QLineEdit *EditAuthentification = nullptr;
    QPushButton *BtnModifier = nullptr;
    QPushButton *BtnOk = nullptr;
    QPushButton *BtnHelp = nullptr;
    QPushButton *BtnDefaut = nullptr;
    QPushButton *BtnAnnuler = nullptr;

    FontChoice exempleFont_;
    FontChoice plainTextFont_;
    QString ownerName_;
};

// OptionsItemClick without the main window: shows the dialog through the modal seam and, on OK,
// applies it, makes sure the formulas exist again, then calls `applied` (the main window rebuilds
// its formulas menu and refreshes its command state there). `help` answers the help button.
// Returns whether the dialog was closed with OK.
bool ShowSettingsDialog(QWidget *parent, TProgramOptions &options, const std::function<void()> &applied = {},
                        const std::function<void()> &help = {});

} // namespace ombre
