#pragma once
// The password of a sub-command: typed on the terminal without echo, or one line of standard
// input; never an argument, which other users could read in the process list.

#include "cipher/password_rule.h"

#include <functional>
#include <istream>
#include <optional>
#include <streambuf>
#include <string>
#include <string_view>

namespace ombre::cli {

struct PasswordSource {
    bool fromStandardInput = false;
    std::istream *standardInput = nullptr;
    // Asks on the terminal without echo; empty when there is no terminal.
    std::function<std::optional<std::string>(std::string_view prompt)> askTerminal;
};

// Puts the key text (Windows-1252) of a valid password in `key`; asks twice on the terminal when
// `confirm`. Throws CliFailure with the reason otherwise. Every copy of the typed text is wiped,
// and `key` is the caller's to wipe.
void ObtainPassword(const PasswordSource &source, bool confirm, std::string &key);

// Puts a passphrase for the strong format in `passphrase`, as typed (UTF-8, 1 to 1,024 bytes);
// asks twice on the terminal when `confirm`. Throws CliFailure with the reason otherwise;
// `passphrase` is the caller's to wipe.
void ObtainAgePassphrase(const PasswordSource &source, bool confirm, std::string &passphrase);

// Reads one line from the controlling terminal with echo off, restoring it afterwards (also when
// interrupted). Empty when the process has no terminal.
std::optional<std::string> ReadPasswordFromTerminal(std::string_view prompt);

// A descriptor read one byte at a time, without a buffer of its own: the password line is taken
// from standard input and nothing after it, which stays for whatever reads the descriptor next
// (a later command of a script). The one byte it holds is wiped when it goes.
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd) : m_fd(fd) {}
    ~DescriptorBuffer() override;

protected:
    int_type underflow() override;

private:
    int m_fd;
    char m_byte = 0;
};

} // namespace ombre::cli
