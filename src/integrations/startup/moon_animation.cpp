#include "integrations/startup/moon_animation.h"

#include <QPainter>

namespace ombre {
namespace {

constexpr int kSide = 32;
constexpr int kFrameMilliseconds = 250;

} // namespace

TMoonAnimation::TMoonAnimation(QWidget *parent)
    : QWidget(parent), m_frames(QStringLiteral(":/pictures/moon-phases.svg"))
{
    setFixedSize(kSide, kSide);
    m_timer.setInterval(kFrameMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % kFrames;
        update();
    });
}

void TMoonAnimation::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_frames.render(&painter, QStringLiteral("phase%1").arg(m_frame), QRectF(0, 0, kSide, kSide));
}

// It turns only while it can be seen: a closed about box costs nothing.
void TMoonAnimation::showEvent(QShowEvent *)
{
    m_timer.start();
}

void TMoonAnimation::hideEvent(QHideEvent *)
{
    m_timer.stop();
}

} // namespace ombre
