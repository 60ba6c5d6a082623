// The application as the program sets it up: Qt's own texts in French, and window titles left
// as the windows give them.

#include "app/application_setup.h"
#include "platform/modal.h"

#include <QApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ombre::test {
namespace {

class ApplicationSetupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setup = new ApplicationSetup(*qApp); }
    static void TearDownTestSuite()
    {
        delete setup;
        setup = nullptr;
    }
    static ApplicationSetup *setup;
};
ApplicationSetup *ApplicationSetupTest::setup = nullptr;

TEST_F(ApplicationSetupTest, FileListsNameFoldersInFrench)
{
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("classeur"));
    const QFileInfo subfolder(folder.filePath(QStringLiteral("classeur")));
    // The type column of Qt's file lists.
    EXPECT_EQ(QFileIconProvider().type(subfolder).toStdString(), "Dossier");
    EXPECT_EQ(QFileIconProvider().type(QFileInfo(QDir::rootPath())).toStdString(), "Lecteur");
}

TEST_F(ApplicationSetupTest, TextsTheCatalogueHasAreStillItsOwn)
{
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "New Folder").toStdString(), "Nouveau dossier");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "Annuler");
}

TEST_F(ApplicationSetupTest, WindowTitlesAreTheWindowsOwnAndMessagesCarryTheProgramTitle)
{
    // A display name would be appended to every title by the windowing system.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Ombrelunaire"));
    EXPECT_EQ(messageTitle(), QStringLiteral("Ombrelunaire 98"));
}

} // namespace
} // namespace ombre::test
