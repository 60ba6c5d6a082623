// crypter: seals a file into a container, plain or armoured, streaming it in pieces.

#include "cipher/ansi.h"
#include "cipher/container.h"
#include "cipher/file_name.h"
#include "cipher/secure_wipe.h"
#include "cipher/text_routines.h"
#include "cli/commands.h"
#include "cli/container_io.h"
#include "cli/input_file.h"
#include "cli/messages.h"
#include "cli/paths.h"
#include "platform/atomic_file.h"

namespace ombre::cli {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void usage(const std::string &problem)
{
    throw CliFailure{ExitStatus::UsageOrInputOutput, UsageMessage(problem)};
}

// --armure wins; otherwise the extension given to --sortie names the armour. The two must agree,
// since a container is opened by its extension.
ArmourKind chooseArmour(const Arguments &args)
{
    const std::optional<ArmourKind> named = args.output && !IsFolder(*args.output)
                                                ? ArmourKindNamedBy(*args.output)
                                                : std::nullopt;
    if (!args.armour)
        return named.value_or(ArmourKind::Cod);
    if (named && *named != *args.armour)
        usage("L'extension de --sortie ne correspond pas à l'armure " + std::string(ArmourExtension(*args.armour)) + ".");
    return *args.armour;
}

} // namespace

ExitStatus SealFile(const Arguments &args, CliContext &context)
{
    if (args.ageFormat)
        return SealAgeFile(args, context);
    const fs::path source = args.file;
    const ArmourKind armour = chooseArmour(args);
    InputFile input(source);
    const fs::path target =
        ChooseOutput(args.output, source, ReplaceExtension(source.filename().string(), ArmourExtension(armour)));
    CheckTarget(input, target, args.replace, kWouldReplaceSource);

    CipherState cipher;
    CipherKeyGuard guard(cipher);
    LoadKey(cipher, args, context, input, true);
    const std::string owner = args.owner ? *args.owner : context.defaultOwnerName();
    const std::string sourceName = source.filename().string();

    ContainerWriter writer(cipher, ContainerContent::File, sourceName, owner);
    const std::vector<std::uint8_t> start = writer.start();
    AtomicFile file(target, args.replace);
    ContainerOutput output(file, armour, ArmourBeginName(sourceName), start.size() + input.size());
    output.write(start);

    SecretBytes buffer(kPieceSize);
    while (const std::size_t got = input.read(buffer.bytes)) {
        const auto piece = std::span(buffer.bytes).first(got);
        writer.seal(piece);
        output.write(piece);
    }
    output.finish();
    file.commit();

    context.out << target.string() << '\n'
                << AnsiToUtf8(EncryptedFileNoticeText()) << '\n'
                << AnsiToUtf8(OwnerLabelText()) << CheckedOwnerText(FitOwnerName(owner)) << '\n';
    return ExitStatus::Done;
}

} // namespace ombre::cli
