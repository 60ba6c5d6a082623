#pragma once
// How a sub-command of the tool ends when it cannot finish: an exit status and the French
// message for the user. Thrown inside the tool's working code and caught in one place, which
// prints the message; whatever was being written is discarded on the way out.

#include <string>

namespace ombre::cli {

enum class ExitStatus : int {
    Done = 0,
    UsageOrInputOutput = 1,
    UnknownFormat = 2,
    // The owner name does not decipher (compatible format) or the passphrase does not open the
    // file (age).
    WrongPassword = 3,
};

struct CliFailure {
    ExitStatus status;
    std::string message;
};

} // namespace ombre::cli
