#include "cli/cli.h"
#include "cli/default_owner.h"
#include "cli/interrupt_cleanup.h"
#include "cli/password.h"
#include "platform/process_hardening.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char **argv)
{
    using namespace ombre::cli;
    ombre::CloseProcessToOthers();
    InstallInterruptCleanup();
    DescriptorBuffer standardInputBuffer(STDIN_FILENO);
    std::istream standardInput(&standardInputBuffer);
    CliContext context{standardInput, std::cout, std::cerr, ReadPasswordFromTerminal, DefaultOwnerName,
                       STDIN_FILENO};
    return RunCli(std::vector<std::string>(argv + 1, argv + argc), context);
}
