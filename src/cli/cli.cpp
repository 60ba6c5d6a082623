#include "cli/cli.h"

#include "cipher/cipher.h"
#include "cipher/secure_wipe.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/password.h"

#include <filesystem>

namespace ombre::cli {

void RefusePasswordStream(const Arguments &args, const CliContext &context, const InputFile &reading)
{
    if (args.passwordFromStandardInput && context.inDescriptor >= 0 && reading.sameFileAs(context.inDescriptor))
        throw CliFailure{ExitStatus::UsageOrInputOutput, PathMessage(reading.path(), kFileIsPasswordInput)};
}

PasswordSource PasswordSourceFor(const Arguments &args, CliContext &context, const InputFile &reading)
{
    RefusePasswordStream(args, context, reading);
    PasswordSource source;
    source.fromStandardInput = args.passwordFromStandardInput;
    source.standardInput = &context.in;
    source.askTerminal = context.askTerminal;
    return source;
}

void LoadKey(CipherState &cipher, const Arguments &args, CliContext &context, const InputFile &reading,
             bool confirm)
{
    SecretText key;
    ObtainPassword(PasswordSourceFor(args, context, reading), confirm, key.text);
    CipherSetKey(cipher, key.text);
}

int RunCli(const std::vector<std::string> &args, CliContext &context)
{
    ExitStatus status = ExitStatus::Done;
    try {
        const Arguments parsed = ParseArguments(args);
        switch (parsed.command) {
        case Command::Help:
            context.out << HelpText();
            status = ExitStatus::Done;
            break;
        case Command::Seal:
            status = SealFile(parsed, context);
            break;
        case Command::Open:
            status = OpenContainerFile(parsed, context);
            break;
        case Command::Authenticate:
            status = AuthenticateContainer(parsed, context);
            break;
        }
    } catch (const CliFailure &failure) {
        context.err << kProgramName << " : " << failure.message << '\n';
        status = failure.status;
    } catch (const std::filesystem::filesystem_error &failure) {
        // What the atomic writer of the output reports, naming the file.
        const bool exists = failure.code() == std::errc::file_exists;
        context.err << kProgramName << " : "
                    << PathMessage(failure.path1(), exists ? kAlreadyExists : user_texts::kSaveError) << '\n';
        status = ExitStatus::UsageOrInputOutput;
    } catch (const std::bad_alloc &) {
        context.err << kProgramName << " : mémoire insuffisante.\n";
        status = ExitStatus::UsageOrInputOutput;
    } catch (const std::exception &error) {
        // Nothing is expected here; the tool still ends cleanly, its output discarded.
        context.err << kProgramName << " : erreur inattendue (" << error.what() << ").\n";
        status = ExitStatus::UsageOrInputOutput;
    }
    context.out.flush();
    return static_cast<int>(status);
}

} // namespace ombre::cli
