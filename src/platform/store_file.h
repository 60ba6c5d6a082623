#pragma once
// Reading the store file, the one reader of its bytes for the program and the command-line tool.
// A store holds a few kilobytes; whatever the path names (a huge file, /dev/zero, a pipe), the
// reader takes at most the limit and never waits for data that may not come.

#include <cstddef>
#include <string>

namespace ombre::reg {

// Anything larger is not a store of ours.
inline constexpr std::size_t kMaxStoreFileBytes = 64 * 1024 * 1024;

enum class StoreFileState {
    Missing,    // no file (the defaults apply)
    Unreadable, // there, but it cannot be read now: it must not be overwritten
    TooLarge,   // more than the limit: not read further
    Read,
};

struct StoreFile {
    StoreFileState state = StoreFileState::Missing;
    std::string bytes; // the whole file when Read
};

StoreFile readStoreFile(const std::string &path, std::size_t limit = kMaxStoreFileBytes);

} // namespace ombre::reg
