#pragma once
// One running program per user. The first start holds an election lock and listens on a local
// socket that only this user can reach; a later start hands its document over to it and ends.

#include <QByteArray>
#include <QObject>
#include <QString>

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
    // `folder`: where the socket and the election lock live (the user's runtime folder);
    // `title`: the program title the names derive from.
    InstanceChannel(const QString &folder, const QString &title, QObject *parent = nullptr);
    ~InstanceChannel() override;

    // True when this process is the first instance; it then listens until it ends.
    bool elect();
    // A later start: hands `handOver` to the running instance and returns once it has been
    // handled. False when no running instance answered within `timeoutMs`.
    bool handOver(const HandOver &handOver, int timeoutMs);

signals:
    // The first instance received a hand-over; the sender is answered when the slots return.
    void received(const ombre::HandOver &handOver);
};

} // namespace ombre
