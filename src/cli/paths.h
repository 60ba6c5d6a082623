#pragma once
// Checks on paths that never throw: a path that cannot be examined counts as "no", and the
// operation that follows reports the real problem.

#include "cli/cli_failure.h"
#include "cli/input_file.h"
#include "cli/messages.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
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

// Refuses a target that exists, unless `replace`; and always one that is the file being read,
// which writing would lose (`wouldReplaceInput` says why).
inline void CheckTarget(const InputFile &input, const std::filesystem::path &target, bool replace,
                        std::string_view wouldReplaceInput)
{
    if (!PathExists(target))
        return;
    if (input.sameFileAs(target))
        throw CliFailure{ExitStatus::UsageOrInputOutput, PathMessage(target, wouldReplaceInput)};
    if (!replace)
        throw CliFailure{ExitStatus::UsageOrInputOutput, PathMessage(target, kAlreadyExists)};
}

// Where a new file named `name` goes: beside `source` without --sortie, in the folder --sortie
// names, or at the path it gives.
inline std::filesystem::path ChooseOutput(const std::optional<std::string> &output,
                                          const std::filesystem::path &source, const std::string &name)
{
    if (!output)
        return source.parent_path() / name;
    if (IsFolder(*output))
        return std::filesystem::path(*output) / name;
    return *output;
}

} // namespace ombre::cli
