#include "cli/password.h"

#include "cipher/secure_wipe.h"
#include "cipher/user_texts.h"
#include "cli/cli_failure.h"
#include "cli/interrupt_cleanup.h"
#include "cli/messages.h"

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace ombre::cli {
namespace {

// Long enough for the longest passphrase; more is refused as too long without growing the
// buffer, so no copy of a secret is left behind by a reallocation.
constexpr std::size_t kLineLimit = kMaxAgePassphraseBytes;

// Reads one line (without its CR LF or LF) into `line`, each byte straight into the string's own
// storage, reserved beforehand; false at the end of the input before any character. Characters
// past the limit are read and dropped, leaving the line over-long. `readByte(char &)` is false
// at the end of the input.
template <class ReadByte>
bool readLine(std::string &line, ReadByte &&readByte)
{
    line.clear();
    // One more than the longest line kept: the byte past it is read in place before it is dropped.
    line.reserve(kLineLimit + 2);
    bool any = false;
    for (;;) {
        line.push_back('\0');
        if (!readByte(line.back())) {
            line.pop_back();
            break;
        }
        any = true;
        if (line.back() == '\n') {
            line.pop_back();
            break;
        }
        if (line.size() > kLineLimit + 1)
            line.pop_back();
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

bool readByteFrom(int fd, char &byte)
{
    ssize_t got;
    while ((got = ::read(fd, &byte, 1)) < 0 && errno == EINTR) {
    }
    return got == 1;
}

[[noreturn]] void refuse(std::string_view message)
{
    throw CliFailure{ExitStatus::UsageOrInputOutput, std::string(message)};
}

void askOnce(const PasswordSource &source, std::string_view prompt, std::string &line)
{
    if (source.fromStandardInput) {
        readLine(line, [&](char &byte) { return static_cast<bool>(source.standardInput->get(byte)); });
        return;
    }
    std::optional<std::string> typed = source.askTerminal ? source.askTerminal(prompt) : std::nullopt;
    if (!typed)
        refuse(kNoTerminal);
    // Copied into the caller's buffer rather than moved: a short answer lives inside the string
    // object itself, which a move would copy without wiping.
    line.assign(*typed);
    secureWipe(*typed);
}

// Asks for the secret into `typed`, has `check` refuse it (by throwing) before anything else
// is asked, then asks again on the terminal when `confirm`.
template <class Check>
void askChecked(const PasswordSource &source, bool confirm, std::string &typed, Check &&check)
{
    askOnce(source, kPasswordPrompt, typed);
    check();
    if (confirm && !source.fromStandardInput) {
        SecretText again;
        askOnce(source, kConfirmPrompt, again.text);
        if (again.text != typed)
            refuse(kPasswordsDiffer);
    }
}

} // namespace

void ObtainPassword(const PasswordSource &source, bool confirm, std::string &key)
{
    SecretText typed;
    try {
        askChecked(source, confirm, typed.text, [&] {
            switch (CheckPassword(typed.text, key)) {
            case PasswordProblem::Empty: refuse(user_texts::kPasswordRequired);
            case PasswordProblem::TooLong: refuse(user_texts::kPasswordTooLong);
            case PasswordProblem::NotAnsi: refuse(user_texts::kPasswordNotAnsi);
            case PasswordProblem::NotUtf8:
            case PasswordProblem::None: break;
            }
        });
    } catch (...) {
        secureWipe(key);
        throw;
    }
}

void ObtainAgePassphrase(const PasswordSource &source, bool confirm, std::string &passphrase)
{
    askChecked(source, confirm, passphrase, [&] {
        switch (CheckAgePassphrase(passphrase)) {
        case PasswordProblem::Empty: refuse(user_texts::kPasswordRequired);
        case PasswordProblem::TooLong: refuse(user_texts::kAgePassphraseTooLong);
        case PasswordProblem::NotUtf8: refuse(user_texts::kAgePassphraseNotUtf8);
        case PasswordProblem::NotAnsi:
        case PasswordProblem::None: break;
        }
    });
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
    // Echo goes off before the prompt shows, so that no character typed after it is echoed; and
    // at once rather than after a flush, which would throw away what was typed ahead.
    if (::tcsetattr(fd, TCSANOW, &quiet) != 0) {
        SetTerminalForCleanup(-1, nullptr);
        ::close(fd);
        return std::nullopt;
    }
    [[maybe_unused]] const ssize_t shown = ::write(fd, prompt.data(), prompt.size());

    // Reserved before reading, so that the answer lives on the heap and moves without a copy.
    std::optional<std::string> line(std::in_place);
    readLine(*line, [fd](char &byte) { return readByteFrom(fd, byte); });

    // Once the echoed line end has been written out.
    ::tcsetattr(fd, TCSADRAIN, &saved);
    SetTerminalForCleanup(-1, nullptr);
    ::close(fd);
    return line;
}

DescriptorBuffer::~DescriptorBuffer()
{
    secureWipe(&m_byte, 1);
}

DescriptorBuffer::int_type DescriptorBuffer::underflow()
{
    if (!readByteFrom(m_fd, m_byte))
        return traits_type::eof();
    setg(&m_byte, &m_byte, &m_byte + 1);
    return traits_type::to_int_type(m_byte);
}

} // namespace ombre::cli
