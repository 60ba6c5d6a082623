#include "platform/word_processor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace ombre {
namespace {

constexpr const char *kFolderPrefix = "ombrelunaire-envoi-";

// A fresh LibreOffice profile would greet the user with its tip of the day at every program run.
constexpr const char *kProfileSettings =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
    "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
    "<item oor:path=\"/org.openoffice.Office.Common/Misc\">"
    "<prop oor:name=\"ShowTipOfTheDay\" oor:op=\"fuse\"><value>false</value></prop></item>\n"
    "</oor:items>\n";

bool processGone(pid_t pid)
{
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// Folders of earlier runs that ended without removing theirs (a killed program): the process
// whose pid the name carries is gone.
void removeAbandonedFolders(const QString &runtimeFolder)
{
    const QString prefix = QLatin1String(kFolderPrefix);
    const QDir runtime(runtimeFolder);
    for (const QString &name : runtime.entryList({prefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const qint64 pid = name.mid(prefix.size()).section(QLatin1Char('-'), 0, 0).toLongLong(&numeric);
        if (numeric && pid > 0 && processGone(static_cast<pid_t>(pid)))
            QDir(runtime.filePath(name)).removeRecursively();
    }
}

} // namespace

std::optional<WordProcessor> FindWordProcessor()
{
    const std::pair<const char *, WordProcessor::Kind> candidates[] = {
        {"lowriter", WordProcessor::Kind::LibreOffice},
        {"soffice", WordProcessor::Kind::LibreOffice},
        {"libreoffice", WordProcessor::Kind::LibreOffice},
        {"abiword", WordProcessor::Kind::AbiWord},
    };
    for (const auto &[name, kind] : candidates) {
        const QString program = QStandardPaths::findExecutable(QLatin1String(name));
        if (!program.isEmpty())
            return WordProcessor{kind, program};
    }
    return std::nullopt;
}

QString PrivateRuntimeFolder()
{
    const QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        return QString();
    struct stat status {};
    if (::stat(QFile::encodeName(folder).constData(), &status) != 0 || !S_ISDIR(status.st_mode)
        || status.st_uid != ::geteuid() || (status.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return QString();
    return QDir::cleanPath(folder);
}

std::unique_ptr<HandOffFolder> HandOffFolder::Create(const QString &runtimeFolder)
{
    removeAbandonedFolders(runtimeFolder);
    QByteArray pattern = QFile::encodeName(QDir(runtimeFolder).filePath(
        QLatin1String(kFolderPrefix) + QString::number(::getpid()) + QStringLiteral("-XXXXXX")));
    if (!::mkdtemp(pattern.data()))
        return nullptr;
    return std::unique_ptr<HandOffFolder>(new HandOffFolder(QFile::decodeName(pattern)));
}

HandOffFolder::~HandOffFolder()
{
    QDir(m_path).removeRecursively();
}

QString HandOffFolder::profileFolder() const
{
    const QString profile = m_path + QStringLiteral("/profil");
    const QString settings = profile + QStringLiteral("/user/registrymodifications.xcu");
    if (!QFileInfo::exists(settings) && QDir().mkpath(QFileInfo(settings).path())) {
        QFile file(settings);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            file.write(kProfileSettings);
    }
    return profile;
}

QString HandOffFolder::writeCopy(const QByteArray &bytes, const QString &suffix)
{
    const QString path = QDir(m_path).filePath(QStringLiteral("envoi-%1%2").arg(++m_copies).arg(suffix));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return QString();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.remove();
        return QString();
    }
    return path;
}

QStringList WordProcessorArguments(const WordProcessor &processor, const QString &copy, const QString &profileFolder)
{
    if (processor.kind == WordProcessor::Kind::AbiWord)
        return {copy};
    QStringList arguments;
    // lowriter is LibreOffice already started on Writer; the others need to be told.
    if (QFileInfo(processor.program).fileName() != QLatin1String("lowriter"))
        arguments << QStringLiteral("--writer");
    arguments << QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profileFolder).toString(QUrl::FullyEncoded)
              << QStringLiteral("-n") << copy;
    return arguments;
}

bool StartWordProcessor(const WordProcessor &processor, const QStringList &arguments)
{
    return QProcess::startDetached(processor.program, arguments, QDir::homePath());
}

} // namespace ombre
