#include "cli/interrupt_cleanup.h"

#include "platform/atomic_file.h"

#include <csignal>
#include <initializer_list>
#include <unistd.h>

namespace ombre::cli {
namespace {

// Read by the signal handler, hence plain values that are set before they are published.
volatile std::sig_atomic_t g_terminalFd = -1;
const termios *volatile g_terminal = nullptr;

extern "C" void onInterrupt(int signal)
{
    if (g_terminal && g_terminalFd >= 0)
        ::tcsetattr(g_terminalFd, TCSANOW, g_terminal);
    // Only a named temporary file can be left behind; an unnamed one goes with the process.
    if (const char *temporary = PendingTemporaryFile())
        ::unlink(temporary);
    // Ends with the signal's own status, as the shell expects.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void InstallInterruptCleanup()
{
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        std::signal(signal, onInterrupt);
}

void SetTerminalForCleanup(int fd, const termios *saved)
{
    g_terminal = nullptr;
    g_terminalFd = fd;
    g_terminal = saved;
}

} // namespace ombre::cli
