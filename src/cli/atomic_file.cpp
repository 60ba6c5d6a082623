#include "cli/atomic_file.h"

#include "cli/cli_failure.h"
#include "cli/interrupt_cleanup.h"
#include "cli/messages.h"
#include "cli/paths.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ombre::cli {
namespace {

std::filesystem::path folderOf(const std::filesystem::path &target)
{
    const std::filesystem::path parent = target.parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

// The mode a new file gets from the user's umask, or the mode of the file being replaced.
mode_t modeFor(const std::filesystem::path &target)
{
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void syncFolder(const std::filesystem::path &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

AtomicFile::AtomicFile(std::filesystem::path target, bool replace)
    : m_target(std::move(target)), m_replace(replace)
{
    // A hidden name beside the target, so that the rename stays inside one file system; fixed
    // and short, since the target's own name may already use all the room a name has.
    m_temporary = (folderOf(m_target) / ".ombrelunaire-XXXXXX").string();
    m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_temporary.clear();
        fail();
    }
    SetTemporaryFileForCleanup(m_temporary.c_str());
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        SetTemporaryFileForCleanup(nullptr);
        m_temporary.clear();
    }
}

void AtomicFile::fail() const
{
    throw CliFailure{ExitStatus::UsageOrInputOutput, PathMessage(m_target, user_texts::kSaveError)};
}

void AtomicFile::write(std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail();
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
        fail();
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0)
        fail();
    int renamed;
    if (m_replace) {
        renamed = ::rename(m_temporary.c_str(), m_target.c_str());
    } else {
        // Refuses atomically a target that appeared since the caller looked.
        renamed = ::renameat2(AT_FDCWD, m_temporary.c_str(), AT_FDCWD, m_target.c_str(), RENAME_NOREPLACE);
        if (renamed != 0 && errno == EINVAL) {
            // A file system without that flag: the check is as good as it gets there.
            if (PathExists(m_target))
                throw CliFailure{ExitStatus::UsageOrInputOutput, PathMessage(m_target, kAlreadyExists)};
            renamed = ::rename(m_temporary.c_str(), m_target.c_str());
        }
    }
    if (renamed != 0) {
        if (errno == EEXIST)
            throw CliFailure{ExitStatus::UsageOrInputOutput, PathMessage(m_target, kAlreadyExists)};
        fail();
    }
    SetTemporaryFileForCleanup(nullptr);
    m_temporary.clear();
    syncFolder(folderOf(m_target));
}

} // namespace ombre::cli
