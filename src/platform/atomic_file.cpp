#include "platform/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace ombre {
namespace {

namespace fs = std::filesystem;

// Tried again on a clash with another file's name; a random name clashes hardly ever.
constexpr int kNameAttempts = 16;

std::atomic<const char *> g_pending{nullptr};
static_assert(std::atomic<const char *>::is_always_lock_free, "read by signal handlers");

void publish(const std::string &path)
{
    g_pending.store(path.c_str());
}

void withdraw(const std::string &path)
{
    const char *published = path.c_str();
    g_pending.compare_exchange_strong(published, nullptr);
}

fs::path folderOf(const fs::path &target)
{
    const fs::path parent = target.parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

// A hidden name beside the target, so that the rename stays inside one file system; fixed and
// short, since the target's own name may already use all the room a name has.
std::string temporaryPattern(const fs::path &target)
{
    return (folderOf(target) / ".ombrelunaire-XXXXXX").string();
}

std::string randomTemporaryName(const fs::path &target)
{
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::string name = temporaryPattern(target);
    for (std::size_t i = name.size() - 6; i < name.size(); ++i)
        name[i] = kLetters[random() % kLetters.size()];
    return name;
}

// The mode a new file gets from the user's umask, or the mode of the file being replaced.
mode_t modeFor(const fs::path &target)
{
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void syncFolder(const fs::path &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// How a kernel or a file system without unnamed files answers O_TMPFILE: the file system
// refuses it, or an older kernel takes it for O_DIRECTORY.
bool unnamedFilesRefused(int error)
{
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// A link that is replaced is followed to the file it names, as an editor saving through a link
// is expected to do: the link stays and the file behind it gets the new bytes.
fs::path followedLink(fs::path target, bool replace)
{
    std::error_code error;
    if (replace && fs::is_symlink(target, error)) {
        const fs::path resolved = fs::weakly_canonical(target, error);
        if (!error)
            return resolved;
    }
    return target;
}

} // namespace

AtomicFile::AtomicFile(fs::path target, bool replace)
    : m_target(followedLink(std::move(target), replace)), m_replace(replace)
{
    // An unnamed file is linked in through its /proc entry, so without /proc it cannot be used.
    if (::access("/proc/self/fd", X_OK) == 0) {
        m_fd = ::open(folderOf(m_target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (m_fd >= 0)
            return;
        if (!unnamedFilesRefused(errno))
            fail(errno);
    }
    openNamedTemporary();
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::openNamedTemporary()
{
    m_temporary = temporaryPattern(m_target);
    m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (m_fd < 0) {
        const int error = errno;
        m_temporary.clear();
        fail(error);
    }
    publish(m_temporary);
}

void AtomicFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        withdraw(m_temporary);
        m_temporary.clear();
    }
}

void AtomicFile::fail(int error) const
{
    throw fs::filesystem_error("atomic file", m_target, std::error_code(error, std::generic_category()));
}

void AtomicFile::write(std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail(written < 0 ? errno : EIO);
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
}

void AtomicFile::write(std::string_view text)
{
    write(std::span(reinterpret_cast<const std::uint8_t *>(text.data()), text.size()));
}

void AtomicFile::commit()
{
    if (::fchmod(m_fd, modeFor(m_target)) != 0 || ::fsync(m_fd) != 0)
        fail(errno);
    if (m_temporary.empty())
        linkUnnamed();
    else
        renameNamed();
    syncFolder(folderOf(m_target));
}

void AtomicFile::linkUnnamed()
{
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    const auto linkAs = [&](const char *name) {
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name, AT_SYMLINK_FOLLOW) == 0;
    };
    if (!m_replace) {
        // A link never replaces: a target that appeared since the caller looked is refused.
        if (!linkAs(m_target.c_str()))
            fail(errno);
    } else {
        // The file gets a name of its own beside the target, then takes the target's place in
        // one rename; a kill in between leaves the whole file under that name at worst.
        std::string named;
        for (int attempt = 1;; ++attempt) {
            named = randomTemporaryName(m_target);
            if (linkAs(named.c_str()))
                break;
            if (errno != EEXIST || attempt == kNameAttempts)
                fail(errno);
        }
        publish(named);
        const int renamed = ::rename(named.c_str(), m_target.c_str());
        const int error = errno;
        if (renamed != 0)
            ::unlink(named.c_str());
        withdraw(named);
        if (renamed != 0)
            fail(error);
    }
    // The bytes are on disk already (fsync above): closing cannot lose them.
    ::close(m_fd);
    m_fd = -1;
}

void AtomicFile::renameNamed()
{
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0)
        fail(errno);
    int renamed;
    if (m_replace) {
        renamed = ::rename(m_temporary.c_str(), m_target.c_str());
    } else {
        // Refuses atomically a target that appeared since the caller looked.
        renamed = ::renameat2(AT_FDCWD, m_temporary.c_str(), AT_FDCWD, m_target.c_str(), RENAME_NOREPLACE);
        if (renamed != 0 && errno == EINVAL) {
            // A file system without that flag: the check is as good as it gets there.
            struct stat existing;
            if (::lstat(m_target.c_str(), &existing) == 0)
                fail(EEXIST);
            renamed = ::rename(m_temporary.c_str(), m_target.c_str());
        }
    }
    if (renamed != 0)
        fail(errno);
    withdraw(m_temporary);
    m_temporary.clear();
}

const char *PendingTemporaryFile()
{
    return g_pending.load();
}

} // namespace ombre
