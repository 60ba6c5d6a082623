// The progress window: its two states, the owner disabled while it shows, the caption rule and
// the bar's limits.

#include "commands/progress_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace ombre {
namespace {

class ProgressWindowTest : public ::testing::Test {
protected:
    ProgressWindowTest() : progress(&owner)
    {
        owner.setGeometry(100, 80, 600, 400);
        owner.show();
    }
    QWidget owner;
    TmProgressWnd progress;
};

TEST_F(ProgressWindowTest, StartsHiddenWithItsDefaults)
{
    EXPECT_FALSE(progress.Shown());
    EXPECT_EQ(progress.Min, 0);
    EXPECT_EQ(progress.Max, 100);
    EXPECT_EQ(progress.Width, 256);
    EXPECT_EQ(progress.Caption(), QStringLiteral("Analyse..."));
}

TEST_F(ProgressWindowTest, UpdatesBeforeShowingDoNothing)
{
    progress.SetProgress(40);
    progress.HideProgress();
    EXPECT_FALSE(progress.Shown());
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(ProgressWindowTest, ShowingDisablesTheOwnerAndHidingEnablesItAgain)
{
    progress.ShowProgress();
    ASSERT_TRUE(progress.Shown());
    TfrmProgress *form = progress.Form();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_TRUE(form->isEnabled()) << "the window must not be disabled with its owner";

    progress.ShowProgress(); // already shown: the same form stays
    EXPECT_EQ(progress.Form(), form);

    progress.HideProgress();
    EXPECT_FALSE(progress.Shown());
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(ProgressWindowTest, FormTakesWidthBarBoundsAndCentresOverTheOwner)
{
    progress.Width = 300;
    progress.Min = 5;
    progress.Max = 50;
    progress.ShowProgress();
    TfrmProgress *form = progress.Form();
    QProgressBar *bar = form->ProgressBar;
    EXPECT_EQ(form->width(), 300);
    EXPECT_EQ(form->height(), bar->height() + 40);
    EXPECT_EQ(bar->geometry(), QRect(20, 20, 260, bar->height()));
    EXPECT_EQ(bar->minimum(), 5);
    EXPECT_EQ(bar->maximum(), 50);

    const QRect o = owner.frameGeometry();
    EXPECT_EQ(form->pos(), QPoint(o.left() + o.width() / 2 - form->width() / 2,
                                  o.top() + o.height() / 2 - form->height() / 2));
}

TEST_F(ProgressWindowTest, PositionCallbackMayMoveTheWindow)
{
    progress.OnPositionWindow = [](int &left, int &top) {
        left = 7;
        top = 9;
    };
    progress.ShowProgress();
    EXPECT_EQ(progress.Form()->pos(), QPoint(7, 9));
}

TEST_F(ProgressWindowTest, CaptionSetWhileShownIsNotRemembered)
{
    progress.SetCaption(QStringLiteral("Cryptage en cours..."));
    progress.ShowProgress();
    EXPECT_EQ(progress.Form()->windowTitle(), QStringLiteral("Cryptage en cours..."));

    progress.SetCaption(QStringLiteral("UUEncodage en cours..."));
    EXPECT_EQ(progress.Form()->windowTitle(), QStringLiteral("UUEncodage en cours..."));
    EXPECT_EQ(progress.Caption(), QStringLiteral("Cryptage en cours..."));

    progress.HideProgress();
    progress.ShowProgress();
    EXPECT_EQ(progress.Form()->windowTitle(), QStringLiteral("Cryptage en cours..."));
}

TEST_F(ProgressWindowTest, PositionsOutsideTheRangeStayAtItsEnds)
{
    progress.ShowProgress();
    QProgressBar *bar = progress.Form()->ProgressBar;
    progress.SetProgress(42);
    EXPECT_EQ(bar->value(), 42);
    progress.SetProgress(250);
    EXPECT_EQ(bar->value(), 100);
    progress.SetProgress(-3);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(ProgressWindowTest, TheUserCannotCloseIt)
{
    progress.ShowProgress();
    TfrmProgress *form = progress.Form();
    EXPECT_FALSE(form->close());
    QTest::keyClick(form, Qt::Key_Escape);
    QTest::keyClick(form, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(progress.Shown());
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinMaxButtonsHint));
}

TEST_F(ProgressWindowTest, UpdatesLetWaitingEventsRun)
{
    progress.ShowProgress();
    bool ran = false;
    QMetaObject::invokeMethod(&owner, [&ran] { ran = true; }, Qt::QueuedConnection);
    progress.SetProgress(1);
    EXPECT_TRUE(ran);

    ran = false;
    QMetaObject::invokeMethod(&owner, [&ran] { ran = true; }, Qt::QueuedConnection);
    progress.SetCaption(QStringLiteral("Décryptage en cours..."));
    EXPECT_TRUE(ran);
}

TEST_F(ProgressWindowTest, TheOwnerTakesNoInputWhileItShows)
{
    int clicks = 0;
    QPushButton button(&owner);
    QObject::connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    button.show();
    progress.ShowProgress();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    progress.HideProgress();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace ombre
