#include "integrations/startup/first_instance.h"

#include "platform/instance_channel.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>

#include <memory>

namespace ombre {
namespace {

// Long enough for a running instance still showing its splash (it takes no message then) and
// building its frame; a later start waits no longer before going on alone.
constexpr int kAnswerTimeoutMs = 10000;

// Owned by the application, so that the socket closes with it.
QPointer<InstanceChannel> &runningChannel()
{
    static QPointer<InstanceChannel> channel;
    return channel;
}

// The token the desktop gave this start to pass on focus (Wayland, then X11 start-up id).
QByteArray activationToken()
{
    const QByteArray wayland = qgetenv("XDG_ACTIVATION_TOKEN");
    return wayland.isEmpty() ? qgetenv("DESKTOP_STARTUP_ID") : wayland;
}

} // namespace

QString HandOverPath(const QString &argument)
{
    const QFileInfo file(argument);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

bool FirstInstance(const QString &title, const QStringList &arguments)
{
    auto channel = std::make_unique<InstanceChannel>(
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), title);
    if (!channel->elect()) {
        const HandOver handOver{arguments.isEmpty() ? QString() : HandOverPath(arguments.first()),
                                activationToken()};
        if (channel->handOver(handOver, kAnswerTimeoutMs))
            return true;
        // The holder did not answer: it died since (the election is then ours) or hangs (this
        // start goes on alone, as a start that found no window would).
        if (!channel->elect())
            return false;
    }
    channel->setParent(QCoreApplication::instance());
    runningChannel() = channel.release();
    return false;
}

InstanceChannel *RunningInstanceChannel()
{
    return runningChannel().data();
}

} // namespace ombre
