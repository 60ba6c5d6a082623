#pragma once
// The command-line tool as a function, so that tests run it without a process.

#include "cipher/age/age.h"

#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace ombre::cli {

struct CliContext {
    std::istream &in;   // the password line with --mot-de-passe-stdin
    std::ostream &out;  // results
    std::ostream &err;  // messages
    // Asks on the terminal without echo; empty when there is no terminal.
    std::function<std::optional<std::string>(std::string_view prompt)> askTerminal;
    // The owner name sealed when --proprietaire is not given (UTF-8).
    std::function<std::string()> defaultOwnerName;
    // The descriptor `in` reads, when it reads one (the process's standard input). A file to
    // seal or open that is this same stream is refused with --mot-de-passe-stdin: the password
    // line would be taken from it, or the file read from its start again.
    int inDescriptor = -1;
    // scrypt's work factor for sealing in the strong format; tests lower it to run fast.
    int ageWorkFactor = age::kSealWorkFactor;
};

// Runs the tool on the arguments after the program name; returns the exit status.
int RunCli(const std::vector<std::string> &args, CliContext &context);

} // namespace ombre::cli
