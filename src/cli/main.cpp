#include "cli/cli.h"
#include "cli/default_owner.h"
#include "cli/interrupt_cleanup.h"
#include "cli/password.h"

#include <iostream>

int main(int argc, char **argv)
{
    using namespace ombre::cli;
    InstallInterruptCleanup();
    CliContext context{std::cin, std::cout, std::cerr, ReadPasswordFromTerminal, DefaultOwnerName};
    return RunCli(std::vector<std::string>(argv + 1, argv + argc), context);
}
