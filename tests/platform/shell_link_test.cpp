#include "platform/shell_link.h"

#include "support/scoped_env.h"
#include "temp_folder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <sys/resource.h>

namespace ombre {
namespace {

const QString kProgram = QStringLiteral("/usr/bin/ombrelunaire");

// A launcher read back the way a desktop reads it: string escapes first, then the quoting of the
// command line, then "%%". Anything a desktop would read differently or refuse is a failure.
QString unescapeString(const QString &value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) != QLatin1Char('\\')) {
            text += value.at(i);
            continue;
        }
        switch (++i < value.size() ? value.at(i).unicode() : 0) {
        case 's': text += QLatin1Char(' '); break;
        case 'n': text += QLatin1Char('\n'); break;
        case 't': text += QLatin1Char('\t'); break;
        case 'r': text += QLatin1Char('\r'); break;
        case '\\': text += QLatin1Char('\\'); break;
        default: ADD_FAILURE() << "unknown escape in " << value.toStdString(); return {};
        }
    }
    return text;
}

std::optional<QString> expandPercents(const QString &argument)
{
    QString text;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        if (argument.at(i) == QLatin1Char('%') && (++i == argument.size() || argument.at(i) != QLatin1Char('%')))
            return std::nullopt; // a field code, or a lone '%'
        text += argument.at(i);
    }
    return text;
}

// Splits an unescaped command line into its arguments; nullopt when it breaks the quoting rules.
std::optional<QStringList> splitExec(const QString &line)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    static const QString escapable = QStringLiteral("\"`$\\");
    QStringList arguments;
    qsizetype i = 0;
    while (i < line.size()) {
        QString argument;
        if (line.at(i) == QLatin1Char('"')) {
            for (++i;; ++i) {
                if (i == line.size())
                    return std::nullopt; // unclosed
                const QChar c = line.at(i);
                if (c == QLatin1Char('"'))
                    break;
                if (c == QLatin1Char('\\')) {
                    if (++i == line.size() || !escapable.contains(line.at(i)))
                        return std::nullopt;
                } else if (c == QLatin1Char('`') || c == QLatin1Char('$')) {
                    return std::nullopt; // must be escaped inside quotes
                }
                argument += line.at(i);
            }
            ++i;
        } else {
            for (; i < line.size() && line.at(i) != QLatin1Char(' '); ++i) {
                if (reserved.contains(line.at(i)))
                    return std::nullopt; // must be quoted
                argument += line.at(i);
            }
        }
        if (i < line.size() && line.at(i++) != QLatin1Char(' '))
            return std::nullopt; // a quoted part must be a whole argument
        const std::optional<QString> expanded = expandPercents(argument);
        if (!expanded)
            return std::nullopt;
        arguments << *expanded;
    }
    return arguments;
}

std::optional<QStringList> execArguments(const QString &execValue)
{
    return splitExec(unescapeString(execValue));
}

// The raw values of the [Desktop Entry] group, by key.
QMap<QString, QString> readEntry(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.value(0), QStringLiteral("[Desktop Entry]"));
    QMap<QString, QString> values;
    for (const QString &line : lines.mid(1)) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        EXPECT_GT(equals, 0) << line.toStdString();
        EXPECT_FALSE(values.contains(line.left(equals).trimmed())) << line.toStdString();
        // Spaces after '=' are not part of the value.
        qsizetype start = equals + 1;
        while (start < line.size() && line.at(start) == QLatin1Char(' '))
            ++start;
        values.insert(line.left(equals).trimmed(), line.mid(start));
    }
    return values;
}

unsigned modeOf(const std::filesystem::path &path)
{
    return static_cast<unsigned>(std::filesystem::status(path).permissions()) & 07777U;
}

// The PATH of each test leads to an empty folder, so that the real gio never runs here.
class ShellLinkTest : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        ASSERT_TRUE(m_emptyBin.isValid());
        m_path.emplace("PATH", QFile::encodeName(m_emptyBin.path()));
    }
    void TearDown() override
    {
        m_path.reset();
        TempFolderTest::TearDown();
    }

    QString folder() const { return QString::fromStdString(dir.string()); }
    QString pathOf(const QString &name) const { return folder() + QLatin1Char('/') + name; }

    ShellLink linkFor(const QString &documentName, const QString &program = kProgram) const
    {
        return {documentName.chopped(4) + QStringLiteral(" (Document)"), program, {pathOf(documentName)},
                folder(), QStringLiteral("ombrelunaire")};
    }

    QString validatorPath() const
    {
        return QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"),
                                              QString::fromLocal8Bit(m_savedPath).split(QLatin1Char(':')));
    }

    const QByteArray m_savedPath = qgetenv("PATH");
    QTemporaryDir m_emptyBin;
    std::optional<test::ScopedEnv> m_path;
};

TEST_F(ShellLinkTest, HostileDocumentNamesComeBackAsOneExactArgument)
{
    struct Case {
        QString document;
        QString program = kProgram;
    };
    const Case cases[] = {
        {QStringLiteral("Lettre à Zoé.rtf")},
        {QStringLiteral("l'été.rtf")},
        {QStringLiteral("il a dit \"non\".rtf")},
        {QStringLiteral("$HOME et ${PATH}.rtf")},
        {QStringLiteral("`reboot`.rtf")},
        {QStringLiteral("C:\\Mes documents\\a.rtf")},
        {QStringLiteral("100% sûr.rtf")},
        {QStringLiteral("%f %U %% %.rtf")},
        {QStringLiteral("lune 🌙 nuit.rtf")},
        {QStringLiteral("-rf --help.rtf")},
        {QStringLiteral("ligne 1\nligne 2\tfin\r.rtf")},
        {QStringLiteral("a;b & c | d #e (f) <g> ~h *?.rtf")},
        {QStringLiteral("  deux espaces devant.rtf")},
        {QStringLiteral("simple.rtf"), QStringLiteral("/opt/Ombre lunaire/bin/ombrelunaire")},
    };
    QStringList written;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.document.toStdString());
        const ShellLink link = linkFor(c.document, c.program);
        const QString path = CreateShortcut(link, folder());
        ASSERT_EQ(path, pathOf(link.Name + QStringLiteral(".desktop")));
        written << path;
        EXPECT_EQ(modeOf(path.toStdString()), 0755U);

        const QMap<QString, QString> entry = readEntry(path);
        EXPECT_EQ(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
        EXPECT_EQ(entry.value(QStringLiteral("Terminal")), QStringLiteral("false"));
        EXPECT_EQ(unescapeString(entry.value(QStringLiteral("Name"))), link.Name);
        EXPECT_EQ(unescapeString(entry.value(QStringLiteral("Comment"))), link.Name);
        EXPECT_EQ(unescapeString(entry.value(QStringLiteral("Path"))), folder());
        EXPECT_EQ(execArguments(entry.value(QStringLiteral("Exec"))), (QStringList{c.program, pathOf(c.document)}))
            << entry.value(QStringLiteral("Exec")).toStdString();
    }

    const QString validator = validatorPath();
    ASSERT_FALSE(validator.isEmpty()) << "desktop-file-validate (desktop-file-utils) is not installed";
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(validator, written);
    ASSERT_TRUE(validate.waitForFinished(30000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().toStdString();
}

TEST_F(ShellLinkTest, ExecValueKeepsEveryArgumentIncludingEmptyOnes)
{
    const QStringList commands[] = {
        {kProgram},
        {kProgram, QString()},
        {QStringLiteral("/opt/Ombre lunaire/ombrelunaire"), QStringLiteral("a"), QString(), QStringLiteral("b c")},
        {QStringLiteral("/opt/100%/ombrelunaire"), QStringLiteral("\\\\serveur\\partage")},
    };
    for (const QStringList &command : commands) {
        const QString value = DesktopExecValue(command.first(), command.mid(1));
        EXPECT_EQ(execArguments(value), command) << value.toStdString();
    }
}

// The bytes other desktops read: every line, with a name, a folder and a document that hold
// characters needing escapes.
TEST_F(ShellLinkTest, WritesTheEntryWithEveryValueEscaped)
{
    const ShellLink link{QStringLiteral("deux\nlignes"), kProgram, {QStringLiteral("/tmp/a\\b $1.rtf")},
                         QStringLiteral("/tmp/dossier\tà\\onglet"), QStringLiteral("/usr/share/ombre.svg")};
    const QString path = CreateShortcut(link, folder());
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(read("deux\nlignes.desktop"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=deux\\nlignes\n"
              "Comment=deux\\nlignes\n"
              "Exec=/usr/bin/ombrelunaire \"/tmp/a\\\\\\\\b \\\\$1.rtf\"\n"
              "Path=/tmp/dossier\\t\xc3\xa0\\\\onglet\n"
              "Icon=/usr/share/ombre.svg\n"
              "Terminal=false\n");
}

TEST_F(ShellLinkTest, ASecondLauncherOfTheSameNameReplacesTheFirst)
{
    ShellLink link = linkFor(QStringLiteral("Lettre.rtf"));
    const QString first = CreateShortcut(link, folder());
    ASSERT_FALSE(first.isEmpty());
    std::filesystem::permissions(first.toStdString(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    link.Arguments = QStringList{pathOf(QStringLiteral("Autre.rtf"))};
    EXPECT_EQ(CreateShortcut(link, folder()), first);
    EXPECT_EQ(names(), std::vector<std::string>{"Lettre (Document).desktop"});
    EXPECT_EQ(execArguments(readEntry(first).value(QStringLiteral("Exec"))),
              (QStringList{kProgram, pathOf(QStringLiteral("Autre.rtf"))}));
    EXPECT_EQ(modeOf(first.toStdString()), 0755U);
}

TEST_F(ShellLinkTest, FailuresReturnNothingAndLeaveTheFolderAsItWas)
{
    std::filesystem::create_directory(dir / "Lettre (Document).desktop");
    std::filesystem::create_directory(dir / "sous-dossier");
    const std::vector<std::string> before = names();
    struct Case {
        const char *what;
        QString name;
        QString folder;
    };
    const Case cases[] = {
        {"missing desktop folder", QStringLiteral("Autre"), pathOf(QStringLiteral("Bureau"))},
        {"name taken by a folder", QStringLiteral("Lettre (Document)"), folder()},
        {"name with a separator", QStringLiteral("sous-dossier/Autre"), folder()},
        {"empty name", QString(), folder()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ShellLink link = linkFor(QStringLiteral("Lettre.rtf"));
        link.Name = c.name;
        EXPECT_EQ(CreateShortcut(link, c.folder), QString());
        EXPECT_EQ(names(), before);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir / "sous-dossier"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "Lettre (Document).desktop"));
}

// A write that fails half-way (here: the file size limit, which holds for root too) leaves the
// earlier launcher whole and no temporary file.
TEST_F(ShellLinkTest, AFailedWriteKeepsTheEarlierLauncher)
{
    const std::string earlier = "[Desktop Entry]\nearlier\n";
    write("Lettre (Document).desktop", earlier);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 16;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString path = CreateShortcut(linkFor(QStringLiteral("Lettre.rtf")), folder());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(path, QString());
    EXPECT_EQ(names(), std::vector<std::string>{"Lettre (Document).desktop"});
    EXPECT_EQ(read("Lettre (Document).desktop"), earlier);
}

// A gio that records its arguments, then hangs as one waiting for a session bus would: the
// launcher is marked, and written, without the program waiting on gio for long.
TEST_F(ShellLinkTest, MarksTheLauncherTrustedWithGioWithoutWaitingLong)
{
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QString record = bin.filePath(QStringLiteral("arguments"));
    QFile gio(bin.filePath(QStringLiteral("gio")));
    ASSERT_TRUE(gio.open(QIODevice::WriteOnly));
    gio.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + QFile::encodeName(record) + "'\nexec /bin/sleep 60\n");
    gio.close();
    ASSERT_TRUE(gio.setPermissions(gio.permissions() | QFileDevice::ExeOwner));
    qputenv("PATH", QFile::encodeName(bin.path()));

    QElapsedTimer timer;
    timer.start();
    const QString path = CreateShortcut(linkFor(QStringLiteral("Lettre.rtf")), folder());
    EXPECT_LT(timer.elapsed(), 10000);

    EXPECT_EQ(path, pathOf(QStringLiteral("Lettre (Document).desktop")));
    QFile recorded(record);
    ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(recorded.readAll()),
              QStringLiteral("set\n") + path + QStringLiteral("\nmetadata::trusted\ntrue\n"));
}

} // namespace
} // namespace ombre
