// The rules the program and the command-line tool share: armour kinds and the password.
#include "cipher/armour_kind.h"
#include "cipher/password_rule.h"

#include <gtest/gtest.h>

namespace ombre {
namespace {

TEST(ArmourKind, NamedByTheExtensionInAnyCase)
{
    struct Case { std::string name; std::optional<ArmourKind> kind; };
    for (const Case &c : {Case{"lettre.cod", ArmourKind::Cod},
                          Case{"LETTRE.UUE", ArmourKind::Uue},
                          Case{"/tmp/envoi.Xxe", ArmourKind::Xxe},
                          Case{"lettre.cod.txt", std::nullopt},
                          Case{"lettre.uuencode", std::nullopt},
                          Case{".cod", std::nullopt},
                          Case{"/tmp/x.cod/lettre", std::nullopt},
                          Case{"cod", std::nullopt}})
        EXPECT_EQ(ArmourKindNamedBy(c.name), c.kind) << c.name;
}

TEST(ArmourKind, OptionAndExtensionOfEachKind)
{
    struct Case { int option; ArmourKind kind; std::string_view extension; };
    for (const Case &c : {Case{0, ArmourKind::Cod, ".cod"}, Case{1, ArmourKind::Uue, ".uue"},
                          Case{2, ArmourKind::Xxe, ".xxe"}}) {
        EXPECT_EQ(ArmourKindOfOption(c.option), c.kind) << c.option;
        EXPECT_EQ(ArmourExtension(c.kind), c.extension);
        EXPECT_EQ(ArmourKindNamedBy(std::string("a") + std::string(c.extension)), c.kind);
    }
    // A value a damaged store may hold writes the plain container.
    for (const int damaged : {-1, 3, 255})
        EXPECT_EQ(ArmourKindOfOption(damaged), ArmourKind::Cod) << damaged;
}

TEST(PasswordRule, OneToTenWindows1252Characters)
{
    struct Case { std::string typed; PasswordProblem problem; std::string key; };
    for (const Case &c : {Case{"Lune", PasswordProblem::None, "Lune"},
                          Case{"àéèçù€œ\r", PasswordProblem::None, "\xE0\xE9\xE8\xE7\xF9\x80\x9C\r"},
                          Case{"1234567890", PasswordProblem::None, "1234567890"},
                          Case{"éééééééééé", PasswordProblem::None, std::string(10, '\xE9')},
                          Case{"", PasswordProblem::Empty, ""},
                          Case{"12345678901", PasswordProblem::TooLong, ""},
                          Case{"ééééééééééé", PasswordProblem::TooLong, ""},
                          Case{"clé-łódź", PasswordProblem::NotAnsi, ""},
                          Case{"łódź-et-beaucoup-trop-long", PasswordProblem::NotAnsi, ""},
                          Case{"bad\xFF", PasswordProblem::NotAnsi, ""}}) {
        std::string key = "ancienne clé";
        EXPECT_EQ(CheckPassword(c.typed, key), c.problem) << c.typed;
        EXPECT_EQ(key, c.key) << c.typed;
    }
}

} // namespace
} // namespace ombre
