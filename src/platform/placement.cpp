#include "platform/placement.h"

#include "platform/registry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <array>

namespace ombre {
namespace {

// The placement record's fields, in the order they are written and read.
enum Field { Flags, ShowCmd, MinPosX, MinPosY, MaxPosX, MaxPosY, NormPosT, NormPosL, NormPosR, NormPosB, FieldCount };

constexpr std::array<const char *, FieldCount> FieldNames = {
    "Flags", "ShowCmd", "MinPosX", "MinPosY", "MaxPosX", "MaxPosY", "NormPosT", "NormPosL", "NormPosR", "NormPosB",
};

constexpr int ShowNormal = 1;
constexpr int ShowMinimized = 2;
constexpr int ShowMaximized = 3;
constexpr int RestoreToMaximized = 2;
// The system chooses the minimised and maximised positions.
constexpr int NoPosition = -1;

// A rectangle left outside every screen (a monitor since removed) is brought onto the primary
// screen, as the system does for a placement record.
QRect onScreen(QRect rect)
{
    for (const QScreen *screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(rect))
            return rect;
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return rect;
    const QRect area = primary->availableGeometry();
    rect.setSize(rect.size().boundedTo(area.size()));
    rect.moveTopLeft(area.topLeft());
    return rect;
}

} // namespace

TPlacement::TPlacement(QWidget *owner) : QObject(owner) {}

QWidget *TPlacement::owner() const
{
    return qobject_cast<QWidget *>(parent());
}

void TPlacement::SavePlacement()
{
    QWidget *window = owner();
    if (subkey_.isEmpty() || !window)
        return;
    const Qt::WindowStates state = window->windowState();
    const QRect normal = window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry();
    std::array<int, FieldCount> values{};
    values[Flags] = state.testFlag(Qt::WindowMinimized) && state.testFlag(Qt::WindowMaximized) ? RestoreToMaximized : 0;
    values[ShowCmd] = state.testFlag(Qt::WindowMinimized)   ? ShowMinimized
                      : state.testFlag(Qt::WindowMaximized) ? ShowMaximized
                                                            : ShowNormal;
    values[MinPosX] = values[MinPosY] = values[MaxPosX] = values[MaxPosY] = NoPosition;
    values[NormPosT] = normal.top();
    values[NormPosL] = normal.left();
    values[NormPosR] = normal.left() + normal.width();
    values[NormPosB] = normal.top() + normal.height();

    const RegWriteBatch batch;
    for (int field = 0; field < FieldCount; ++field)
        if (!RegWriteInt(subkey_, QLatin1String(FieldNames[field]), values[field]))
            return;
}

void TPlacement::RestorePlacement()
{
    QWidget *window = owner();
    if (subkey_.isEmpty() || !window || !RegKeyExists(subkey_))
        return;
    std::array<int, FieldCount> values{};
    for (int field = 0; field < FieldCount; ++field)
        if (!RegTryReadInt(subkey_, QLatin1String(FieldNames[field]), values[field]))
            return;
    if (values[NormPosR] <= values[NormPosL])
        return;
    const int height = values[NormPosB] - values[NormPosT];
    const QRect normal(values[NormPosL], values[NormPosT], values[NormPosR] - values[NormPosL], height > 0 ? height : 1);
    window->setGeometry(onScreen(normal));
    const bool maximized = values[ShowCmd] == ShowMaximized
                           || (values[ShowCmd] == ShowMinimized && (values[Flags] & RestoreToMaximized));
    window->setWindowState(maximized ? Qt::WindowMaximized : Qt::WindowNoState);
}

} // namespace ombre
