#pragma once
// A file written in full or not at all. The bytes go to an unnamed temporary file in the target's
// folder (O_TMPFILE), which commit() flushes to disk and links in as the target: until then, and
// after any failure or a killed process, the folder holds nothing new. Where the file system
// has no unnamed files, a hidden named one takes its place and is removed when the object goes
// uncommitted; a signal handler can remove it too (PendingTemporaryFile). Standard C++ and POSIX
// only, for the command-line tool and the program alike.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace ombre {

class AtomicFile {
public:
    // Opens the temporary file. With `replace` false, commit() never replaces a file that exists
    // by then. Failures throw std::filesystem::filesystem_error naming the target;
    // std::errc::file_exists when the target exists and may not be replaced.
    AtomicFile(std::filesystem::path target, bool replace);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    void write(std::span<const std::uint8_t> bytes);
    void write(std::string_view text);
    // Puts the file in place with the mode of the file it replaces, or the user's default mode.
    void commit();

    const std::filesystem::path &target() const { return m_target; }

private:
    [[noreturn]] void fail(int error) const;
    void openNamedTemporary();
    void linkUnnamed();
    void renameNamed();
    void discard();

    std::filesystem::path m_target;
    std::string m_temporary; // the fallback's name; empty for an unnamed file
    bool m_replace;
    int m_fd = -1;
};

// The named temporary file being written, for a signal handler to remove: a path that stays valid
// while it is published, or nullptr. Reading it is async-signal-safe.
const char *PendingTemporaryFile();

} // namespace ombre
