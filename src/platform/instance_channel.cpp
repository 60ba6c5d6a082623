#include "platform/instance_channel.h"

#include "platform/handover_record.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>

#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace ombre {
namespace {

// "Ombrelunaire 98" -> "ombrelunaire-98": a file name without spaces or separators.
QString baseName(const QString &title)
{
    QString name;
    for (const QChar c : title.toLower())
        name += c.isLetterOrNumber() && c.unicode() < 0x80 ? c : QLatin1Char('-');
    return name;
}

constexpr int kConnectRetryMs = 20;

} // namespace

InstanceChannel::InstanceChannel(const QString &folder, const QString &title, QObject *parent)
    : QObject(parent),
      m_socketPath(QDir(folder).filePath(baseName(title) + QStringLiteral(".socket"))),
      m_lockPath(QDir(folder).filePath(baseName(title) + QStringLiteral(".lock")))
{
}

InstanceChannel::~InstanceChannel()
{
    // The socket goes before the lock: once the lock is free a new instance may already listen
    // on the same path, and closing the server then would remove its socket.
    if (m_server)
        m_server->close();
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

bool InstanceChannel::elect()
{
    if (m_server)
        return true;
    // The kernel drops the lock with its last holder, so a crash or a kill never locks the user
    // out. Close-on-exec: a program started from here (the word processor) must not inherit it.
    if (m_lockFd < 0)
        m_lockFd = ::open(QFile::encodeName(m_lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockFd >= 0 && ::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0)
        return false;
    // Without a lock file (a folder that cannot be written) this start goes on alone, as it
    // would have with no other instance: a start never fails on the channel.
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Only the holder of the lock reaches here: what lies at the path is a dead instance's socket.
    QLocalServer::removeServer(m_socketPath);
    m_server->listen(m_socketPath);
    return true;
}

void InstanceChannel::serve()
{
    if (!m_server)
        return;
    connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::acceptPending, Qt::UniqueConnection);
    acceptPending();
}

void InstanceChannel::acceptPending()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection())
        readFrom(socket);
}

void InstanceChannel::readFrom(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto bytes = std::make_shared<std::string>();
    const auto read = [this, socket, bytes] {
        const QByteArray arrived = socket->readAll();
        bytes->append(arrived.constData(), std::size_t(arrived.size()));
        const HandOverReading reading = ParseHandOver(*bytes);
        if (reading.result == HandOverParse::Incomplete)
            return;
        disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
        if (reading.result == HandOverParse::Invalid) {
            socket->abort();
            return;
        }
        socket->write(&kHandOverAccepted, 1);
        socket->flush();
        // Opening may run a dialog, and the sender may go away meanwhile.
        const QPointer<QLocalSocket> sender(socket);
        emit received(HandOver{QString::fromStdString(reading.record.path),
                               QByteArray::fromStdString(reading.record.activationToken)});
        if (sender) {
            sender->write(&kHandOverDone, 1);
            sender->flush();
            sender->disconnectFromServer();
        }
    };
    connect(socket, &QLocalSocket::readyRead, this, read);
    if (socket->bytesAvailable() > 0)
        read();
}

bool InstanceChannel::handOver(const HandOver &handOver, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running instance may be between its election and its listening, or a dead one's
    // socket may still lie there until the next instance removes it.
    for (;;) {
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kConnectRetryMs);
    }
    const std::string record = EncodeHandOver(
        {handOver.path.toStdString(), handOver.activationToken.toStdString()});
    socket.write(record.data(), qint64(record.size()));
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return false;
    // Accepted within the time limit: the instance is alive. Done may come much later.
    while (socket.bytesAvailable() == 0)
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    char answer = 0;
    socket.getChar(&answer);
    if (answer != kHandOverAccepted)
        return false;
    while (socket.bytesAvailable() == 0 && socket.state() == QLocalSocket::ConnectedState)
        socket.waitForReadyRead(-1);
    return true;
}

} // namespace ombre
