// Entry point of every test that needs Qt: one QApplication on the offscreen platform, and
// QStandardPaths in test mode so that settings and documents land in throw-away folders.
#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A home of its own for each test process: the test-mode folders live under the home, and
    // test programs run side by side (ctest -j) would otherwise clear each other's store.
    const QTemporaryDir home;
    if (home.isValid())
        qputenv("HOME", QFile::encodeName(home.path()));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Morvandel"));
    QApplication::setApplicationName(QStringLiteral("Ombrelunaire"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
