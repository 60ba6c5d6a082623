#include "platform/placement.h"

#include "platform/registry.h"
#include "platform/registry_store.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace ombre {
namespace {

const QString Key = QStringLiteral("Software\\Morvandel\\Ombrelunaire\\Application");
const QStringList Names = {"Flags", "ShowCmd", "MinPosX", "MinPosY", "MaxPosX", "MaxPosY",
                           "NormPosT", "NormPosL", "NormPosR", "NormPosB"};

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        RegistryStore::setUserFilePath(dir_.filePath(QStringLiteral("Ombrelunaire.reg")));
    }
    void TearDown() override { RegistryStore::setUserFilePath(QString()); }

    // A window given its first-run geometry, then the stored placement.
    std::unique_ptr<QWidget> restoredWindow()
    {
        auto window = std::make_unique<QWidget>();
        window->setGeometry(initial_);
        TPlacement placement(window.get());
        placement.setSubkey(Key);
        placement.RestorePlacement();
        return window;
    }

    void save(QWidget &window)
    {
        TPlacement placement(&window);
        placement.setSubkey(Key);
        placement.SavePlacement();
    }

    QTemporaryDir dir_;
    const QRect initial_{100, 80, 600, 400};
};

TEST_F(PlacementTest, ANormalWindowComesBackWhereItWas)
{
    EXPECT_EQ(restoredWindow()->geometry(), initial_); // first run: nothing stored

    QWidget window;
    window.setGeometry(40, 30, 700, 500);
    save(window);
    QStringList values;
    for (const QString &name : Names)
        values << QString::number(RegReadInt(Key, name, 999));
    EXPECT_EQ(values, (QStringList{"0", "1", "-1", "-1", "-1", "-1", "30", "40", "740", "530"}));

    const auto restored = restoredWindow();
    EXPECT_EQ(restored->geometry(), QRect(40, 30, 700, 500));
    EXPECT_FALSE(restored->isMaximized());
}

TEST_F(PlacementTest, AMaximisedWindowComesBackMaximisedOverItsNormalRectangle)
{
    QWidget window;
    window.setGeometry(50, 60, 640, 480);
    window.setWindowState(Qt::WindowMaximized);
    save(window);
    EXPECT_EQ(RegReadInt(Key, QStringLiteral("ShowCmd"), 0), 3);
    EXPECT_EQ(RegReadInt(Key, QStringLiteral("NormPosR"), 0), 690);

    const auto restored = restoredWindow();
    EXPECT_TRUE(restored->isMaximized());
    restored->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(restored->geometry(), QRect(50, 60, 640, 480));
}

// A bad rectangle, one value gone, a value of another type, or no key name: nothing is applied.
TEST_F(PlacementTest, AnIncompletePlacementIsIgnored)
{
    QWidget window;
    window.setGeometry(10, 20, 300, 200);
    const std::vector<std::function<void()>> damages = {
        [] { RegWriteInt(Key, QStringLiteral("NormPosR"), 10); },
        [] {
            RegWriteInt(Key, QStringLiteral("NormPosL"), 500);
            RegWriteInt(Key, QStringLiteral("NormPosR"), 400);
        },
        [] {
            RegKeyDelete(Key);
            for (const QString &name : Names)
                if (name != QStringLiteral("MaxPosY"))
                    RegWriteInt(Key, name, 5);
            RegWriteInt(Key, QStringLiteral("NormPosR"), 400);
        },
        [] { RegWriteStr(Key, QStringLiteral("Flags"), QStringLiteral("0")); },
    };
    for (std::size_t i = 0; i < damages.size(); ++i) {
        save(window);
        damages[i]();
        EXPECT_EQ(restoredWindow()->geometry(), initial_) << i;
    }

    RegKeyDelete(Key);
    TPlacement unnamed(&window);
    unnamed.SavePlacement();
    unnamed.RestorePlacement();
    EXPECT_FALSE(RegKeyExists(Key));
    EXPECT_EQ(window.geometry(), QRect(10, 20, 300, 200));
}

TEST_F(PlacementTest, AWindowLeftOffEveryScreenComesBackOnTheScreen)
{
    QWidget window;
    window.setGeometry(50000, 50000, 400, 300);
    save(window);
    const auto restored = restoredWindow();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(restored->geometry()));
    EXPECT_EQ(restored->size(), QSize(400, 300).boundedTo(screen.size()));
}

} // namespace
} // namespace ombre
