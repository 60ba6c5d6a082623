// The splash at the start: when it shows (its option, the command line), how long it stays, and
// the window itself.

#include "integrations/startup/splash.h"
#include "platform/registry.h"
#include "platform/store_names.h"
#include "settings/options.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <optional>

namespace ombre::test {
namespace {

// A clock the splash's pauses move forward; it also notes whether the splash was on screen
// while it waited.
struct FakeClock {
    std::int64_t now = 0;
    std::int64_t waited = 0;
    bool splashShownDuringWait = true;

    SplashWait wait()
    {
        return {[this] { return now; },
                [this](std::int64_t milliseconds) {
                    EXPECT_GT(milliseconds, 0);
                    splashShownDuringWait = splashShownDuringWait && splashOnScreen();
                    now += milliseconds;
                    waited += milliseconds;
                }};
    }

    static bool splashOnScreen()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (qobject_cast<TfrmSplash *>(window) && window->isVisible())
                return true;
        return false;
    }
};

class SplashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Morvandel"))
            .removeRecursively();
        ProgramOptions() = TProgramOptions();
    }
};

TEST_F(SplashTest, ShownOnlyWhenItsOptionIsOnAndNoArgumentIsGiven)
{
    const struct {
        const char *what;
        std::optional<bool> stored;
        QStringList arguments;
        bool shown;
    } cases[] = {
        {"option missing", std::nullopt, {}, true},
        {"option on", true, {}, true},
        {"option off", false, {}, false},
        {"a file given", true, {QStringLiteral("lettre.rtf")}, false},
        {"a file given, option missing", std::nullopt, {QStringLiteral("lettre.rtf")}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        if (c.stored) {
            ASSERT_TRUE(RegWriteBool(OptionsKey, QStringLiteral("Splash"), *c.stored));
        }
        FakeClock clock;
        clock.now = 40'000;
        const std::unique_ptr<TfrmSplash> splash = ShowSplash(c.arguments, clock.wait());
        EXPECT_EQ(splash != nullptr, c.shown);
        EXPECT_EQ(clock.waited > 0, c.shown) << "no splash, no wait";
        EXPECT_EQ(ProgramOptions().Splash, !c.stored || *c.stored);
    }
}

TEST_F(SplashTest, StaysUntilTheThirdWholeSecondAfterItShowed)
{
    const struct {
        std::int64_t start;
        std::int64_t waited;
    } cases[] = {
        {12'000, 3'000}, // at the start of a second: 3 s
        {12'001, 2'999},
        {12'999, 2'001}, // at its end: just over 2 s
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.start);
        FakeClock clock;
        clock.now = c.start;
        const std::unique_ptr<TfrmSplash> splash = ShowSplash({}, clock.wait());
        ASSERT_NE(splash, nullptr);
        EXPECT_EQ(clock.waited, c.waited);
        EXPECT_TRUE(clock.splashShownDuringWait) << "shown and painted before the wait";
        EXPECT_TRUE(splash->isVisible());
    }
}

TEST_F(SplashTest, WindowCarriesThePictureTitleAndOwnerName)
{
    ASSERT_TRUE(SaveOwnerName(QStringLiteral("Hélène Dupré")));
    FakeClock clock;
    const std::unique_ptr<TfrmSplash> splash = ShowSplash({}, clock.wait());
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->size(), QSize(407, 205));
    EXPECT_EQ(splash->minimumSize(), splash->maximumSize()) << "not resized";
    EXPECT_EQ(splash->windowTitle(), QStringLiteral("Ombrelunaire 98"));
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(splash->frameGeometry().center(), QApplication::primaryScreen()->geometry().center());

    const QLabel &owner = *splash->OwnerName;
    EXPECT_EQ(owner.text(), QStringLiteral("Hélène Dupré"));
    EXPECT_EQ(owner.pos(), QPoint(230, 145));
    EXPECT_EQ(owner.font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(owner.font().pixelSize(), 11);
    EXPECT_EQ(owner.palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_FALSE(owner.autoFillBackground()) << "the picture shows through";
}

} // namespace
} // namespace ombre::test
