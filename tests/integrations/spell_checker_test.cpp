// The spelling component apart from the frame: where it finds its dictionary, the errors it
// raises, and what the dialog shows for each status of the engine.

#include "integrations/integration_host.h"
#include "integrations/spelling/error_presentation.h"
#include "integrations/spelling/hunspell_csapi.h"
#include "integrations/spelling/spell_checker.h"
#include "integrations/spelling/spell_error.h"
#include "platform/machine_view.h"
#include "platform/registry.h"
#include "integrations/spelling/spell_tokens.h"
#include "integrations/spelling/speller_dialog.h"
#include "support/scripted_modal.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QLabel>
#include <QWidget>
#include <map>
#include <gtest/gtest.h>

namespace ombre::test {
namespace {

using csapi::Status;
using ombre::test::ScriptedModal;

class NoDocument : public IntegrationHost {
public:
    QTextEdit *ActiveEditor() const override { return nullptr; }
    QDateTime CurrentDateTime() const override { return {}; }
};

// A machine whose only dictionary is the French of France, under a folder of the test's own.
class FrenchOnlyMachine : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *suffix : {".aff", ".dic"})
            ASSERT_TRUE(QFile::link(QStringLiteral("/usr/share/hunspell/fr_FR") + QLatin1String(suffix),
                                    folder.filePath(QStringLiteral("fr_FR")) + QLatin1String(suffix)))
                << "the French dictionary (hunspell-fr) is not installed";
        RegWriteStr(CustomDictionariesKey, QStringLiteral("1"), folder.filePath(QStringLiteral("CUSTOM.DIC")));
    }

    MachineView machine() const { return MachineView({{folder.path()}, MachineView::installedSources().engine}); }

    QTemporaryDir folder;
    QWidget window;
    NoDocument host;
};

TEST_F(FrenchOnlyMachine, ALanguageWithoutItsOwnKeyUsesItsPrimaryLanguage)
{
    const MachineView french = machine();
    TSpellChecker speller(window, host, french, LoadHunspellEngine);
    speller.setLanguage(0x080C); // Belgian French: no key of its own here
    EXPECT_EQ(speller.language(), 0x080C);
    ASSERT_TRUE(speller.available());
    speller.open();
    ASSERT_TRUE(speller.isOpen());
    EXPECT_FALSE(speller.wordTest(QStringLiteral("fote")));
    EXPECT_TRUE(speller.wordTest(QStringLiteral("aujourd'hui")));

    // The language stays while open, and only a known language is taken.
    speller.setLanguage(1033);
    EXPECT_EQ(speller.language(), 0x080C);
    speller.close();
    speller.setLanguage(4321);
    EXPECT_EQ(speller.language(), 0x080C);
    speller.setLanguage(1033);
    EXPECT_EQ(speller.language(), 1033);
    EXPECT_FALSE(speller.available()) << "no English here";
}

TEST_F(FrenchOnlyMachine, EngineFailuresBecomeTheirMessages)
{
    const MachineView french = machine();
    {
        TSpellChecker speller(window, host, french, [](const QString &) { return nullptr; });
        try {
            speller.open();
            FAIL() << "no error";
        } catch (const ESpellError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("Impossible de charger le dictionnaire"));
        }
        EXPECT_FALSE(speller.isOpen());
    }
    // The dictionary went away after the machine was looked at.
    QFile::remove(folder.filePath(QStringLiteral("fr_FR.aff")));
    TSpellChecker speller(window, host, french, LoadHunspellEngine);
    try {
        speller.open();
        FAIL() << "no error";
    } catch (const ESpellError &error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("Erreur du dictionnaire No %1").arg(quint32(csapi::Error::FileOpen)));
    }
    EXPECT_FALSE(speller.isOpen());
}

// An engine that reports the words of its script with their status, and knows every other word.
class ScriptedEngine final : public csapi::Csapi {
public:
    explicit ScriptedEngine(std::map<QString, Status> script) : m_script(std::move(script)) {}

    csapi::Version SpellVer() const override { return {1, QStringLiteral("script")}; }
    csapi::Error SpellInit(csapi::SpellerId &speller, const csapi::SpecialChars &) override
    {
        speller = 1;
        return csapi::Error::None;
    }
    csapi::Error SpellOptions(csapi::SpellerId, quint16) override { return csapi::Error::None; }
    csapi::Error SpellCheck(csapi::SpellerId, csapi::Command command, const csapi::InputBuffer &input,
                            csapi::ReturnBuffer &result) override
    {
        result = {};
        if (command == csapi::Command::Suggest || command == csapi::Command::SuggestMore) {
            result.status = Status::NoMoreSuggestions;
            return csapi::Error::None;
        }
        for (WordSpan word = nextWord(input.text, 0); word.length > 0; word = nextWord(input.text, word.end())) {
            const auto found = m_script.find(input.text.mid(word.start, word.length).toString());
            if (found != m_script.end()) {
                result.status = found->second;
                result.errorOffset = word.start;
                result.errorLength = word.length;
                return csapi::Error::None;
            }
        }
        return csapi::Error::None;
    }
    csapi::Error SpellTerminate(csapi::SpellerId, bool) override { return csapi::Error::None; }
    csapi::Error SpellVerifyMdr(const QString &, csapi::LanguageId, csapi::LanguageId &) override
    {
        return csapi::Error::None;
    }
    csapi::Error SpellOpenMdr(csapi::SpellerId, const QString &, const QString &, bool, bool, csapi::LanguageId,
                              csapi::MdrInfo &) override
    {
        return csapi::Error::None;
    }
    csapi::Error SpellOpenUdr(csapi::SpellerId, const QString &, bool, csapi::UdrId, csapi::UdrId &, bool &) override
    {
        return csapi::Error::None;
    }
    csapi::Error SpellAddUdr(csapi::SpellerId, csapi::UdrId, const QString &) override { return csapi::Error::None; }
    csapi::Error SpellAddChangeUdr(csapi::SpellerId, csapi::UdrId, const QString &, const QString &) override
    {
        return csapi::Error::None;
    }
    csapi::Error SpellDelUdr(csapi::SpellerId, csapi::UdrId, const QString &) override { return csapi::Error::None; }
    csapi::Error SpellClearUdr(csapi::SpellerId, csapi::UdrId) override { return csapi::Error::None; }
    csapi::Error SpellGetSizeUdr(csapi::SpellerId, csapi::UdrId, int &) override { return csapi::Error::None; }
    csapi::Error SpellGetListUdr(csapi::SpellerId, csapi::UdrId, int, QStringList &) override
    {
        return csapi::Error::None;
    }
    csapi::Error SpellCloseMdr(csapi::SpellerId, const csapi::MdrInfo &) override { return csapi::Error::None; }
    csapi::Error SpellCloseUdr(csapi::SpellerId, csapi::UdrId, bool) override { return csapi::Error::None; }

private:
    std::map<QString, Status> m_script;
};

TEST_F(FrenchOnlyMachine, ARepeatedWordCanOnlyBeDeletedWithTheSpaceBeforeItOrSkipped)
{
    ScriptedModal modal;
    const MachineView french = machine();
    const std::map<QString, Status> script = {{QStringLiteral("lé"), Status::RepeatWord}};
    TSpellChecker speller(window, host, french, [&](const QString &) { return std::make_unique<ScriptedEngine>(script); });
    speller.open();
    QTextEdit editor;
    for (const auto &[text, result] : {std::pair{"Il voit le lé chat.", "Il voit le chat."},
                                       std::pair{"lé début", " début"}}) {
        editor.setPlainText(QString::fromUtf8(text));
        modal.answerMessage(QMessageBox::Ok);
        speller.check(editor);
        TSpellerDialog *dialog = speller.dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->InfoMsg->text(), QStringLiteral("Mot répété"));
        EXPECT_EQ(dialog->focusWidget(), dialog->SkipButton);
        EXPECT_TRUE(dialog->DelButton->isEnabled());
        EXPECT_TRUE(dialog->SkipButton->isEnabled());
        for (QPushButton *off : {dialog->ChangeButton, dialog->ChangeAllButton, dialog->SkipAllButton, dialog->AddButton})
            EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
        dialog->DelButton->click();
        EXPECT_EQ(speller.dialog(), nullptr);
        EXPECT_EQ(editor.toPlainText(), QString::fromUtf8(result));
    }
    EXPECT_TRUE(modal.allAnswered());
}

TEST(ErrorPresentationTest, EachStatusHasItsLabelSuggestionsAndButtons)
{
    const QStringList engine = {QStringLiteral("faute"), QStringLiteral("fête")};
    struct Row {
        Status status;
        const char *word;
        const char *label;
        QStringList suggestions;
        // change, changeAll, skip, skipAll, add, del, retype, focusOnSkip
        std::array<bool, 8> buttons;
    };
    const Row rows[] = {
        {Status::UnknownInputWord, "fote", "A&bsent du dictionnaire", engine, {1, 1, 1, 1, 1, 0, 1, 0}},
        {Status::ReturningChangeOnce, "fote", "A&bsent du dictionnaire",
         {QStringLiteral("fauté"), QStringLiteral("faute"), QStringLiteral("fête")}, {1, 1, 1, 0, 0, 0, 1, 0}},
        {Status::InvalidHyphenation, "fote", "Erreur", engine, {1, 1, 1, 0, 0, 0, 1, 0}},
        {Status::ErrorCapitalization, "fote", "Erreur", engine, {1, 1, 1, 0, 0, 0, 1, 0}},
        {Status::NoSentenceStartCap, "été", "Erreur", {QStringLiteral("Été")}, {1, 1, 1, 0, 0, 0, 1, 0}},
        {Status::WordConsideredAbbreviation, "etc", "Abbréviation possible", {}, {0, 0, 1, 0, 0, 0, 1, 0}},
        {Status::ExtraSpaces, "le   chat", "Double espace", {QStringLiteral("le chat")}, {1, 1, 1, 0, 0, 0, 1, 0}},
        {Status::RepeatWord, "le le", "Mot répété", {}, {0, 0, 1, 0, 0, 1, 0, 1}},
        {Status::MissingSpace, "fin.Début", "Espace oublié", {}, {0, 0, 1, 0, 0, 0, 0, 0}},
        {Status::InitialNumeral, "3mots", "Mot commençant par un chiffre", {}, {0, 0, 1, 0, 0, 0, 0, 0}},
    };
    for (const Row &row : rows) {
        const std::optional<ErrorPresentation> shown =
            presentError(row.status, QString::fromUtf8(row.word), [&] { return engine; }, QStringLiteral("fauté"),
                         QLocale(QLocale::French, QLocale::France));
        ASSERT_TRUE(shown) << int(row.status);
        EXPECT_EQ(shown->label, QString::fromUtf8(row.label)) << int(row.status);
        EXPECT_EQ(shown->suggestions, row.suggestions) << int(row.status);
        const std::array<bool, 8> buttons = {shown->change, shown->changeAll, shown->skip,   shown->skipAll,
                                             shown->add,    shown->del,       shown->retype, shown->focusOnSkip};
        EXPECT_EQ(buttons, row.buttons) << int(row.status);
    }
    // A replacement stored for a change-once word is not shown twice.
    EXPECT_EQ(presentError(Status::ReturningChangeOnce, QStringLiteral("fote"), [&] { return engine; },
                           QStringLiteral("fête"), QLocale())
                  ->suggestions,
              engine);
    // An unknown word without suggestion can be skipped, ignored or added, not replaced.
    const auto bare = presentError(Status::UnknownInputWord, QStringLiteral("xqzw"), [] { return QStringList(); },
                                   QString(), QLocale());
    EXPECT_FALSE(bare->change || bare->changeAll);
    EXPECT_TRUE(bare->skip && bare->skipAll && bare->add);
    // Statuses without a row change nothing.
    for (Status none : {Status::NoErrors, Status::HyphChangesSpelling, Status::NoMoreSuggestions})
        EXPECT_FALSE(presentError(none, QStringLiteral("x"), [] { return QStringList(); }, QString(), QLocale()));
}

} // namespace
} // namespace ombre::test
