// Printing: the print dialog, printing at once, the preview and the page set-up.

#include "editor/main_form.h"

#include <QPrinter>

namespace ombre {

void TMainForm::FilePrintItemClick() {}
void TMainForm::ApercuItemClick() {}
void TMainForm::BtnPrintClick() {}
void TMainForm::FileConfigItemClick() {}

} // namespace ombre
