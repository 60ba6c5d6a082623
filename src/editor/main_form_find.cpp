// Find and replace: the modeless dialogs, bound to the active document, and find again.

#include "editor/find_replace.h"
#include "editor/main_form.h"

namespace ombre {

void TMainForm::RechercherItemClick() { findReplace().openFind(); }
void TMainForm::RechercherNextItemClick() { findReplace().findAgain(); }
void TMainForm::RemplacerItemClick() { findReplace().openReplace(); }

TFindReplace &TMainForm::findReplace()
{
    if (!FindReplace)
        // Each search asks for the document then: while none is validly active (Updating) there
        // is none, and the commands and the dialogs' buttons do nothing.
        FindReplace = new TFindReplace(*this, [this] { return commandEditor(); });
    return *FindReplace;
}

} // namespace ombre
