// The main window's side of the insertions and of "Envoyer vers": one-line handlers into
// src/integrations, and the IntegrationHost through which they reach the active document.

#include "editor/main_form.h"
#include "integrations/formulas_menu.h"
#include "integrations/insertions.h"
#include "integrations/send_to/desktop_shortcut.h"
#include "integrations/send_to/word_processor_hand_off.h"
#include "settings/options.h"

#include <QAction>
#include <QMenu>

namespace ombre {

QTextEdit *TMainForm::ActiveEditor() const
{
    return commandEditor();
}

QDateTime TMainForm::CurrentDateTime() const
{
    return Clock();
}

void TMainForm::DateItemClick()
{
    refreshDateCaptions(*this, M, ProgramOptions().Date);
}

void TMainForm::M0Click()
{
    if (auto *item = qobject_cast<QAction *>(sender()))
        insertDateItem(*this, *item, ProgramOptions().Date);
}

void TMainForm::BtnDateClick()
{
    insertChosenDate(*this, M, ProgramOptions().Date);
}

void TMainForm::BtnFormuleClick()
{
    insertCurrentFormula(*this, *FormulesItem->menu());
}

void TMainForm::SignatureItemClick()
{
    insertSignature(*this, ProgramOptions().Signature);
}

void TMainForm::BuildFormulasMenu()
{
    FormulasAvailable = buildFormulasMenu(*FormulesItem->menu(), ProgramOptions(),
                                          [this](QAction &item) { insertFormulaItem(*this, item, ProgramOptions().Formule); });
}

void TMainForm::ProbeIntegrations()
{
    WordProcessorLink = std::make_unique<WordProcessorHandOff>();
    Word97Available = WordProcessorLink->available();
}

void TMainForm::Word97ItemClick()
{
    if (QTextEdit *editor = ActiveEditor())
        WordProcessorLink->send(*this, *editor);
}

void TMainForm::RaccourciItemClick()
{
    if (!IsUpdating())
        createDocumentShortcut(*this, ActiveDocumentFileName());
}

} // namespace ombre
