#pragma once
// A file read from start to end in pieces.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>
#include <sys/types.h>

namespace ombre::cli {

class InputFile {
public:
    // Throws CliFailure ("not accessible") when the file cannot be opened or is a folder.
    explicit InputFile(const std::filesystem::path &path);
    ~InputFile();
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;

    // The first `count` bytes of the file (fewer when it is shorter), read once and handed out
    // again by read(): what a file is can be told from its start, even on a pipe. Call before
    // any read().
    std::span<const std::uint8_t> start(std::size_t count);
    // Fills `into` as far as the file goes; 0 at its end. Throws CliFailure on a read error.
    std::size_t read(std::span<std::uint8_t> into);
    // The size at opening (0 for what is not a regular file).
    std::uint64_t size() const { return m_size; }
    const std::filesystem::path &path() const { return m_path; }

    // Whether this is the file (or pipe, or terminal) open on `fd`, or named by `other`: the same
    // device and inode, whatever the path says.
    bool sameFileAs(int fd) const;
    bool sameFileAs(const std::filesystem::path &other) const;

private:
    std::size_t readFile(std::span<std::uint8_t> into);

    std::filesystem::path m_path;
    int m_fd = -1;
    std::uint64_t m_size = 0;
    std::vector<std::uint8_t> m_start; // what start() read and read() has not handed out yet
    std::size_t m_startTaken = 0;
    dev_t m_device = 0;
    ino_t m_inode = 0;
};

} // namespace ombre::cli
