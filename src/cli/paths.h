#pragma once
// Checks on paths that never throw: a path that cannot be examined counts as "no", and the
// operation that follows reports the real problem.

#include <filesystem>
#include <system_error>

namespace ombre::cli {

inline bool IsFolder(const std::filesystem::path &path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// True also for a link that points nowhere, which a new file must not replace either.
inline bool PathExists(const std::filesystem::path &path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

} // namespace ombre::cli
