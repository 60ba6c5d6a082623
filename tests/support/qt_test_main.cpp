// Entry point of every test that needs Qt: one QApplication on the offscreen platform, and
// QStandardPaths in test mode so that settings and documents land in throw-away folders.
#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Morvandel"));
    QApplication::setApplicationName(QStringLiteral("Ombrelunaire"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
