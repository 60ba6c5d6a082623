#pragma once
// The password of a sub-command: typed on the terminal without echo, or one line of standard
// input; never an argument, which other users could read in the process list.

#include "cipher/password_rule.h"

#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace ombre::cli {

struct PasswordSource {
    bool fromStandardInput = false;
    std::istream *standardInput = nullptr;
    // Asks on the terminal without echo; empty when there is no terminal.
    std::function<std::optional<std::string>(std::string_view prompt)> askTerminal;
};

// The key text (Windows-1252) of a valid password; asks twice on the terminal when `confirm`.
// Throws CliFailure with the reason otherwise. Every copy of the typed text is wiped.
std::string ObtainPassword(const PasswordSource &source, bool confirm);

// Reads one line from the controlling terminal with echo off, restoring it afterwards (also when
// interrupted). Empty when the process has no terminal.
std::optional<std::string> ReadPasswordFromTerminal(std::string_view prompt);

} // namespace ombre::cli
