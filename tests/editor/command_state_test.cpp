// The frame's command table as the user meets it: which commands are available with no document,
// one, two, a plain-text one and a read-only one.

#include "editor_fixture.h"

#include <QComboBox>
#include <QMdiArea>
#include <initializer_list>

namespace ombre::test {
namespace {

using Names = std::initializer_list<const char *>;

const Names DocumentRow{"FileCloseItem", "FileSaveItem", "FileSaveAsItem", "FilePrintItem", "ApercuItem", "ProprietesItem",
                        "EnvoyerItem", "RaccourciItem", "CrypterItem", "WindowCascadeItem", "WindowTileItem",
                        "WindowArrangeItem", "WindowMinimizeItem", "BtnPrint", "Word97Item"};
const Names WritableRow{"WordwrapItem", "DateItem", "EnrichiItem", "BrutItem", "BtnDate", "FormulesItem",
                        "BtnFormule", "SignatureItem", "OrthographeItem"};
// BtnFont stands in for the boxes only when the bar is docked on a side (see below).
const Names FormattingRow{"PolicesItem", "AlignerItem", "PucesItem", "AugmenterItem", "ReduireItem", "BtnBold", "BtnItalic", "BtnUnderline", "BtnColor", "BtnBullet", "GaucheItem",
                          "CentreItem", "DroiteItem"};
const Names EditingRow{"CutItem", "CopyItem", "PasteItem", "UndoItem", "RemplacerItem", "MajusculesItem",
                       "MinusculesItem"};
const Names AlwaysAvailable{"FileNewItem", "FileOpenItem", "FileExitItem", "FileCrypterItem", "DecrypterItem",
                            "AuthentifierItem", "OptionsItem", "HelpIndexItem", "HelpWebItem", "HelpAboutItem"};

class CommandStateTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        // Every availability on, so that each row shows its document rule alone.
        form->Word97Available = true;
        form->FormulasAvailable = true;
        form->SpellerAvailable = true;
        form->DictionariesListed = true;
        ProgramOptions().Signature = QStringLiteral("Jean Dupont");
        form->UpdateMenuItems();
    }

    void expectEnabled(const Names &names, bool enabled, const char *situation) const
    {
        for (const char *name : names)
            EXPECT_EQ(item(name).isEnabled(), enabled) << name << " with " << situation;
    }

    bool boxesEnabled() const { return form->ComboFont->isEnabled() && form->ComboSize->isEnabled(); }

    // A document with text, selected, and something to paste and to undo.
    void fillActive()
    {
        type(QStringLiteral("Bonjour"));
        active().RichEdit->selectAll();
        active().RichEdit->copy();
        settle();
    }
};

TEST_F(CommandStateTest, NoDocumentLeavesOnlyTheDictionariesAndTheDocumentFreeCommands)
{
    expectEnabled(DocumentRow, false, "no document");
    expectEnabled(WritableRow, false, "no document");
    expectEnabled(FormattingRow, false, "no document");
    expectEnabled(EditingRow, false, "no document");
    expectEnabled({"FileCloseAllItem", "RegleItem", "SelectionnerItem", "RechercherItem", "RechercherNextItem"}, false,
                  "no document");
    EXPECT_FALSE(boxesEnabled());
    expectEnabled({"DictionnairesItem"}, true, "no document");
    expectEnabled(AlwaysAvailable, true, "no document");
    EXPECT_TRUE(form->Updating);

    // Without a dictionary for the chosen language the menu still offers the installed ones.
    form->SpellerAvailable = false;
    form->UpdateMenuItems();
    expectEnabled({"DictionnairesItem"}, true, "no speller");
    form->DictionariesListed = false;
    form->UpdateMenuItems();
    expectEnabled({"DictionnairesItem"}, false, "no dictionary");
}

TEST_F(CommandStateTest, OneRichDocumentEnablesEveryRowButCloseAll)
{
    run("FileNewItem");
    fillActive();
    expectEnabled(DocumentRow, true, "one document");
    expectEnabled(WritableRow, true, "one document");
    expectEnabled(FormattingRow, true, "one document");
    expectEnabled(EditingRow, true, "one document");
    expectEnabled({"RegleItem"}, true, "one document");
    EXPECT_TRUE(boxesEnabled());
    expectEnabled({"FileCloseAllItem"}, false, "one document");
    EXPECT_FALSE(form->Updating);
}

TEST_F(CommandStateTest, CloseAllFollowsTheSecondDocument)
{
    run("FileNewItem");
    run("FileNewItem");
    expectEnabled({"FileCloseAllItem"}, true, "two documents");
    run("FileCloseItem");
    expectEnabled({"FileCloseAllItem"}, false, "one document left");
    expectEnabled(DocumentRow, true, "one document left");
    run("FileCloseItem");
    expectEnabled(DocumentRow, false, "every document closed");
    EXPECT_TRUE(form->Updating);
    EXPECT_EQ(form->ActiveChild, nullptr);
}

TEST_F(CommandStateTest, PlainTextKeepsWrapAndModeSwitchesButNoFormatting)
{
    TMDIChild &child = open(writeFile(QStringLiteral("lettre.txt"), "Bonjour"));
    ASSERT_TRUE(child.DocumentInfo.PlainText);
    expectEnabled(FormattingRow, false, "plain text");
    EXPECT_FALSE(boxesEnabled());
    expectEnabled({"RegleItem"}, false, "plain text");
    expectEnabled({"WordwrapItem", "EnrichiItem", "BrutItem"}, true, "plain text");
    EXPECT_TRUE(item("BrutItem").isChecked());
    EXPECT_FALSE(item("EnrichiItem").isChecked());
}

TEST_F(CommandStateTest, ReadOnlyDocumentRefusesEveryChange)
{
    run("FileNewItem");
    fillActive();
    active().setReadOnly(true);
    form->UpdateMenuItems();
    active().RichEditSelectionChange();
    expectEnabled(WritableRow, false, "read-only");
    expectEnabled(FormattingRow, false, "read-only");
    expectEnabled(EditingRow, false, "read-only");
    EXPECT_FALSE(boxesEnabled());
    // Still a document: it can be saved elsewhere, sealed, printed, and searched.
    expectEnabled(DocumentRow, true, "read-only");
    expectEnabled({"SelectionnerItem", "RechercherItem", "RechercherNextItem"}, true, "read-only");
}

TEST_F(CommandStateTest, EmptyDocumentCannotBeSearched)
{
    run("FileNewItem");
    expectEnabled({"SelectionnerItem", "RechercherItem", "RechercherNextItem", "RemplacerItem"}, false,
                  "empty document");
    type(QStringLiteral("x"));
    expectEnabled({"SelectionnerItem", "RechercherItem", "RechercherNextItem", "RemplacerItem"}, true,
                  "document with text");
}

TEST_F(CommandStateTest, ActivationFollowsTheDocumentThatComesForward)
{
    TMDIChild &plain = open(writeFile(QStringLiteral("a.txt"), "a"));
    run("FileNewItem");
    expectEnabled(FormattingRow, true, "rich document active");
    form->MdiArea->setActiveSubWindow(plain.subWindow());
    settle();
    EXPECT_EQ(form->ActiveChild, &plain);
    expectEnabled(FormattingRow, false, "plain document active");
}

TEST_F(CommandStateTest, FontButtonReplacesTheBoxesOnASideDock)
{
    run("FileNewItem");
    EXPECT_FALSE(item("BtnFont").isVisible());
    EXPECT_TRUE(form->ComboFontAction->isVisible());
    form->addToolBar(Qt::LeftToolBarArea, form->Attributs);
    settle();
    EXPECT_TRUE(item("BtnFont").isVisible());
    EXPECT_TRUE(item("BtnFont").isEnabled());
    EXPECT_FALSE(form->ComboFontAction->isVisible());
    EXPECT_FALSE(form->ComboSizeAction->isVisible());
    form->addToolBar(Qt::BottomToolBarArea, form->Attributs);
    settle();
    EXPECT_FALSE(item("BtnFont").isVisible());
    EXPECT_TRUE(form->ComboSizeAction->isVisible());
}

TEST_F(CommandStateTest, DockingTheFormattingBarKeepsTheBoxesState)
{
    const struct {
        const char *document;
        bool enabled;
    } cases[] = {{"", false}, {"lettre.txt", false}, {"note.rtf", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.document);
        form->MdiArea->closeAllSubWindows();
        settle();
        if (*c.document)
            open(writeFile(QLatin1String(c.document), "{\\rtf1 Bonjour}"));
        for (Qt::ToolBarArea area : {Qt::LeftToolBarArea, Qt::TopToolBarArea, Qt::RightToolBarArea,
                                     Qt::BottomToolBarArea, Qt::TopToolBarArea}) {
            form->addToolBar(area, form->Attributs);
            settle();
            // What the bar hides is disabled with it; what it shows follows the document.
            if (area == Qt::LeftToolBarArea || area == Qt::RightToolBarArea) {
                EXPECT_EQ(item("BtnFont").isEnabled(), c.enabled) << "docked at " << area;
            } else {
                EXPECT_EQ(form->ComboFont->isEnabled(), c.enabled) << "docked at " << area;
                EXPECT_EQ(form->ComboSize->isEnabled(), c.enabled) << "docked at " << area;
            }
        }
    }
}

} // namespace
} // namespace ombre::test
