// The help menu: the manual, its keyword search, the author's page and the about box.

#include "editor/main_form.h"

namespace ombre {

void TMainForm::HelpIndexItemClick() {}
void TMainForm::HelpChercheItemClick() {}
void TMainForm::HelpWebItemClick() {}
void TMainForm::HelpAboutItemClick() {}

} // namespace ombre
