// The password fields of both dialogs: what they show, and that nothing they held outlives them.

#include "cipher/cipher.h"
#include "commands/codage_dialog.h"
#include "commands/ouverture_dialog.h"
#include "commands/password.h"
#include "settings/options.h"

#include <QLineEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace ombre {
namespace {

bool allZero(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() == 0; });
}

// Each dialog with its password field, masked or not by the option.
struct Dialog {
    std::unique_ptr<QDialog> window;
    QLineEdit *field;
};

Dialog codage(bool masked)
{
    static TProgramOptions options;
    static CipherState cipher;
    options.Password = masked;
    auto dialog = std::make_unique<TCodage>(nullptr, options, cipher);
    QLineEdit *field = dialog->EditCode;
    return {std::move(dialog), field};
}

Dialog ouverture(bool masked)
{
    auto dialog = std::make_unique<TOuverture>(nullptr, masked);
    QLineEdit *field = dialog->EditCode;
    return {std::move(dialog), field};
}

struct Case {
    const char *name;
    std::function<Dialog(bool)> make;
    bool masked;
};

const Case kCases[] = {
    {"TCodage masked", codage, true},
    {"TCodage shown", codage, false},
    {"TOuverture masked", ouverture, true},
    {"TOuverture shown", ouverture, false},
};

TEST(PasswordField, ShowsAStarForEachCharacterWhenMasked)
{
    for (const Case &c : kCases) {
        Dialog dialog = c.make(c.masked);
        dialog.field->setText(QStringLiteral("Clé-Lune"));
        EXPECT_EQ(dialog.field->displayText(), c.masked ? QStringLiteral("********") : QStringLiteral("Clé-Lune"))
            << c.name;
    }
}

// A copy of the text taken while the field held it (a dialog's handler keeping one across
// accept(), say) shares the field's buffers: forgetting the password wipes them for every owner.
TEST(PasswordField, ForgettingWipesTheBuffersTheFieldHeld)
{
    for (const Case &c : kCases) {
        Dialog dialog = c.make(c.masked);
        QTest::keyClicks(dialog.field, QStringLiteral("Lune-26!")); // typed: the field's own buffers
        const QString text = dialog.field->text();
        const QString shown = dialog.field->displayText();
        ASSERT_EQ(text.size(), 8) << c.name;
        forgetPassword(*dialog.field);
        EXPECT_TRUE(dialog.field->text().isEmpty()) << c.name;
        EXPECT_TRUE(allZero(text)) << c.name << ": the text's buffer";
        EXPECT_TRUE(allZero(shown)) << c.name << ": the display buffer";
    }
}

} // namespace
} // namespace ombre
