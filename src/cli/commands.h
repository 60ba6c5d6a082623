#pragma once
// The three sub-commands. Each returns ExitStatus::Done or throws CliFailure.

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/cli_failure.h"
#include "cli/input_file.h"
#include "cli/password.h"

namespace ombre {
struct CipherState;
}

namespace ombre::cli {

ExitStatus SealFile(const Arguments &args, CliContext &context);
ExitStatus OpenContainerFile(const Arguments &args, CliContext &context);
ExitStatus AuthenticateContainer(const Arguments &args, CliContext &context);

// The strong format's sub-commands, for a file that RecogniseAge takes for age (opening) or
// with --format age (sealing); `input` is the file to open, not read yet.
ExitStatus SealAgeFile(const Arguments &args, CliContext &context);
ExitStatus OpenAgeFile(const Arguments &args, CliContext &context, InputFile &input);
ExitStatus AuthenticateAgeFile(const Arguments &args, CliContext &context, InputFile &input);

// Refuses a `reading` file that is the stream the password comes from: not one byte of it may be
// read before (what a file is, is told from its first bytes).
void RefusePasswordStream(const Arguments &args, const CliContext &context, const InputFile &reading);

// Where the password comes from, as the arguments say. Refuses first a `reading` file that is the
// stream the password comes from.
PasswordSource PasswordSourceFor(const Arguments &args, CliContext &context, const InputFile &reading);

// Loads the cipher's key from the password, taken where the arguments say; `confirm` asks twice
// on the terminal. Refuses first a `reading` file that is the stream the password comes from.
void LoadKey(CipherState &cipher, const Arguments &args, CliContext &context, const InputFile &reading,
             bool confirm);

} // namespace ombre::cli
