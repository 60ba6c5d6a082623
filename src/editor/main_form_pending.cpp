// Commands and hooks of the frame whose bodies arrive with their own subsystems: the word
// processor and the desktop shortcut. Each exists now as a wired action with its enabling rule
// and does nothing yet; each moves to its subsystem's file when that subsystem lands.

#include "editor/main_form.h"

namespace ombre {

// Word processor and desktop shortcut; the word processor is probed at creation.
void TMainForm::Word97ItemClick() {}
void TMainForm::RaccourciItemClick() {}
void TMainForm::ProbeIntegrations() {}

} // namespace ombre
