#include "editor/ruler.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace ombre {
namespace {

constexpr double PixelsPerCentimetre = 96.0 / 2.54;
constexpr int HandleHalfWidth = 5;

QPainterPath triangle(int x, int tipY, int baseY)
{
    QPainterPath path;
    path.moveTo(x, tipY);
    path.lineTo(x - HandleHalfWidth, baseY);
    path.lineTo(x + HandleHalfWidth, baseY);
    path.closeSubpath();
    return path;
}

} // namespace

TRuler::TRuler(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(RulerHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The small bitmap face of the scale's figures; fontconfig picks the nearest small font.
    QFont small(QStringLiteral("Small Fonts"));
    small.setPixelSize(9);
    setFont(small);
    setMouseTracking(false);
}

void TRuler::setHandles(const RulerHandles &handles)
{
    if (handles == handles_)
        return;
    handles_ = handles;
    update();
}

void TRuler::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const int top = 4;
    const int bottom = height() - 5;
    const QRect band(Border, top, std::max(0, width() - 2 * Border), bottom - top);
    p.fillRect(band, palette().base());
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(band.adjusted(0, 0, -1, -1));

    p.setPen(palette().color(QPalette::WindowText));
    const int middle = (top + bottom) / 2;
    for (int quarter = 1;; ++quarter) {
        const int x = Border + qRound(quarter * PixelsPerCentimetre / 4);
        if (x >= band.right())
            break;
        if (quarter % 4 == 0) {
            const QString figure = QString::number(quarter / 4);
            const QRect box(x - 10, top, 20, bottom - top);
            p.drawText(box, Qt::AlignCenter, figure);
        } else {
            const int tick = quarter % 2 == 0 ? 3 : 1;
            p.drawLine(x, middle - tick, x, middle + tick);
        }
    }

    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::Shadow), 1));
    p.setBrush(palette().button());
    p.drawPath(triangle(Border + handles_.first, top + 5, 0));
    p.drawPath(triangle(Border + handles_.left, bottom - 5, height() - 1));
    p.drawPath(triangle(Border + handles_.right, bottom - 5, height() - 1));
}

std::optional<RulerHandle> TRuler::handleAt(const QPoint &pos) const
{
    const bool upper = pos.y() < height() / 2;
    auto near = [&](int handle) { return std::abs(pos.x() - (Border + handle)) <= HandleHalfWidth; };
    if (upper)
        return near(handles_.first) ? std::optional(RulerHandle::First) : std::nullopt;
    if (near(handles_.left))
        return RulerHandle::Left;
    if (near(handles_.right))
        return RulerHandle::Right;
    return std::nullopt;
}

void TRuler::moveDragged(int x)
{
    const int value = x - Border;
    switch (*dragged_) {
    case RulerHandle::First:
        handles_.first = std::clamp(value, 0, std::max(0, handles_.right - MinimumSpacing));
        break;
    case RulerHandle::Left:
        handles_.left = std::clamp(value, 0, std::max(0, handles_.right - MinimumSpacing));
        break;
    case RulerHandle::Right: {
        const int lowest = std::max(handles_.first, handles_.left) + MinimumSpacing;
        handles_.right = std::clamp(value, lowest, std::max(lowest, width() - 2 * Border));
        break;
    }
    }
    update();
}

void TRuler::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        dragged_ = handleAt(event->position().toPoint());
}

void TRuler::mouseMoveEvent(QMouseEvent *event)
{
    if (dragged_)
        moveDragged(event->position().toPoint().x());
}

void TRuler::mouseReleaseEvent(QMouseEvent *event)
{
    if (!dragged_ || event->button() != Qt::LeftButton)
        return;
    moveDragged(event->position().toPoint().x());
    const RulerHandle moved = *dragged_;
    dragged_.reset();
    emit indentChanged(moved);
}

} // namespace ombre
