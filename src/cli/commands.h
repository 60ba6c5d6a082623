#pragma once
// The three sub-commands. Each returns ExitStatus::Done or throws CliFailure.

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/cli_failure.h"

namespace ombre::cli {

ExitStatus SealFile(const Arguments &args, CliContext &context);
ExitStatus OpenContainerFile(const Arguments &args, CliContext &context);
ExitStatus AuthenticateContainer(const Arguments &args, CliContext &context);

// The key text of the password the arguments say where to take from.
std::string AskPassword(const Arguments &args, CliContext &context, bool confirm);

} // namespace ombre::cli
