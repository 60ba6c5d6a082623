#include "cli/cli.h"

#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/password.h"

namespace ombre::cli {

std::string AskPassword(const Arguments &args, CliContext &context, bool confirm)
{
    PasswordSource source;
    source.fromStandardInput = args.passwordFromStandardInput;
    source.standardInput = &context.in;
    source.askTerminal = context.askTerminal;
    return ObtainPassword(source, confirm);
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
