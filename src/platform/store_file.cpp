#include "platform/store_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ombre::reg {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

StoreFile readStoreFile(const std::string &path, std::size_t limit)
{
    StoreFile file;
    // Non-blocking: a pipe or a terminal with nothing to give is unreadable, not a wait forever.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) {
        file.state = errno == ENOENT || errno == ENOTDIR ? StoreFileState::Missing : StoreFileState::Unreadable;
        return file;
    }
    struct stat info;
    if (::fstat(fd.get(), &info) != 0 || S_ISDIR(info.st_mode)) {
        file.state = StoreFileState::Unreadable;
        return file;
    }
    if (S_ISREG(info.st_mode)) {
        if (static_cast<unsigned long long>(info.st_size) > limit) {
            file.state = StoreFileState::TooLarge;
            return file;
        }
        file.bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    // Read up to the limit, then one byte more tells a file that is too large from one that just
    // fits (a file that grows while being read is caught the same way). The string never needs
    // room past the limit.
    char piece[64 * 1024];
    for (;;) {
        const std::size_t want = file.bytes.size() < limit ? std::min(sizeof piece, limit - file.bytes.size()) : 1;
        const ssize_t got = ::read(fd.get(), piece, want);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            file.bytes.clear();
            file.state = StoreFileState::Unreadable;
            return file;
        }
        if (got == 0) {
            file.state = StoreFileState::Read;
            return file;
        }
        if (file.bytes.size() == limit)
            break;
        file.bytes.append(piece, static_cast<std::size_t>(got));
    }
    file.bytes = std::string();
    file.state = StoreFileState::TooLarge;
    return file;
}

} // namespace ombre::reg
