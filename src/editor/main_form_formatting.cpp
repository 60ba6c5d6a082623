// Character and paragraph formatting, the colour menu, word wrap and the ruler switch.

#include "editor/main_form.h"

namespace ombre {

void TMainForm::RegleItemClick() {}
void TMainForm::PolicesItemClick() {}
void TMainForm::BtnBoldClick() {}
void TMainForm::BtnItalicClick() {}
void TMainForm::BtnUnderlineClick() {}
void TMainForm::BtnColorClick() {}
void TMainForm::C00Click() {}
void TMainForm::PopupColorPopup() {}
void TMainForm::ComboFontChange() {}
void TMainForm::ComboSizeChange() {}
void TMainForm::BtnLeftClick() {}
void TMainForm::BtnCenterClick() {}
void TMainForm::BtnRightClick() {}
void TMainForm::BtnBulletClick() {}
void TMainForm::PucesItemClick() {}
void TMainForm::BtnIdentinClick() {}
void TMainForm::BtnIdentdeClick() {}
void TMainForm::WordwrapItemClick() {}

} // namespace ombre
