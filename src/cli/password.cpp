#include "cli/password.h"

#include "cipher/secure_wipe.h"
#include "cli/cli_failure.h"
#include "cli/interrupt_cleanup.h"
#include "cli/messages.h"

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace ombre::cli {
namespace {

// Long enough for any sensible answer; more is refused as too long without growing the buffer,
// so no copy of a secret is left behind by a reallocation.
constexpr std::size_t kLineLimit = 256;

// Appends one line (without its CR LF or LF) to `line`; false at the end of the input before
// any character. Characters past the limit are read and dropped, leaving the line over-long.
template <class NextChar>
bool readLine(std::string &line, NextChar &&next)
{
    bool any = false;
    for (int c; (c = next()) >= 0;) {
        any = true;
        if (c == '\n')
            break;
        if (line.size() <= kLineLimit)
            line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

[[noreturn]] void refuse(std::string_view message)
{
    throw CliFailure{ExitStatus::UsageOrInputOutput, std::string(message)};
}

std::string askOnce(const PasswordSource &source, std::string_view prompt)
{
    if (source.fromStandardInput) {
        SecretText line;
        line.text.reserve(kLineLimit + 1);
        readLine(line.text, [&] { return source.standardInput->get(); });
        return line.text;
    }
    std::optional<std::string> typed = source.askTerminal ? source.askTerminal(prompt) : std::nullopt;
    if (!typed)
        refuse(kNoTerminal);
    return std::move(*typed);
}

} // namespace

std::string ObtainPassword(const PasswordSource &source, bool confirm)
{
    SecretText typed;
    typed.text = askOnce(source, kPasswordPrompt);
    std::string key;
    switch (CheckPassword(typed.text, key)) {
    case PasswordProblem::Empty: refuse(user_texts::kPasswordRequired);
    case PasswordProblem::TooLong: refuse(user_texts::kPasswordTooLong);
    case PasswordProblem::NotAnsi: refuse(user_texts::kPasswordNotAnsi);
    case PasswordProblem::None: break;
    }
    if (confirm && !source.fromStandardInput) {
        SecretText again;
        again.text = askOnce(source, kConfirmPrompt);
        if (again.text != typed.text) {
            secureWipe(key);
            refuse(kPasswordsDiffer);
        }
    }
    return key;
}

std::optional<std::string> ReadPasswordFromTerminal(std::string_view prompt)
{
    const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    termios saved;
    if (::tcgetattr(fd, &saved) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL; // the user still sees the line end
    SetTerminalForCleanup(fd, &saved);
    [[maybe_unused]] const ssize_t shown = ::write(fd, prompt.data(), prompt.size());
    ::tcsetattr(fd, TCSAFLUSH, &quiet);

    SecretText line;
    line.text.reserve(kLineLimit + 1);
    readLine(line.text, [fd] {
        unsigned char c;
        ssize_t got;
        while ((got = ::read(fd, &c, 1)) < 0 && errno == EINTR) {
        }
        return got == 1 ? int{c} : -1;
    });

    ::tcsetattr(fd, TCSAFLUSH, &saved);
    SetTerminalForCleanup(-1, nullptr);
    ::close(fd);
    return line.text;
}

} // namespace ombre::cli
