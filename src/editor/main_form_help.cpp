// The help menu: the manual, its keyword search, the author's page and the about box.

#include "editor/main_form.h"

#include "integrations/startup/about_box.h"
#include "integrations/startup/author_links.h"
#include "integrations/startup/help_window.h"
#include "platform/modal.h"

namespace ombre {

void TMainForm::HelpIndexItemClick()
{
    ShowHelpContents(this);
}

void TMainForm::HelpChercheItemClick()
{
    ShowHelpIndex(this);
}

void TMainForm::HelpWebItemClick()
{
    OpenAddress(this, AuthorWebAddress());
}

void TMainForm::HelpAboutItemClick()
{
    TAPropos about(this);
    modal().exec(about);
}

// The dialogs' "Aide" buttons ask for the page of their dialog by its title.
void TMainForm::ShowHelp(const QString &keyword)
{
    ShowHelpTopic(this, keyword);
}

} // namespace ombre
