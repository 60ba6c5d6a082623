// The main window's side of the document properties.

#include "editor/main_form.h"
#include "editor/mdi_child.h"
#include "editor/properties/proprietes_dialog.h"
#include "platform/modal.h"
#include "settings/options.h"

namespace ombre {

void TMainForm::ProprietesItemClick()
{
    if (IsUpdating())
        return;
    const TMDIChild &child = *ActiveChild;
    const PropertiesSource source{child.windowTitle(), *child.RichEdit, child.DocumentInfo.PlainText,
                                  child.TextEncoding, child.ContainerPath};
    TProprietes dialog(this, source, ProgramOptions().Symboles);
    modal().exec(dialog);
}

} // namespace ombre
