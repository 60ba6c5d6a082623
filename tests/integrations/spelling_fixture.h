#pragma once
// A frame whose spelling works on the machine's French dictionary, with a custom dictionary of
// the test's own, and the checking dialog at hand.

#include "editor/editor_fixture.h"
#include "integrations/spelling/misspelling_box.h"
#include "integrations/spelling/spell_checker.h"
#include "integrations/spelling/speller_dialog.h"
#include "platform/registry.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTextCursor>

namespace ombre::test {

class SpellingTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        RegWriteStr(CustomDictionariesKey, QStringLiteral("1"), customDictionary());
        ASSERT_TRUE(form->SpellerAvailable) << "the French dictionary (hunspell-fr) is not installed";
    }

    QString customDictionary() const { return path(QStringLiteral("mots/CUSTOM.DIC")); }

    QTextEdit &documentWith(const QString &text, int caret = 0)
    {
        run("FileNewItem");
        type(text);
        QTextCursor cursor = active().RichEdit->textCursor();
        cursor.setPosition(caret);
        active().RichEdit->setTextCursor(cursor);
        return *active().RichEdit;
    }

    TSpellerDialog *dialog() const { return form->Speller->dialog(); }

    QPushButton &button(const char *name) const
    {
        auto *found = dialog() ? dialog()->findChild<QPushButton *>(QLatin1String(name)) : nullptr;
        if (!found)
            throw std::runtime_error(std::string("no dialog button ") + name);
        return *found;
    }

    void click(const char *name)
    {
        button(name).click();
        settle();
    }

    // The word the dialog shows in red.
    QString shownWord() const { return dialog() ? dialog()->Misspelling->typedWord() : QString(); }

    QStringList suggestionsShown() const
    {
        QStringList list;
        for (int i = 0; dialog() && i < dialog()->Variants->count(); ++i)
            list << dialog()->Variants->item(i)->text();
        return list;
    }

    static QString finishText() { return QStringLiteral("La vérification orthographique est terminée."); }

    // The check ended with its message.
    void expectFinished()
    {
        EXPECT_EQ(dialog(), nullptr);
        const auto shown = modal.messages();
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back().text, finishText());
        EXPECT_EQ(shown.back().title, QStringLiteral("Message"));
        EXPECT_EQ(shown.back().icon, QMessageBox::Information);
    }
};

} // namespace ombre::test
