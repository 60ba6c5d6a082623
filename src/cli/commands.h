#pragma once
// The three sub-commands. Each returns ExitStatus::Done or throws CliFailure.

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/cli_failure.h"
#include "cli/input_file.h"

namespace ombre {
struct CipherState;
}

namespace ombre::cli {

ExitStatus SealFile(const Arguments &args, CliContext &context);
ExitStatus OpenContainerFile(const Arguments &args, CliContext &context);
ExitStatus AuthenticateContainer(const Arguments &args, CliContext &context);

// Loads the cipher's key from the password, taken where the arguments say; `confirm` asks twice
// on the terminal. Refuses first a `reading` file that is the stream the password comes from.
void LoadKey(CipherState &cipher, const Arguments &args, CliContext &context, const InputFile &reading,
             bool confirm);

} // namespace ombre::cli
