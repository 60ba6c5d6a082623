#include "settings/settings_dialog.h"

#include "platform/registry.h"
#include "settings/formulas.h"
#include "settings/options.h"
#include "settings_fixture.h"
#include "support/scripted_modal.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QApplication>

namespace ombre {
namespace {

using test::ScriptedModal;

template <typename W>
W *child(QDialog &dialog, const char *name)
{
    W *widget = dialog.findChild<W *>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void click(QDialog &dialog, const char *button)
{
    child<QPushButton>(dialog, button)->click();
}

bool checked(QDialog &dialog, const char *box)
{
    return dialog.findChild<QAbstractButton *>(QLatin1String(box))->isChecked();
}

// The options a user might have after a while, every one away from its default.
TProgramOptions customised()
{
    TProgramOptions o;
    o.RichTextFont.font = QFont(QStringLiteral("Courier New"), 12);
    o.RichTextFont.color = Qt::blue;
    o.Splash = false;
    o.Desktop = false;
    o.Password = true;
    o.Authenticity = false;
    o.Format = FormatAge;
    o.Proportional = true;
    o.MdiSize = true;
    o.Wordwrap = false;
    o.Interactive = false;
    o.Background = false;
    o.ReadOnly = false;
    o.Symboles = QStringLiteral("§");
    o.Signature = QStringLiteral("Jean\r\nParis");
    o.Onglet = 3;
    o.OwnerName = QStringLiteral("Jean Dupont");
    return o;
}

void expectSameOptions(const TProgramOptions &a, const TProgramOptions &b)
{
    EXPECT_EQ(a.RichTextFont.font, b.RichTextFont.font);
    EXPECT_EQ(a.RichTextFont.color, b.RichTextFont.color);
    EXPECT_EQ(a.Splash, b.Splash);
    EXPECT_EQ(a.Desktop, b.Desktop);
    EXPECT_EQ(a.Password, b.Password);
    EXPECT_EQ(a.Authenticity, b.Authenticity);
    EXPECT_EQ(a.Format, b.Format);
    EXPECT_EQ(a.Proportional, b.Proportional);
    EXPECT_EQ(a.MdiSize, b.MdiSize);
    EXPECT_EQ(a.Wordwrap, b.Wordwrap);
    EXPECT_EQ(a.Interactive, b.Interactive);
    EXPECT_EQ(a.Background, b.Background);
    EXPECT_EQ(a.ReadOnly, b.ReadOnly);
    EXPECT_EQ(a.Symboles, b.Symboles);
    EXPECT_EQ(a.Signature, b.Signature);
    EXPECT_EQ(a.Onglet, b.Onglet);
    EXPECT_EQ(a.OwnerName, b.OwnerName);
    EXPECT_EQ(a.Formule, b.Formule);
}

class SettingsDialogTest : public test::SettingsTest {
protected:
    void SetUp() override
    {
        test::SettingsTest::SetUp();
        StoreFormulaLines({QStringLiteral("Cher ami,"), QStringLiteral("Amitiés, <>.")});
    }

    // Opens the dialog on `options`, lets `script` drive it, and tells whether it closed with OK
    // and whether the main window was asked to refresh.
    bool run(TProgramOptions &options, std::function<void(QDialog &)> script, bool *refreshed = nullptr)
    {
        modal_.answerDialog(std::move(script));
        int refreshes = 0;
        const bool accepted = ShowSettingsDialog(nullptr, options, [&] { ++refreshes; });
        if (refreshed)
            *refreshed = refreshes == 1;
        EXPECT_EQ(refreshes, accepted ? 1 : 0);
        EXPECT_TRUE(modal_.allAnswered());
        return accepted;
    }

    ScriptedModal modal_;
};

TEST_F(SettingsDialogTest, OpensOnTheOptionsAndPage)
{
    TProgramOptions o = customised();
    run(o, [](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Paramètres"));
        EXPECT_EQ(child<QTabWidget>(d, "Onglets")->currentIndex(), 3);
        EXPECT_FALSE(checked(d, "CheckSplash"));
        EXPECT_FALSE(checked(d, "CheckBureau"));
        EXPECT_TRUE(checked(d, "CheckPassword"));
        EXPECT_FALSE(checked(d, "CheckAuthentic"));
        EXPECT_TRUE(checked(d, "RadioAge"));
        EXPECT_FALSE(checked(d, "RadioCompatible"));
        EXPECT_EQ(child<QRadioButton>(d, "RadioCompatible")->text(), QStringLiteral("Compatible (PC1)"));
        EXPECT_EQ(child<QRadioButton>(d, "RadioAge")->text(), QStringLiteral("Renforcé (age)"));
        EXPECT_TRUE(checked(d, "RadioArial"));
        EXPECT_FALSE(checked(d, "RadioCourier"));
        EXPECT_TRUE(checked(d, "CheckMDISize"));
        EXPECT_FALSE(checked(d, "CheckWordwrap"));
        EXPECT_FALSE(checked(d, "CheckInteractif"));
        EXPECT_FALSE(checked(d, "CheckBackground"));
        EXPECT_FALSE(checked(d, "CheckReadOnly"));
        EXPECT_EQ(child<QLabel>(d, "Exemple")->font().family(), QStringLiteral("Courier New"));
        EXPECT_EQ(child<QLineEdit>(d, "EditSymbole")->text(), QStringLiteral("§"));
        EXPECT_EQ(child<QPlainTextEdit>(d, "MemoSignature")->toPlainText(), QStringLiteral("Jean\nParis"));
        EXPECT_EQ(child<QPlainTextEdit>(d, "MemoFormule")->toPlainText(), QStringLiteral("Cher ami,\nAmitiés, <>."));
        EXPECT_EQ(child<QLineEdit>(d, "EditAuthentification")->text(), QStringLiteral("Jean Dupont"));
    });

    for (const int outOfRange : {6, -1, 1000}) {
        o.Onglet = outOfRange;
        run(o, [](QDialog &d) { EXPECT_EQ(child<QTabWidget>(d, "Onglets")->currentIndex(), 0); });
    }
}

TEST_F(SettingsDialogTest, DefaultThenCancelChangesNothing)
{
    TProgramOptions o = customised();
    const TProgramOptions before = o;
    const QByteArray storeBefore = storeBytes();
    modal_.answerDialog([](QDialog &d) {
        click(d, "BtnDefaut");
        // The controls show the defaults...
        EXPECT_TRUE(checked(d, "CheckSplash"));
        EXPECT_FALSE(checked(d, "CheckPassword"));
        EXPECT_TRUE(checked(d, "RadioCompatible"));
        EXPECT_FALSE(checked(d, "RadioAge"));
        EXPECT_TRUE(checked(d, "RadioCourier"));
        EXPECT_TRUE(checked(d, "CheckBackground"));
        EXPECT_TRUE(checked(d, "CheckReadOnly"));
        EXPECT_EQ(child<QLabel>(d, "Exemple")->font().family(), QStringLiteral("Arial"));
        EXPECT_EQ(child<QLineEdit>(d, "EditSymbole")->text(), QStringLiteral("# $ % & ' æ © @"));
        EXPECT_TRUE(child<QPlainTextEdit>(d, "MemoSignature")->toPlainText().isEmpty());
        EXPECT_EQ(child<QPlainTextEdit>(d, "MemoFormule")->toPlainText().split(QLatin1Char('\n')), DefaultFormulas());
        EXPECT_EQ(child<QPlainTextEdit>(d, "MemoFormule")->textCursor().position(), 0);
        EXPECT_EQ(child<QLineEdit>(d, "EditAuthentification")->text(), QStringLiteral("Jean Dupont"));
        click(d, "BtnAnnuler");
    });
    modal_.answerMessage(QMessageBox::Yes);
    modal_.answerMessage(QMessageBox::Ok);
    int refreshes = 0;
    EXPECT_FALSE(ShowSettingsDialog(nullptr, o, [&] { ++refreshes; }));

    // ...but nothing reached the options or the store.
    expectSameOptions(o, before);
    EXPECT_EQ(storeBytes(), storeBefore);
    EXPECT_EQ(refreshes, 0);
    const auto shown = modal_.messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(shown[0].text, QStringLiteral("Attention, vous allez modifier et régler\r\nles options avec leurs valeurs "
                                            "initiales.\r\n\r\nEtes-vous sûr de réaliser cela ?"));
    EXPECT_EQ(shown[1].icon, QMessageBox::Information);
    EXPECT_EQ(shown[1].text, QStringLiteral("Les options ont été restaurées.\r\n\r\nVous pouvez utiliser le bouton "
                                            "Annuler pour les ignorer."));
}

TEST_F(SettingsDialogTest, DefaultAnsweredNoKeepsTheControls)
{
    TProgramOptions o = customised();
    run(o, [this](QDialog &d) {
        modal_.answerMessage(QMessageBox::No);
        click(d, "BtnDefaut");
        EXPECT_FALSE(checked(d, "CheckSplash"));
        EXPECT_EQ(child<QPlainTextEdit>(d, "MemoFormule")->toPlainText(), QStringLiteral("Cher ami,\nAmitiés, <>."));
    });
    EXPECT_EQ(modal_.messages().size(), 1u);
}

TEST_F(SettingsDialogTest, OkStoresEveryControl)
{
    TProgramOptions o;
    QFont chosen(QStringLiteral("Times New Roman"), 16);
    chosen.setItalic(true);
    bool refreshed = false;
    EXPECT_TRUE(run(
        o,
        [&](QDialog &d) {
            modal_.answerFontAndColor(FontChoice{chosen, QColor(Qt::red)});
            click(d, "BtnPolice");
            EXPECT_EQ(child<QLabel>(d, "Exemple")->font(), chosen);
            child<QCheckBox>(d, "CheckSplash")->setChecked(false);
            child<QCheckBox>(d, "CheckBureau")->setChecked(false);
            child<QCheckBox>(d, "CheckPassword")->setChecked(true);
            child<QCheckBox>(d, "CheckAuthentic")->setChecked(false);
            child<QRadioButton>(d, "RadioAge")->click();
            EXPECT_FALSE(checked(d, "RadioCompatible"));
            child<QRadioButton>(d, "RadioArial")->setChecked(true);
            child<QCheckBox>(d, "CheckMDISize")->setChecked(true);
            child<QCheckBox>(d, "CheckWordwrap")->setChecked(false);
            child<QCheckBox>(d, "CheckInteractif")->setChecked(false);
            child<QCheckBox>(d, "CheckBackground")->setChecked(false);
            child<QCheckBox>(d, "CheckReadOnly")->setChecked(false);
            child<QLineEdit>(d, "EditSymbole")->setText(QStringLiteral("# @"));
            child<QPlainTextEdit>(d, "MemoSignature")->setPlainText(QStringLiteral("Jean\nParis"));
            child<QPlainTextEdit>(d, "MemoFormule")->setPlainText(QStringLiteral("Bonjour,\n\nSalut <> !\n"));
            child<QTabWidget>(d, "Onglets")->setCurrentIndex(4);
            click(d, "BtnOk");
        },
        &refreshed));
    EXPECT_TRUE(refreshed);

    EXPECT_EQ(o.RichTextFont.font, chosen);
    EXPECT_EQ(o.RichTextFont.color, QColor(Qt::red));
    EXPECT_FALSE(o.Splash);
    EXPECT_FALSE(o.Desktop);
    EXPECT_TRUE(o.Password);
    EXPECT_FALSE(o.Authenticity);
    EXPECT_EQ(o.Format, FormatAge);
    EXPECT_TRUE(o.Proportional);
    EXPECT_TRUE(o.MdiSize);
    EXPECT_FALSE(o.Wordwrap);
    EXPECT_FALSE(o.Interactive);
    EXPECT_FALSE(o.Background);
    EXPECT_FALSE(o.ReadOnly);
    EXPECT_EQ(o.Symboles, QStringLiteral("# @"));
    EXPECT_EQ(o.Signature, QStringLiteral("Jean\nParis"));
    EXPECT_EQ(o.Onglet, 4);
    EXPECT_EQ(o.OwnerName, QString());
    // The formulas are stored at once, empty lines leaving gaps; the rest waits for SaveOptions.
    EXPECT_EQ(storedNames(FormulesKey), (std::vector<std::string>{"F0", "F2"}));
    QStringList formulas;
    ASSERT_TRUE(ReadFormulas(formulas));
    EXPECT_EQ(formulas, (QStringList{"Bonjour,", "Salut <> !"}));
    EXPECT_FALSE(RegKeyExists(OptionsKey));
}

TEST_F(SettingsDialogTest, ClearingTheFormulasBringsBackTheSix)
{
    TProgramOptions o;
    o.Formule = 1;
    EXPECT_TRUE(run(o, [](QDialog &d) {
        child<QPlainTextEdit>(d, "MemoFormule")->clear();
        click(d, "BtnOk");
    }));
    QStringList formulas;
    ASSERT_TRUE(ReadFormulas(formulas));
    EXPECT_EQ(formulas, DefaultFormulas());
    EXPECT_EQ(o.Formule, 0);
}

TEST_F(SettingsDialogTest, CancellingTheFontDialogKeepsTheFont)
{
    TProgramOptions o = customised();
    run(o, [this](QDialog &d) {
        modal_.answerFontAndColor(std::nullopt);
        click(d, "BtnPolice");
        EXPECT_EQ(child<QLabel>(d, "Exemple")->font().family(), QStringLiteral("Courier New"));
        click(d, "BtnOk");
    });
    EXPECT_EQ(o.RichTextFont.font.family(), QStringLiteral("Courier New"));
    EXPECT_EQ(o.RichTextFont.color, QColor(Qt::blue));
}

// The owner name is typed in a small form; a name that would not pass the check on the
// recipient's side is taken only after a warning, and nothing is kept on Cancel.
TEST_F(SettingsDialogTest, OwnerNameCanBeSet)
{
    const auto typeName = [this](const QString &name) {
        modal_.answerDialog([name](QDialog &input) {
            static_cast<QInputDialog &>(input).setTextValue(name);
            input.accept();
        });
    };
    struct Case {
        QString typed;
        std::optional<QMessageBox::StandardButton> warningAnswer;
        QString expected;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("  Hélène Légère "), std::nullopt, QStringLiteral("Hélène Légère")},
        {QStringLiteral("J. Dupont & Fils"), QMessageBox::Yes, QStringLiteral("J. Dupont & Fils")},
        {QStringLiteral("Agent 007"), QMessageBox::No, QStringLiteral("Previous")},
        {QString(300, QLatin1Char('a')), QMessageBox::Ok, QStringLiteral("Previous")},
    };
    for (const Case &c : cases) {
        TProgramOptions o;
        o.OwnerName = QStringLiteral("Previous");
        EXPECT_TRUE(run(o, [&](QDialog &d) {
            typeName(c.typed);
            if (c.warningAnswer)
                modal_.answerMessage(*c.warningAnswer);
            click(d, "BtnModifier");
            EXPECT_EQ(child<QLineEdit>(d, "EditAuthentification")->text(), c.expected);
            click(d, "BtnOk");
        }));
        EXPECT_EQ(o.OwnerName, c.expected) << c.typed.toStdString();
        if (c.expected != QStringLiteral("Previous")) {
            EXPECT_EQ(RegReadStr(RootKey, QStringLiteral("OwnerName"), QString()), c.expected);
        }
    }
    const auto shown = modal_.messages();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("J. Dupont & Fils")));
    EXPECT_EQ(shown[2].text, QStringLiteral("Le nom du propriétaire ne peut dépasser 255 caractères."));

    TProgramOptions o;
    o.OwnerName = QStringLiteral("Kept");
    EXPECT_FALSE(run(o, [&](QDialog &d) {
        typeName(QStringLiteral("Ignored"));
        click(d, "BtnModifier");
        click(d, "BtnAnnuler");
    }));
    EXPECT_EQ(o.OwnerName, QStringLiteral("Kept"));
}

TEST_F(SettingsDialogTest, OwnerNameFieldHandsTheFocusToOk)
{
    TProgramOptions o;
    TParametres dialog(o);
    auto *field = child<QLineEdit>(dialog, "EditAuthentification");
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_FALSE(field->focusPolicy() & Qt::TabFocus);
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(field, &focusIn);
    EXPECT_EQ(dialog.focusWidget(), child<QPushButton>(dialog, "BtnOk"));
}

TEST_F(SettingsDialogTest, HelpButtonAsksForHelp)
{
    TProgramOptions o;
    int helps = 0;
    modal_.answerDialog([](QDialog &d) { click(d, "BtnHelp"); });
    EXPECT_FALSE(ShowSettingsDialog(nullptr, o, {}, [&] { ++helps; }));
    EXPECT_EQ(helps, 1);
}

} // namespace
} // namespace ombre
