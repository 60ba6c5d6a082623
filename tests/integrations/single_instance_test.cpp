// One program per user, with real later starts of the program: a file started from the file
// manager opens in the running frame and the later start ends at once; two starts at the same
// moment give one instance; a killed instance never locks the user out.
#include "cipher/user_texts.h"
#include "editor/editor_fixture.h"
#include "platform/instance_channel.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <signal.h>

namespace ombre::test {
namespace {

const QString kTitle = QString::fromUtf8(user_texts::kProgramTitle);

class SingleInstanceTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        // The started programs share a runtime folder with this test, and a store of their own
        // that shows no splash and reopens nothing.
        QFile store(runtime.filePath(QStringLiteral("store.reg")));
        ASSERT_TRUE(store.open(QIODevice::WriteOnly));
        store.write("Windows Registry Editor Version 5.00\r\n\r\n"
                    "[HKEY_CURRENT_USER\\Software\\Morvandel\\Ombrelunaire\\Options]\r\n"
                    "\"Splash\"=dword:00000000\r\n\"Desktop\"=dword:00000000\r\n");
    }

    void TearDown() override
    {
        for (auto &start : starts)
            if (start->state() != QProcess::NotRunning) {
                start->kill();
                start->waitForFinished();
            }
        EditorTest::TearDown();
    }

    QProcess &start(const QStringList &arguments = {})
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.insert(QStringLiteral("OMBRELUNAIRE_REGISTRY_FILE"), runtime.filePath(QStringLiteral("store.reg")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(folder.path());
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral(OMBRE_PROGRAM), arguments);
        EXPECT_TRUE(process->waitForStarted());
        starts.push_back(std::move(process));
        return *starts.back();
    }

    // Runs this frame's event loop until `process` ends; its exit status.
    static int finished(QProcess &process, int timeoutMs = 15000)
    {
        EXPECT_TRUE(QTest::qWaitFor([&process] { return process.state() == QProcess::NotRunning; }, timeoutMs))
            << "the start did not end";
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // True once a running instance takes a hand-over on the shared channel (the later start is
    // this test).
    bool instanceAnswers() const
    {
        InstanceChannel later(runtime.path(), kTitle);
        return later.handOver({}, 10000);
    }

    QTemporaryDir runtime;
    std::vector<std::unique_ptr<QProcess>> starts;
};

TEST_F(SingleInstanceTest, LaterStartHandsItsFileToTheRunningFrameAndEnds)
{
    InstanceChannel channel(runtime.path(), kTitle);
    ASSERT_TRUE(channel.elect());
    form->ListenToLaterStarts(channel);
    writeFile(QStringLiteral("lettre d'été.txt"), "Chère Léa,\r\n");
    const QString whole = QFileInfo(path(QStringLiteral("lettre d'été.txt"))).canonicalFilePath();

    const struct {
        const char *what;
        QStringList arguments;
    } starts[] = {
        {"a name relative to the later start's folder", {QStringLiteral("lettre d'été.txt")}},
        {"the same file again: brought to the front", {whole}},
        {"no argument: the frame only comes to the front", {}},
    };
    for (const auto &later : starts) {
        SCOPED_TRACE(later.what);
        EXPECT_EQ(finished(start(later.arguments)), 0);
        ASSERT_EQ(form->DocumentWindows().size(), 1);
        EXPECT_EQ(active().DocumentInfo.FileName, whole);
        EXPECT_EQ(active().RichEdit->toPlainText(), QStringLiteral("Chère Léa,\n"));
    }
}

TEST_F(SingleInstanceTest, TwoStartsAtTheSameMomentGiveOneInstance)
{
    QProcess &one = start();
    QProcess &other = start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return one.state() == QProcess::NotRunning || other.state() == QProcess::NotRunning; }, 15000));
    QProcess &ended = one.state() == QProcess::NotRunning ? one : other;
    QProcess &running = &ended == &one ? other : one;
    EXPECT_EQ(finished(ended), 0);
    EXPECT_EQ(running.state(), QProcess::Running);
    EXPECT_TRUE(instanceAnswers());
}

TEST_F(SingleInstanceTest, KilledInstanceNeverLocksTheUserOut)
{
    QProcess &first = start();
    ASSERT_TRUE(instanceAnswers());
    ::kill(pid_t(first.processId()), SIGKILL);
    finished(first);
    ASSERT_TRUE(QFileInfo::exists(InstanceChannel(runtime.path(), kTitle).socketPath())) << "left behind";

    QProcess &next = start();
    EXPECT_TRUE(instanceAnswers());
    EXPECT_EQ(next.state(), QProcess::Running) << "the next start is the running instance";
}

} // namespace
} // namespace ombre::test
