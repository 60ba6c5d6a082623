// The main window's side of the insertions: one-line handlers into src/integrations.

#include "editor/main_form.h"

namespace ombre {

void TMainForm::DateItemClick() {}
void TMainForm::M0Click() {}
void TMainForm::BtnDateClick() {}
void TMainForm::BtnFormuleClick() {}
void TMainForm::SignatureItemClick() {}
void TMainForm::BuildFormulasMenu() {}

} // namespace ombre
