// The single-instance channel in one process: the election, the hand-over answered only once it
// has been handled, later starts that wait until the running instance serves, and what a dead
// instance or a hostile peer leaves behind.
#include "cipher/user_texts.h"
#include "platform/handover_record.h"
#include "platform/instance_channel.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace ombre {
namespace {

const QString kTitle = QString::fromUtf8(user_texts::kProgramTitle);

class InstanceChannelTest : public ::testing::Test {
protected:
    // A later start in its own thread: its hand-over blocks until the running one answers.
    static std::future<bool> laterStart(const QString &folder, const HandOver &handOver, int timeoutMs = 5000)
    {
        return std::async(std::launch::async, [folder, handOver, timeoutMs] {
            InstanceChannel later(folder, kTitle);
            return later.handOver(handOver, timeoutMs);
        });
    }

    // Runs the event loop until the later start has its answer.
    static bool answer(std::future<bool> &start)
    {
        EXPECT_TRUE(QTest::qWaitFor([&start] { return start.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10000));
        return start.get();
    }

    QTemporaryDir folder;
};

TEST_F(InstanceChannelTest, OneWinsTheElectionUntilItEnds)
{
    auto first = std::make_unique<InstanceChannel>(folder.path(), kTitle);
    InstanceChannel second(folder.path(), kTitle);
    EXPECT_TRUE(first->elect());
    EXPECT_TRUE(first->elect()) << "asking again changes nothing";
    EXPECT_FALSE(second.elect());
    EXPECT_FALSE(QFileInfo(second.socketPath()).permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther))
        << "the socket is this user's only";
    first.reset();
    EXPECT_FALSE(QFileInfo::exists(second.socketPath()));
    EXPECT_TRUE(second.elect());
    EXPECT_TRUE(QFileInfo::exists(second.socketPath()));
}

TEST_F(InstanceChannelTest, HandOverIsAnsweredOnceHandled)
{
    InstanceChannel running(folder.path(), kTitle);
    ASSERT_TRUE(running.elect());
    std::atomic<bool> answered = false;
    QList<HandOver> received;
    QObject::connect(&running, &InstanceChannel::received, [&](const HandOver &handOver) {
        received.append(handOver);
        // Opening takes its time (a password to type): the later start is still waiting.
        QTest::qWait(100);
        EXPECT_FALSE(answered.load());
    });
    running.serve();
    const QString path = QStringLiteral("/home/léa/Documents/") + QString(300, QLatin1Char('x')) + QStringLiteral(".cod");
    for (const HandOver &sent : {HandOver{path, "kwin-42"}, HandOver{QString(), QByteArray()}}) {
        answered = false;
        std::future<bool> start = std::async(std::launch::async, [&] {
            InstanceChannel later(folder.path(), kTitle);
            const bool handed = later.handOver(sent, 5000);
            answered = true;
            return handed;
        });
        EXPECT_TRUE(answer(start));
        ASSERT_FALSE(received.isEmpty());
        EXPECT_EQ(received.last().path, sent.path) << "the whole path, never cut";
        EXPECT_EQ(received.last().activationToken, sent.activationToken);
    }
    EXPECT_EQ(received.size(), 2);
}

TEST_F(InstanceChannelTest, LaterStartsWaitUntilTheRunningOneServes)
{
    InstanceChannel running(folder.path(), kTitle);
    ASSERT_TRUE(running.elect());
    QStringList received;
    QObject::connect(&running, &InstanceChannel::received, [&](const HandOver &handOver) { received.append(handOver.path); });
    std::future<bool> start = laterStart(folder.path(), {QStringLiteral("/tmp/lettre.txt"), {}});
    QTest::qWait(200); // the frame is still being built
    EXPECT_EQ(start.wait_for(std::chrono::seconds(0)), std::future_status::timeout);
    running.serve();
    EXPECT_TRUE(answer(start));
    EXPECT_EQ(received, QStringList{QStringLiteral("/tmp/lettre.txt")});
}

TEST_F(InstanceChannelTest, NoRunningInstanceMeansNoHandOver)
{
    InstanceChannel alone(folder.path(), kTitle);
    EXPECT_FALSE(alone.handOver({QStringLiteral("/tmp/lettre.txt"), {}}, 200));
}

TEST_F(InstanceChannelTest, DeadInstancesSocketIsReplacedByTheNextElected)
{
    // A killed instance leaves its socket file, bound to nobody.
    InstanceChannel running(folder.path(), kTitle);
    const QByteArray socketPath = QFile::encodeName(running.socketPath());
    const int dead = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.constData(), std::size_t(socketPath.size()));
    ASSERT_EQ(::bind(dead, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ::close(dead);
    ASSERT_TRUE(QFileInfo::exists(running.socketPath()));

    ASSERT_TRUE(running.elect());
    int received = 0;
    QObject::connect(&running, &InstanceChannel::received, [&received] { ++received; });
    running.serve();
    std::future<bool> start = laterStart(folder.path(), {});
    EXPECT_TRUE(answer(start));
    EXPECT_EQ(received, 1);
}

TEST_F(InstanceChannelTest, PeerSendingSomethingElseIsDroppedAndTheNextIsServed)
{
    InstanceChannel running(folder.path(), kTitle);
    ASSERT_TRUE(running.elect());
    QStringList received;
    QObject::connect(&running, &InstanceChannel::received, [&](const HandOver &handOver) { received.append(handOver.path); });
    running.serve();

    QLocalSocket hostile;
    hostile.connectToServer(running.socketPath());
    ASSERT_TRUE(hostile.waitForConnected(2000));
    hostile.write(QByteArray("\0\x06\0\0\0lettre\0\0\0\0", 15)); // a relative path
    EXPECT_TRUE(QTest::qWaitFor([&hostile] { return hostile.state() == QLocalSocket::UnconnectedState; }, 5000))
        << "the peer is dropped";
    EXPECT_TRUE(received.isEmpty());

    std::future<bool> start = laterStart(folder.path(), {QStringLiteral("/tmp/lettre.txt"), {}});
    EXPECT_TRUE(answer(start));
    EXPECT_EQ(received, QStringList{QStringLiteral("/tmp/lettre.txt")});
}

} // namespace
} // namespace ombre
