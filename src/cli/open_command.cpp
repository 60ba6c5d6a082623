// decrypter and authentifier: both read a container in pieces and decipher its owner name; the
// first goes on to write the content under the source name.

#include "cipher/age/age.h"
#include "cipher/ansi.h"
#include "cipher/container.h"
#include "cipher/file_name.h"
#include "cipher/secure_wipe.h"
#include "cipher/text_routines.h"
#include "cli/commands.h"
#include "cli/container_io.h"
#include "cli/messages.h"
#include "cli/paths.h"
#include "platform/atomic_file.h"

#include <optional>

namespace ombre::cli {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void unknownFormat(const fs::path &path)
{
    throw CliFailure{ExitStatus::UnknownFormat, PathMessage(path, user_texts::kFormatNotRecognised)};
}

// An owner name that deciphers to something else than letters and spaces is the sign of a wrong
// password (or a damaged file); an empty one tells nothing.
bool ownerFailsCheck(const std::string &owner)
{
    return !owner.empty() && CheckOwnerName(owner) != owner;
}

std::string typeText(std::uint8_t contentType)
{
    switch (contentType) {
    case static_cast<std::uint8_t>(ContainerContent::Document): return std::string(kTypeDocument);
    case static_cast<std::uint8_t>(ContainerContent::File): return std::string(kTypeFile);
    default: return "Inconnu (" + std::to_string(contentType) + ")";
    }
}

} // namespace

ExitStatus OpenContainerFile(const Arguments &args, CliContext &context)
{
    const fs::path container = args.file;
    const fs::path folder = args.folder.value_or(".");
    if (!IsFolder(folder))
        throw CliFailure{ExitStatus::UsageOrInputOutput, PathMessage(folder, kNotAFolder)};

    InputFile input(container);
    RefusePasswordStream(args, context, input);
    if (age::RecogniseAge(input.start(age::kRecognitionBytes)) != age::Encoding::NotAge)
        return OpenAgeFile(args, context, input);
    CipherState cipher;
    CipherKeyGuard guard(cipher);
    LoadKey(cipher, args, context, input, false);
    ContainerReader reader(cipher);
    std::optional<AtomicFile> file;

    // Decided once the whole owner name is known, before any content is written.
    const auto openOutput = [&] {
        const std::uint8_t type = reader.header().ContentType;
        if (type != static_cast<std::uint8_t>(ContainerContent::Document)
            && type != static_cast<std::uint8_t>(ContainerContent::File))
            throw CliFailure{ExitStatus::UnknownFormat, PathMessage(container, kUnknownContentType)};
        if (ownerFailsCheck(reader.ownerName()) && !args.force)
            throw CliFailure{ExitStatus::WrongPassword, PathMessage(container, kOwnerCheckFailed)};
        const fs::path target = folder / DecryptedFileName(reader.header().SourceName, container.string());
        // The header names the container itself when it lies in the output folder: replacing
        // it would lose the only sealed copy, and with a wrong password, everything.
        CheckTarget(input, target, args.replace, user_texts::kWouldReplaceContainer);
        file.emplace(target, args.replace);
    };

    ReadContainer(input, [&](std::span<std::uint8_t> piece) {
        const std::span<std::uint8_t> content = reader.feed(piece);
        if (reader.refused())
            unknownFormat(container);
        if (!file && reader.ownerNameComplete())
            openOutput();
        if (!content.empty())
            file->write(content);
        return true;
    });
    if (reader.finish() != ContainerResult::Ok)
        unknownFormat(container);
    if (!file) // the body ended inside the owner name
        openOutput();
    file->commit();

    context.out << file->target().string() << '\n'
                << AnsiToUtf8(DecryptedFileNoticeText()) << '\n'
                << AnsiToUtf8(OwnerLabelText()) << CheckedOwnerText(reader.ownerName()) << '\n';
    return ExitStatus::Done;
}

ExitStatus AuthenticateContainer(const Arguments &args, CliContext &context)
{
    const fs::path container = args.file;
    InputFile input(container);
    RefusePasswordStream(args, context, input);
    if (age::RecogniseAge(input.start(age::kRecognitionBytes)) != age::Encoding::NotAge)
        return AuthenticateAgeFile(args, context, input);
    CipherState cipher;
    CipherKeyGuard guard(cipher);
    LoadKey(cipher, args, context, input, false);
    ContainerReader reader(cipher);
    // Only the header and the owner name are needed; reading stops there.
    ReadContainer(input, [&](std::span<std::uint8_t> piece) {
        reader.feed(piece);
        if (reader.refused())
            unknownFormat(container);
        return !reader.ownerNameComplete();
    });
    if (reader.finish() != ContainerResult::Ok)
        unknownFormat(container);

    const TCryptHeader &header = reader.header();
    context.out << CleanControlCharacters(DecodeHeaderText(header.SourceName)) << '\n'
                << std::string(header.FormatTag.begin(), header.FormatTag.end()) << '\n'
                << int{header.FormatVersion} << '\n'
                << typeText(header.ContentType) << '\n'
                << CheckedOwnerText(reader.ownerName()) << '\n';
    return ownerFailsCheck(reader.ownerName()) ? ExitStatus::WrongPassword : ExitStatus::Done;
}

} // namespace ombre::cli
