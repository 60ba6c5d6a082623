#pragma once
// A file written in full or not at all: the bytes go to a temporary file in the target's folder,
// which commit() flushes to disk and renames over the target. Until then, and on any failure, the
// target is untouched; the temporary file is removed when the object goes uncommitted.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace ombre::cli {

class AtomicFile {
public:
    // Creates the temporary file; throws CliFailure when the folder is not writable.
    // With `replace` false, commit() never replaces a file that exists by then.
    AtomicFile(std::filesystem::path target, bool replace);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // Throw CliFailure on a write error (a full disk, ...).
    void write(std::span<const std::uint8_t> bytes);
    void write(std::string_view text);
    void commit();

    const std::filesystem::path &target() const { return m_target; }

private:
    [[noreturn]] void fail() const;
    void discard();

    std::filesystem::path m_target;
    std::string m_temporary;
    bool m_replace;
    int m_fd = -1;
};

} // namespace ombre::cli
