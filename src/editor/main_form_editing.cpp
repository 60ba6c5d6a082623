// Clipboard, undo and redo, select all and case on the active document.

#include "editor/main_form.h"

namespace ombre {

void TMainForm::UndoItemClick() {}
void TMainForm::RedoItemClick() {}
void TMainForm::CutItemClick() {}
void TMainForm::CopyItemClick() {}
void TMainForm::PasteItemClick() {}
void TMainForm::SelectionnerItemClick() {}
void TMainForm::MajusculesItemClick() {}
void TMainForm::MinusculesItemClick() {}

} // namespace ombre
