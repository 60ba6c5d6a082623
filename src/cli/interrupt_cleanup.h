#pragma once
// What the tool undoes when the user interrupts it (Ctrl-C, SIGTERM, a closed terminal): the
// terminal gets its echo back and a temporary file being written is removed, so an interrupted
// run leaves no half-written file and no silent terminal behind.

#include <termios.h>

namespace ombre::cli {

// Installs the handlers; the main function calls it once.
void InstallInterruptCleanup();

// The terminal settings to restore on `fd` (nullptr: none). The settings must outlive the
// registration.
void SetTerminalForCleanup(int fd, const termios *saved);

} // namespace ombre::cli
