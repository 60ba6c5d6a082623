// The dictionaries menu and the spelling form of a document's context menu, through the frame;
// and the dictionaries menu over a machine of the test's own.

#include "integrations/spelling/dictionary_menu.h"
#include "integrations/spelling_fixture.h"
#include "editor/mdi_child.h"
#include "platform/machine_view.h"

#include <QActionGroup>
#include <QMenu>
#include <QTest>

namespace ombre::test {
namespace {

class ContextMenuTest : public SpellingTest {
protected:
    // Opens the context menu at the start of `word`'s first occurrence; returns its captions.
    QStringList rightClick(const QString &onWord = QString())
    {
        QTextEdit &editor = *active().RichEdit;
        QPoint at(2, 2);
        if (!onWord.isEmpty()) {
            QTextCursor cursor(editor.document());
            cursor.setPosition(int(editor.toPlainText().indexOf(onWord)) + 1);
            at = editor.cursorRect(cursor).center();
        }
        emit editor.customContextMenuRequested(at);
        QStringList captions;
        for (QAction *item : active().ChildPopup->actions())
            captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
        active().ChildPopup->hide();
        return captions;
    }

    QAction *popupItem(const QString &caption) const
    {
        for (QAction *item : active().ChildPopup->actions())
            if (item->text() == caption)
                return item;
        return nullptr;
    }
};

TEST_F(ContextMenuTest, AMisspelledSelectionOffersItsSuggestionsThenTheCheck)
{
    documentWith(QStringLiteral("Une fote ici."));
    select(4, 8);
    const QStringList captions = rightClick();
    ASSERT_GE(captions.size(), 3);
    EXPECT_EQ(captions.first(), QStringLiteral("faute"));
    EXPECT_EQ(captions.mid(captions.size() - 2), QStringList({QStringLiteral("-"), QStringLiteral("&Orthographe...")}));
    EXPECT_FALSE(captions.contains(QStringLiteral("Co&pier")));
    EXPECT_EQ(popupItem(QStringLiteral("&Orthographe..."))->statusTip(), QStringLiteral("Vérifier l'orthographe"));

    popupItem(QStringLiteral("faute"))->trigger();
    EXPECT_EQ(active().RichEdit->toPlainText(), QStringLiteral("Une faute ici."));

    // "&Orthographe..." runs the check.
    documentWith(QStringLiteral("Deux fote."));
    select(5, 9);
    rightClick();
    modal.answerMessage(QMessageBox::Ok);
    popupItem(QStringLiteral("&Orthographe..."))->trigger();
    settle();
    ASSERT_NE(dialog(), nullptr);
    click("CancelButton");
    expectFinished();
}

TEST_F(ContextMenuTest, ARightClickOnAMisspelledWordNeedsNoSelection)
{
    documentWith(QStringLiteral("Il est ajourd'hui là."));
    EXPECT_EQ(rightClick(QStringLiteral("ajourd")).value(0), QStringLiteral("aujourd'hui"));
    popupItem(QStringLiteral("aujourd'hui"))->trigger();
    EXPECT_EQ(active().RichEdit->toPlainText(), QStringLiteral("Il est aujourd'hui là."));
}

TEST_F(ContextMenuTest, AWordWithoutSuggestionShowsOnlyTheCheck)
{
    documentWith(QStringLiteral("xqzwkvj"));
    select(0, 7);
    EXPECT_EQ(rightClick(), QStringList({QStringLiteral("&Orthographe...")}));
}

TEST_F(ContextMenuTest, TheUsualMenuOtherwise)
{
    struct Case {
        const char *name;
        const char *text;
        int from, to; // selection
        bool interactive;
        bool readOnly;
    };
    const Case cases[] = {
        {"known word", "Une faute ici.", 4, 9, true, false},
        {"several words", "Une fote ici.", 0, 8, true, false},
        {"part of a word", "Une fote ici.", 4, 6, true, false},
        {"option off", "Une fote ici.", 4, 8, false, false},
        {"read-only document", "Une fote ici.", 4, 8, true, true},
    };
    for (const Case &c : cases) {
        ProgramOptions().Interactive = c.interactive;
        documentWith(QString::fromUtf8(c.text));
        select(c.from, c.to);
        active().setReadOnly(c.readOnly);
        EXPECT_EQ(rightClick().value(0), QStringLiteral("&Annuler")) << c.name;
    }
}

using UnderlineTest = SpellingTest;

TEST_F(UnderlineTest, EveryDocumentIsUnderlinedWhileTheOptionIsOn)
{
    QTextEdit &editor = documentWith(QStringLiteral("Une fote ici.\n"));
    active().setModified(false);
    const auto underlined = [&] {
        QStringList words;
        for (const QTextEdit::ExtraSelection &selection : editor.extraSelections())
            words << selection.cursor.selectedText();
        return words;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !underlined().isEmpty(); }));
    EXPECT_EQ(underlined(), QStringList({QStringLiteral("fote")}));
    EXPECT_FALSE(active().isModified());

    // Off in the settings: the underlines go; on again: they come back.
    ProgramOptions().Background = false;
    form->ApplyBackgroundOption();
    EXPECT_TRUE(underlined().isEmpty());
    ProgramOptions().Background = true;
    form->ApplyBackgroundOption();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !underlined().isEmpty(); }));

    // A word added to the dictionary loses its underline.
    modal.answerMessage(QMessageBox::Ok);
    run("OrthographeItem");
    click("AddButton");
    expectFinished();
    EXPECT_TRUE(QTest::qWaitFor([&] { return underlined().isEmpty(); }));
}

class DictionaryMenuTest : public SpellingTest {};

TEST_F(DictionaryMenuTest, ListsTheInstalledLanguagesAndSwitchesTheSpeller)
{
    QMenu &menu = *item("DictionnairesItem").menu();
    ASSERT_FALSE(menu.actions().isEmpty());
    QStringList names;
    QAction *english = nullptr;
    for (QAction *language : menu.actions()) {
        names << language->text();
        EXPECT_EQ(language->isChecked(), language->data().toInt() == 1036) << language->text().toStdString();
        EXPECT_EQ(language->statusTip(), QStringLiteral("Utiliser ce dictionnaire pour la correction orthographique"));
        if (language->data().toInt() == 1033)
            english = language;
    }
    EXPECT_TRUE(names.contains(QStringLiteral("Français (France)")));
    ASSERT_NE(english, nullptr) << "the English dictionary (hunspell-en-us) is not installed";
    ASSERT_TRUE(english->actionGroup() && english->actionGroup()->isExclusive());

    documentWith(QStringLiteral("The colour of the house."));
    english->trigger();
    EXPECT_TRUE(english->isChecked());
    EXPECT_EQ(ProgramOptions().Dictionary, 1033);
    EXPECT_EQ(form->Speller->language(), 1033);
    EXPECT_TRUE(form->SpellerAvailable);
    EXPECT_TRUE(item("OrthographeItem").isEnabled());
    modal.answerMessage(QMessageBox::Ok);
    run("OrthographeItem");
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->windowTitle(), QStringLiteral("Orthographe : Anglais (États-Unis)"));
    EXPECT_EQ(shownWord(), QStringLiteral("colour"));
    click("CancelButton");
    expectFinished();
}

TEST(InstalledDictionariesTest, NamesAndSortsTheLanguagesOfADictionaryFolder)
{
    QTemporaryDir folder;
    for (const char *base : {"fr_FR", "en_US", "de_DE", "fr_BE", "xx_YY", "es_ES_noaff"}) {
        for (const char *suffix : {".dic", ".aff"}) {
            if (QByteArray(base) == "es_ES_noaff" && QByteArray(suffix) == ".aff")
                continue;
            QFile file(folder.filePath(QLatin1String(base) + QLatin1String(suffix)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    const MachineView machine({{folder.path()}, folder.filePath(QStringLiteral("fr_FR.dic"))});
    QStringList names;
    for (const InstalledDictionary &dictionary : installedDictionaries(machine))
        names << dictionary.name;
    EXPECT_EQ(names, QStringList({QStringLiteral("Allemand (Allemagne)"), QStringLiteral("Anglais (États-Unis)"),
                                  QStringLiteral("Français (Belgique)"), QStringLiteral("Français (France)")}));

    QMenu menu;
    int chosen = 0;
    fillDictionaryMenu(menu, installedDictionaries(machine), 2060, [&](int language) { chosen = language; });
    // Built again (the frame never does it twice, but a second fill must not keep old items).
    fillDictionaryMenu(menu, installedDictionaries(machine), 2060, [&](int language) { chosen = language; });
    ASSERT_EQ(menu.actions().size(), 4);
    EXPECT_TRUE(menu.actions().at(2)->isChecked());
    menu.actions().at(0)->trigger();
    EXPECT_EQ(chosen, 1031);
    EXPECT_TRUE(menu.actions().at(0)->isChecked());
    EXPECT_FALSE(menu.actions().at(2)->isChecked());
}

} // namespace
} // namespace ombre::test
