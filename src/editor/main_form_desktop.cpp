// The documents of the last session: written at exit, reopened at the next start.

#include "editor/main_form.h"

namespace ombre {

void TMainForm::RestoreDesktop() {}
void TMainForm::SaveDesktop() {}

} // namespace ombre
