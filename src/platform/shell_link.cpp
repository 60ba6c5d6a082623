#include "platform/shell_link.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace ombre {
namespace {

// gio answers in milliseconds, but without a session bus it may wait for one; the launcher is
// written by then, so the program does not wait longer than this for a mark it can do without.
constexpr int kGioTimeoutMs = 3000;

constexpr QFileDevice::Permissions kExecutable = QFileDevice::ReadOwner | QFileDevice::WriteOwner
    | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
    | QFileDevice::ExeOther;

// A value as a desktop entry stores it: readers undo these escapes first. A leading space is
// written "\s" because readers drop the spaces that follow "=".
QString escapeString(const QString &value)
{
    QString escaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        switch (const QChar c = value.at(i); c.unicode()) {
        case '\\': escaped += QLatin1String("\\\\"); break;
        case '\n': escaped += QLatin1String("\\n"); break;
        case '\t': escaped += QLatin1String("\\t"); break;
        case '\r': escaped += QLatin1String("\\r"); break;
        case ' ': escaped += i == 0 ? QLatin1String("\\s") : QLatin1String(" "); break;
        default: escaped += c;
        }
    }
    return escaped;
}

// The characters that a launcher splits on or that a shell would interpret, plus the carriage
// return, which some launchers take for a separator too. An empty argument needs quotes to exist.
bool needsQuotes(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\r\"'\\><~|&;$*?#()`");
    return argument.isEmpty()
        || std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); });
}

QString quoteArgument(const QString &argument)
{
    static const QString escapedInQuotes = QStringLiteral("\"`$\\");
    const bool quoted = needsQuotes(argument);
    QString text;
    if (quoted)
        text += QLatin1Char('"');
    for (const QChar c : argument) {
        if (quoted && escapedInQuotes.contains(c))
            text += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            text += QLatin1Char('%'); // "%%": a literal '%', not a field code
        text += c;
    }
    if (quoted)
        text += QLatin1Char('"');
    return text;
}

// Version is left out: it is optional, and the validators of current distributions still refuse
// the latest version number.
QByteArray entryText(const ShellLink &link)
{
    const QString name = escapeString(link.Name);
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n")
        + QStringLiteral("Name=") + name + QLatin1Char('\n')
        + QStringLiteral("Comment=") + name + QLatin1Char('\n')
        + QStringLiteral("Exec=") + DesktopExecValue(link.Target, link.Arguments) + QLatin1Char('\n')
        + QStringLiteral("Path=") + escapeString(link.WorkingFolder) + QLatin1Char('\n')
        + (link.Icon.isEmpty() ? QString() : QStringLiteral("Icon=") + escapeString(link.Icon) + QLatin1Char('\n'))
        + QStringLiteral("Terminal=false\n");
    return text.toUtf8();
}

// GNOME's desktop asks before it runs a launcher it has not been told to trust.
void markTrusted(const QString &path)
{
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        return;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(gio, {QStringLiteral("set"), path, QStringLiteral("metadata::trusted"), QStringLiteral("true")});
    if (!process.waitForFinished(kGioTimeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
}

} // namespace

QString DesktopExecValue(const QString &target, const QStringList &arguments)
{
    QStringList words{quoteArgument(target)};
    for (const QString &argument : arguments)
        words << quoteArgument(argument);
    return escapeString(words.join(QLatin1Char(' ')));
}

QString CreateShortcut(const ShellLink &link, const QString &folder)
{
    // The name becomes a file name in that folder and nowhere else; the folder is the user's
    // desktop, which is not ours to create.
    if (link.Name.isEmpty() || link.Name.contains(QLatin1Char('/')) || !QFileInfo(folder).isDir())
        return {};
    const QString path = QDir(folder).filePath(link.Name + QStringLiteral(".desktop"));
    const QByteArray bytes = entryText(link);
    // The mode goes on the temporary file, so the launcher is executable from the moment it
    // appears, whatever the mode of the one it replaces. The explicit flush: commit() takes a
    // write that fails while it flushes the buffer for a success and puts a cut file in place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()
        || !file.setPermissions(kExecutable) || !file.commit())
        return {};
    markTrusted(path);
    return path;
}

} // namespace ombre
