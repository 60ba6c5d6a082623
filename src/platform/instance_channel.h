#pragma once
// One running program per user. The first start holds an election lock and listens on a local
// socket that only this user can reach; a later start hands its document over to it and ends.

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace ombre {

// What a later start hands over: the document to open (empty: only come to the front) and the
// activation token the desktop gave the later start, so that the running window may take focus.
struct HandOver {
    QString path;
    QByteArray activationToken;
};

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    // `folder`: where the socket and the election lock live (the user's runtime folder, which
    // only the user can enter); `title`: the program title the names derive from.
    InstanceChannel(const QString &folder, const QString &title, QObject *parent = nullptr);
    ~InstanceChannel() override;

    // True when this process is the running instance: it won the election and listens until it
    // ends. Later starts wait in the queue until serve() is called.
    bool elect();
    // Starts answering later starts: each hand-over is emitted as `received`.
    void serve();
    // A later start: hands `handOver` to the running instance and returns once it has been
    // handled there, however long that takes (opening a container asks for its password).
    // False when no running instance took the record within `timeoutMs`.
    bool handOver(const HandOver &handOver, int timeoutMs);

    QString socketPath() const { return m_socketPath; }

signals:
    // The running instance received a hand-over; the sender is answered once the slots return.
    void received(const ombre::HandOver &handOver);

private:
    void acceptPending();
    void readFrom(QLocalSocket *socket);

    QString m_socketPath;
    QString m_lockPath;
    int m_lockFd = -1;
    QLocalServer *m_server = nullptr;
};

} // namespace ombre
