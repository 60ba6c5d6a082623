#include "platform/registry.h"
#include "platform/registry_store.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace ombre {
namespace {

const QString TestKey = QStringLiteral("Software\\Morvandel\\Ombrelunaire\\Test");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("Morvandel/Ombrelunaire.reg"));
        RegistryStore::setUserFilePath(path_);
    }
    void TearDown() override { RegistryStore::setUserFilePath(QString()); }

    // Forgets what the store holds in memory, as a restart would.
    void restart() { RegistryStore::setUserFilePath(path_); }

    QStringList setAsideFiles() const
    {
        return QDir(QFileInfo(path_).absolutePath()).entryList({QStringLiteral("Ombrelunaire.reg.damaged-*")}, QDir::Files);
    }

    QTemporaryDir dir_;
    QString path_;
};

TEST_F(RegistryStoreTest, ReadsGiveTheDefaultForMissingOrMistypedValues)
{
    EXPECT_EQ(RegReadStr(TestKey, QStringLiteral("Nothing"), QStringLiteral("def")), QStringLiteral("def"));
    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("Nothing"), 7), 7);
    EXPECT_FALSE(RegKeyExists(TestKey));

    ASSERT_TRUE(RegWriteStr(TestKey, QStringLiteral("Text"), QStringLiteral("12")));
    ASSERT_TRUE(RegWriteInt(TestKey, QStringLiteral("Number"), -5));
    ASSERT_TRUE(RegWriteInt(TestKey, QStringLiteral("Seven"), 7));
    ASSERT_TRUE(RegWriteBool(TestKey, QStringLiteral("Flag"), true));
    restart();

    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("Text"), 3), 3); // a string is not an integer
    EXPECT_FALSE(RegReadBool(TestKey, QStringLiteral("Text"), false));
    EXPECT_EQ(RegReadStr(TestKey, QStringLiteral("Number"), QStringLiteral("def")), QStringLiteral("def"));
    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("Number"), 0), -5);
    EXPECT_TRUE(RegReadBool(TestKey, QStringLiteral("Seven"), false));
    EXPECT_TRUE(RegReadBool(TestKey, QStringLiteral("Flag"), false));
    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("Flag"), 0), 1);
    EXPECT_EQ(RegReadInt(QStringLiteral("\\") + TestKey, QStringLiteral("number"), 0), -5);
}

TEST_F(RegistryStoreTest, StringsSurviveTheFile)
{
    const QStringList texts = {
        QStringLiteral("Je vous prie d'agréer, <>, l'expression de mes sentiments distingués."),
        QStringLiteral("\"Fichiers cryptés\" C:\\Mes documents\\ \\\\serveur\\"),
        QStringLiteral("Jean Dupont\r\n12, rue des Lilas\r\n\r\n75000 Paris"),
        QStringLiteral("ligne\nunix\ttab \u2029 paragraphe"),
        QStringLiteral("# $ % & ' æ © @ — \U0001F512"),
        QString(),
    };
    for (int i = 0; i < texts.size(); ++i)
        ASSERT_TRUE(RegWriteStr(TestKey, QStringLiteral("S%1").arg(i), texts[i]));
    restart();
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(RegReadStr(TestKey, QStringLiteral("S%1").arg(i), QStringLiteral("missing")), texts[i]);
    EXPECT_TRUE(readAll(path_).contains("hex(1):"));
}

TEST_F(RegistryStoreTest, ValuesComeBackInTheOrderWritten)
{
    const QString key = QStringLiteral("Software\\Morvandel\\Ombrelunaire\\Formules");
    for (const char *name : {"F2", "F0", "F10", "F1"})
        RegWriteStr(key, QLatin1String(name), QLatin1String(name));
    RegWriteStr(key, QStringLiteral("F0"), QStringLiteral("F0 again"));
    restart();
    QStringList values;
    ASSERT_TRUE(RegReadValues(key, values));
    EXPECT_EQ(values, (QStringList{"F2", "F0 again", "F10", "F1"}));

    ASSERT_TRUE(RegKeyDelete(key));
    EXPECT_FALSE(RegKeyExists(key));
    EXPECT_FALSE(RegReadValues(key, values));
    EXPECT_FALSE(RegKeyDelete(key));
    RegWriteStr(key, QStringLiteral("F1"), QStringLiteral("b"));
    RegWriteStr(key, QStringLiteral("F0"), QStringLiteral("a"));
    ASSERT_TRUE(RegReadValues(key, values));
    EXPECT_EQ(values, (QStringList{"b", "a"}));

    RegWriteInt(key, QStringLiteral("F2"), 3); // not a string: the key cannot be read as strings
    EXPECT_FALSE(RegReadValues(key, values));
}

TEST_F(RegistryStoreTest, SeesWhatAnotherWriterSaved)
{
    RegWriteInt(TestKey, QStringLiteral("A"), 1);
    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("A"), 0), 1);
    RegistryStore other(path_);
    ASSERT_TRUE(other.write([](reg::Document &document) {
        document.ensure("HKEY_CURRENT_USER\\" + TestKey.toStdString()).set(reg::Value::number("A", 2));
        return true;
    }));
    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("A"), 0), 2);
}

TEST_F(RegistryStoreTest, ABatchSavesOnceAtItsEnd)
{
    RegWriteInt(TestKey, QStringLiteral("Before"), 1);
    const QByteArray before = readAll(path_);
    {
        RegWriteBatch batch;
        for (int i = 0; i < 30; ++i)
            EXPECT_TRUE(RegWriteInt(TestKey, QStringLiteral("V%1").arg(i), i));
        {
            RegWriteBatch nested;
            RegWriteStr(TestKey, QStringLiteral("Nested"), QStringLiteral("n"));
        }
        EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("V29"), -1), 29); // pending writes are seen
        EXPECT_EQ(readAll(path_), before);                              // but not yet saved
    }
    restart();
    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("Before"), -1), 1);
    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("V29"), -1), 29);
    EXPECT_EQ(RegReadStr(TestKey, QStringLiteral("Nested"), QString()), QStringLiteral("n"));
}

// A damaged file costs only its damaged lines: the rest is read, the file is kept aside for the
// user, and the store goes on working.
TEST_F(RegistryStoreTest, SetsADamagedFileAsideAndKeepsWhatItCouldRead)
{
    const QByteArray damaged = "Windows Registry Editor Version 5.00\r\n\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Morvandel\\Ombrelunaire\\Test]\r\n"
                               "\"Kept\"=dword:00000004\r\n"
                               "\x01\x02 garbage \"=\r\n"
                               "\"AlsoKept\"=\"oui\"\r\n"
                               "\"Cut\"=\"half wri";
    writeAll(path_, damaged);

    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("Kept"), 0), 4);
    EXPECT_EQ(RegReadStr(TestKey, QStringLiteral("AlsoKept"), QString()), QStringLiteral("oui"));
    EXPECT_EQ(RegReadStr(TestKey, QStringLiteral("Cut"), QStringLiteral("def")), QStringLiteral("def"));

    const QStringList aside = setAsideFiles();
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(readAll(QFileInfo(path_).absolutePath() + QLatin1Char('/') + aside.first()), damaged);
    EXPECT_EQ(reg::parse(readAll(path_).toStdString()).damaged, false);

    EXPECT_TRUE(RegWriteInt(TestKey, QStringLiteral("New"), 5));
    restart();
    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("Kept"), 0), 4);
    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("New"), 0), 5);
    EXPECT_EQ(setAsideFiles().size(), 1);
}

// A writer killed mid-way leaves its temporary file and its lock behind; neither stops the next
// write nor changes what is read.
TEST_F(RegistryStoreTest, RecoversFromAnInterruptedWrite)
{
    RegWriteInt(TestKey, QStringLiteral("Saved"), 1);
    writeAll(path_ + QStringLiteral(".Xa1b2c"), QByteArray("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CUR"));
    QProcess writer;
    writer.start(QStringLiteral(STORE_WRITER), {QStringLiteral("die-locked"), path_});
    ASSERT_TRUE(writer.waitForFinished(30000));
    ASSERT_TRUE(QFile::exists(path_ + QStringLiteral(".lock")));

    restart();
    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("Saved"), 0), 1);
    EXPECT_TRUE(RegWriteInt(TestKey, QStringLiteral("After"), 2));
    restart();
    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("Saved"), 0), 1);
    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("After"), 0), 2);
    EXPECT_TRUE(setAsideFiles().isEmpty());
}

TEST_F(RegistryStoreTest, NeverOverwritesAFileItCannotRead)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    RegWriteInt(TestKey, QStringLiteral("Kept"), 1);
    const QByteArray before = readAll(path_);
    QFile::setPermissions(path_, QFileDevice::WriteOwner);
    restart();
    EXPECT_EQ(RegReadInt(TestKey, QStringLiteral("Kept"), 9), 9);
    EXPECT_FALSE(RegWriteInt(TestKey, QStringLiteral("Other"), 2));
    QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readAll(path_), before);
}

TEST_F(RegistryStoreTest, AWriteThatDoesNotFitLeavesTheStoreAsItWas)
{
    ASSERT_TRUE(RegWriteStr(TestKey, QStringLiteral("Kept"), QStringLiteral("valeur")));
    const QByteArray before = readAll(path_);
    // A full disk, which binds root too: no file may grow past the store's present size.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = static_cast<rlim_t>(before.size());
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = RegWriteStr(TestKey, QStringLiteral("Other"), QString(200, QLatin1Char('x')));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(readAll(path_), before);
    EXPECT_EQ(QDir(QFileInfo(path_).absolutePath()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Ombrelunaire.reg")});
}

// Two processes writing at the same time, and this one too: no value is lost.
TEST_F(RegistryStoreTest, ConcurrentWritersLoseNothing)
{
    constexpr int Count = 60;
    QProcess first;
    QProcess second;
    first.start(QStringLiteral(STORE_WRITER), {QStringLiteral("write"), path_, QStringLiteral("a"), QString::number(Count)});
    second.start(QStringLiteral(STORE_WRITER), {QStringLiteral("write"), path_, QStringLiteral("b"), QString::number(Count)});
    for (int i = 0; i < Count; ++i)
        RegWriteInt(QStringLiteral("Software\\Test"), QStringLiteral("c%1").arg(i), i);
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_EQ(second.exitCode(), 0);

    restart();
    for (const char *prefix : {"a", "b", "c"})
        for (int i = 0; i < Count; ++i)
            EXPECT_EQ(RegReadInt(QStringLiteral("Software\\Test"), QLatin1String(prefix) + QString::number(i), -1), i)
                << prefix << i;
}

TEST_F(RegistryStoreTest, RefusesNamesThatWouldBreakTheFile)
{
    EXPECT_FALSE(RegWriteStr(TestKey, QStringLiteral("a\nb"), QStringLiteral("x")));
    EXPECT_FALSE(RegWriteStr(TestKey + QStringLiteral("\\\\Sub"), QStringLiteral("a"), QStringLiteral("x")));
    EXPECT_FALSE(RegWriteStr(QString(), QStringLiteral("a"), QStringLiteral("x")));
    EXPECT_FALSE(QFile::exists(path_));
}

} // namespace
} // namespace ombre
