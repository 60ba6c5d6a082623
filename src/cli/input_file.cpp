#include "cli/input_file.h"

#include "cli/cli_failure.h"
#include "cli/messages.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ombre::cli {

InputFile::InputFile(const std::filesystem::path &path) : m_path(path)
{
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        if (m_fd >= 0)
            ::close(m_fd);
        throw CliFailure{ExitStatus::UsageOrInputOutput, PathMessage(path, user_texts::kFileNotAccessible)};
    }
    if (S_ISREG(info.st_mode))
        m_size = static_cast<std::uint64_t>(info.st_size);
    m_device = info.st_dev;
    m_inode = info.st_ino;
}

bool InputFile::sameFileAs(int fd) const
{
    struct stat info;
    return ::fstat(fd, &info) == 0 && info.st_dev == m_device && info.st_ino == m_inode;
}

bool InputFile::sameFileAs(const std::filesystem::path &other) const
{
    struct stat info;
    return ::stat(other.c_str(), &info) == 0 && info.st_dev == m_device && info.st_ino == m_inode;
}

InputFile::~InputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::span<const std::uint8_t> InputFile::start(std::size_t count)
{
    m_start.resize(count);
    m_start.resize(readFile(m_start));
    return m_start;
}

std::size_t InputFile::read(std::span<std::uint8_t> into)
{
    const std::size_t kept = std::min(into.size(), m_start.size() - m_startTaken);
    std::copy_n(m_start.begin() + static_cast<std::ptrdiff_t>(m_startTaken), kept, into.begin());
    m_startTaken += kept;
    return kept + readFile(into.subspan(kept));
}

std::size_t InputFile::readFile(std::span<std::uint8_t> into)
{
    std::size_t filled = 0;
    while (filled < into.size()) {
        const ssize_t got = ::read(m_fd, into.data() + filled, into.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw CliFailure{ExitStatus::UsageOrInputOutput, PathMessage(m_path, user_texts::kLoadError)};
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    return filled;
}

} // namespace ombre::cli
