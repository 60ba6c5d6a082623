// The main window's side of the document properties.

#include "editor/main_form.h"

namespace ombre {

void TMainForm::ProprietesItemClick() {}

} // namespace ombre
