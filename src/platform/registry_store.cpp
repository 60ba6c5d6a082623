#include "platform/registry_store.h"

#include "platform/store_file.h"
#include "platform/store_names.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

#include <optional>
#include <sys/stat.h>

namespace ombre {
namespace {

// Writes hold the lock for a few milliseconds; a writer that waits longer than this gives up
// rather than freeze the program.
constexpr qint64 LockTimeoutMs = 5000;

struct FileContent {
    bool readable = true;
    reg::ParseResult parsed;
};

FileContent readFile(const QString &path)
{
    FileContent content;
    const reg::StoreFile file = reg::readStoreFile(QFile::encodeName(path).toStdString());
    switch (file.state) {
    case reg::StoreFileState::Missing: break;
    case reg::StoreFileState::Unreadable: content.readable = false; break;
    case reg::StoreFileState::TooLarge: content.parsed.damaged = true; break; // set aside unread
    case reg::StoreFileState::Read: content.parsed = reg::parse(file.bytes); break;
    }
    return content;
}

// Keeps the damaged file for the user to look at, under a name no other file has.
bool setAside(const QString &path)
{
    const QString base = path + QStringLiteral(".damaged-")
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = base;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = base + QLatin1Char('-') + QString::number(n);
    return QFile::rename(path, target);
}

std::optional<QString> &userPathOverride()
{
    static std::optional<QString> path;
    return path;
}

std::unique_ptr<RegistryStore> &userStore()
{
    static std::unique_ptr<RegistryStore> store;
    return store;
}

} // namespace

RegistryStore::RegistryStore(QString filePath) : path_(std::move(filePath)) {}

RegistryStore::~RegistryStore() = default;

QString RegistryStore::defaultUserFilePath()
{
    const QByteArray fromEnvironment = qgetenv(store::kFileVariable);
    if (!fromEnvironment.isEmpty())
        return QString::fromLocal8Bit(fromEnvironment);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + QString::fromUtf8(store::kFileInConfigFolder);
}

RegistryStore &RegistryStore::user()
{
    std::unique_ptr<RegistryStore> &store = userStore();
    if (!store)
        store = std::make_unique<RegistryStore>(userPathOverride().value_or(defaultUserFilePath()));
    return *store;
}

void RegistryStore::setUserFilePath(const QString &filePath)
{
    userPathOverride() = filePath.isEmpty() ? std::nullopt : std::optional<QString>(filePath);
    userStore().reset();
}

RegistryStore::Stamp RegistryStore::stampOfFile() const
{
    Stamp stamp;
    struct stat info {};
    if (path_.isEmpty() || ::stat(QFile::encodeName(path_).constData(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.mtimeNs = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    return stamp;
}

const reg::Document &RegistryStore::document()
{
    if (batchDepth_ > 0 && batchReady_)
        return batchDocument_;
    refresh();
    return cache_;
}

void RegistryStore::refresh()
{
    const Stamp stamp = stampOfFile();
    if (cacheLoaded_ && stamp == cacheStamp_)
        return;
    FileContent content = readFile(path_);
    // A damaged file is repaired at once, so that it is set aside before anything overwrites it;
    // if that fails, the program still runs on what could be read.
    if (content.parsed.damaged && writeLocked([](reg::Document &) { return false; }) != WriteOutcome::Failed)
        return;
    cache_ = std::move(content.parsed.document);
    cacheStamp_ = stamp;
    cacheLoaded_ = true;
}

std::unique_ptr<QLockFile> RegistryStore::lock()
{
    if (path_.isEmpty() || !QDir().mkpath(QFileInfo(path_).absolutePath()))
        return nullptr;
    auto lockFile = std::make_unique<QLockFile>(path_ + QStringLiteral(".lock"));
    // QLockFile's own waiting doubles its pauses from 100 ms, so that a writer among busy ones
    // may try only a handful of times before giving up; short random pauses give each a fair turn.
    const QDeadlineTimer deadline(LockTimeoutMs);
    while (!lockFile->tryLock(0)) {
        if (lockFile->error() != QLockFile::LockFailedError || deadline.hasExpired())
            return nullptr;
        QThread::msleep(2 + QRandomGenerator::global()->bounded(8));
    }
    return lockFile;
}

bool RegistryStore::loadForWrite(reg::Document &document, bool &setAsideDone)
{
    setAsideDone = false;
    FileContent content = readFile(path_);
    if (!content.readable)
        return false;
    if (content.parsed.damaged) {
        if (!setAside(path_))
            return false;
        setAsideDone = true;
    }
    document = std::move(content.parsed.document);
    return true;
}

bool RegistryStore::save(const reg::Document &document)
{
    const std::string bytes = reg::serialise(document);
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    // commit() does not report a write that failed in its buffer (a full disk): flush first, or a
    // cut file would replace the whole store.
    return file.flush() && file.commit();
}

void RegistryStore::remember(reg::Document document)
{
    cache_ = std::move(document);
    cacheStamp_ = stampOfFile();
    cacheLoaded_ = true;
}

bool RegistryStore::write(const std::function<bool(reg::Document &)> &change)
{
    if (batchDepth_ > 0) {
        if (!batchReady_ || !change(batchDocument_))
            return false;
        batchDirty_ = true;
        return true;
    }
    return writeLocked(change) == WriteOutcome::Saved;
}

RegistryStore::WriteOutcome RegistryStore::writeLocked(const std::function<bool(reg::Document &)> &change)
{
    const std::unique_ptr<QLockFile> held = lock();
    if (!held)
        return WriteOutcome::Failed;
    reg::Document document;
    bool movedAside = false;
    if (!loadForWrite(document, movedAside))
        return WriteOutcome::Failed;
    const bool changed = change(document);
    if (!changed && !movedAside) {
        remember(std::move(document));
        return WriteOutcome::Unchanged;
    }
    if (!save(document))
        return WriteOutcome::Failed;
    remember(std::move(document));
    return changed ? WriteOutcome::Saved : WriteOutcome::Unchanged;
}

void RegistryStore::beginBatch()
{
    if (batchDepth_++ > 0)
        return;
    batchDirty_ = false;
    batchLock_ = lock();
    batchReady_ = batchLock_ && loadForWrite(batchDocument_, batchDirty_);
}

void RegistryStore::endBatch()
{
    if (batchDepth_ == 0 || --batchDepth_ > 0)
        return;
    if (batchReady_ && batchDirty_ && save(batchDocument_))
        remember(std::move(batchDocument_));
    batchDocument_ = reg::Document();
    batchReady_ = false;
    batchLock_.reset();
}

} // namespace ombre
