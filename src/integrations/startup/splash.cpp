#include "integrations/startup/splash.h"

#include "cipher/user_texts.h"
#include "platform/registry.h"
#include "platform/store_names.h"
#include "settings/options.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <chrono>
#include <thread>

namespace ombre {
namespace {

constexpr int kWidth = 407;
constexpr int kHeight = 205;
constexpr QPoint kOwnerNamePlace(230, 145);
constexpr int kWaitSeconds = 3;
// The wait checks the clock this often, so that the splash is repainted when the desktop asks.
constexpr std::int64_t kPauseStep = 50;

// Paints and keeps the window up to date without handling the user's input, nor a later
// start's hand-over, which must wait for the frame that opens it.
void processPaintOnly()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
}

} // namespace

TfrmSplash::TfrmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QString::fromUtf8(user_texts::kProgramTitle));
    setFixedSize(kWidth, kHeight);

    OwnerName = new QLabel(this);
    OwnerName->setObjectName(QStringLiteral("OwnerName"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    OwnerName->setFont(font);
    QPalette palette = OwnerName->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    OwnerName->setPalette(palette);
    OwnerName->setAutoFillBackground(false);
    OwnerName->move(kOwnerNamePlace);
    OwnerName->resize(kWidth - kOwnerNamePlace.x() - 12, 16);

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.center() - rect().center());
}

void TfrmSplash::paintEvent(QPaintEvent *)
{
    // Drawn at its own size in device-independent pixels, whatever the screen's scale.
    QPainter painter(this);
    QSvgRenderer picture(QStringLiteral(":/pictures/splash.svg"));
    picture.render(&painter, QRectF(0, 0, kWidth, kHeight));
}

SplashWait SystemSplashWait()
{
    return {[] {
                // The monotonic clock counts from the system's start.
                using namespace std::chrono;
                return static_cast<std::int64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
            },
            [](std::int64_t milliseconds) {
                processPaintOnly();
                std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
            }};
}

std::unique_ptr<TfrmSplash> ShowSplash(const QStringList &arguments)
{
    return ShowSplash(arguments, SystemSplashWait());
}

std::unique_ptr<TfrmSplash> ShowSplash(const QStringList &arguments, const SplashWait &wait)
{
    LoadSplashOption(ProgramOptions());
    if (!ProgramOptions().Splash || !arguments.isEmpty())
        return nullptr;

    auto splash = std::make_unique<TfrmSplash>();
    splash->OwnerName->setText(RegReadStr(RootKey, QString::fromUtf8(store::kOwnerNameValue), QString()));
    splash->show();
    splash->repaint();
    processPaintOnly();

    // Whole seconds, as the start has always counted them: the splash stays 2 to 3 seconds.
    const std::int64_t until = (wait.millisecondsSinceStart() / 1000 + kWaitSeconds) * 1000;
    for (std::int64_t now = wait.millisecondsSinceStart(); now < until; now = wait.millisecondsSinceStart())
        wait.pause(std::min(kPauseStep, until - now));
    return splash;
}

} // namespace ombre
