// The main window's side of the settings: the settings dialog and the window placement.

#include "editor/main_form.h"
#include "editor/mdi_child.h"
#include "platform/placement.h"
#include "settings/options.h"
#include "settings/settings_dialog.h"

namespace ombre {

void TMainForm::OptionsItemClick()
{
    const auto applied = [this] {
        BuildFormulasMenu();
        ApplyBackgroundOption();
        UpdateMenuItems();
        if (ActiveChild)
            ActiveChild->RichEditSelectionChange();
    };
    ShowSettingsDialog(this, ProgramOptions(), applied, [this] { ShowHelp(QStringLiteral("Paramètres")); });
}

void TMainForm::RestorePlacement()
{
    TPlacement placement(this);
    placement.setSubkey(ApplicationKey);
    placement.RestorePlacement();
}

void TMainForm::SavePlacement()
{
    TPlacement placement(this);
    placement.setSubkey(ApplicationKey);
    placement.SavePlacement();
}

} // namespace ombre
