// The frame's side of spelling: one-line handlers into src/integrations/spelling, the
// dictionaries menu, and the underlines of every document.

#include "editor/main_form.h"
#include "editor/mdi_child.h"
#include "editor/pictures.h"
#include "integrations/spelling/dictionary_menu.h"
#include "integrations/spelling/hunspell_csapi.h"
#include "integrations/spelling/spell_checker.h"
#include "integrations/spelling/spell_error.h"
#include "integrations/spelling/spell_underliner.h"
#include "integrations/spelling/spelling_menu.h"
#include "platform/machine_view.h"
#include "settings/options.h"

#include <QAction>
#include <QMenu>
#include <QTextEdit>

namespace ombre {

void TMainForm::CreateSpeller()
{
    Speller = new TSpellChecker(*this, *this, MachineView::instance(), LoadHunspellEngine);
    Speller->setLanguage(ProgramOptions().Dictionary);
    connect(Speller, &TSpellChecker::dictionariesChanged, this, [this] {
        for (TMDIChild *child : DocumentWindows())
            if (auto *underliner = child->RichEdit->findChild<SpellUnderliner *>())
                underliner->recheckAll();
    });
}

void TMainForm::BuildDictionaryMenu()
{
    const QList<InstalledDictionary> dictionaries = installedDictionaries(MachineView::instance());
    fillDictionaryMenu(*DictionnairesItem->menu(), dictionaries, ProgramOptions().Dictionary,
                       [this](int language) { DictionaryChosen(language); });
    DictionariesListed = !dictionaries.isEmpty();
    SpellerAvailable = Speller->available();
}

void TMainForm::DictionaryChosen(int language)
{
    CloseSpeller();
    ProgramOptions().Dictionary = language;
    Speller->setLanguage(language);
    SpellerAvailable = Speller->available();
    ApplyBackgroundOption();
    UpdateMenuItems();
}

void TMainForm::OrthographeItemClick()
{
    QTextEdit *editor = commandEditor();
    if (!editor || editor->isReadOnly() || !SpellerAvailable)
        return;
    try {
        Speller->open();
        Speller->check(*editor);
    } catch (const ESpellError &error) {
        showSpellError(this, error);
    }
}

bool TMainForm::SpellingPopup(QMenu &menu, QTextEdit &editor, const QPoint &viewportPosition)
{
    if (!ProgramOptions().Interactive || editor.isReadOnly() || !SpellerAvailable)
        return false;
    return buildSpellingMenu(menu, *Speller, editor, viewportPosition, MenuPicture(18),
                             [this] { OrthographeItemClick(); });
}

void TMainForm::ApplyBackgroundOption()
{
    const bool underline = ProgramOptions().Background && SpellerAvailable;
    for (TMDIChild *child : DocumentWindows()) {
        auto *underliner = child->RichEdit->findChild<SpellUnderliner *>();
        if (underline && !underliner)
            new SpellUnderliner(*child->RichEdit, *Speller);
        else if (!underline)
            delete underliner;
    }
}

void TMainForm::CloseSpeller()
{
    try {
        Speller->close();
    } catch (const ESpellError &error) {
        showSpellError(this, error);
    }
}

} // namespace ombre
