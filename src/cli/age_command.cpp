// The strong format's side of crypter, decrypter and authentifier: age files sealed with a
// passphrase, binary or armoured, streamed in pieces both ways.

#include "cipher/age/age.h"
#include "cipher/ansi.h"
#include "cipher/container.h" // kPieceSize
#include "cipher/file_name.h"
#include "cipher/secure_wipe.h"
#include "cipher/text_routines.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/paths.h"
#include "platform/atomic_file.h"

namespace ombre::cli {
namespace {

namespace fs = std::filesystem;

// Opening stops at the first result that is not Ok: a wrong passphrase says so with the status of
// a wrong password, anything else is a file this tool cannot open.
[[noreturn]] void openFailure(const fs::path &file, age::Result result)
{
    switch (result) {
    case age::Result::WrongPassphrase:
        throw CliFailure{ExitStatus::WrongPassword, PathMessage(file, user_texts::kAgeWrongPassphrase)};
    case age::Result::NotPassphrase:
        throw CliFailure{ExitStatus::UnknownFormat, PathMessage(file, user_texts::kAgeNotPassphrase)};
    case age::Result::NotAge:
        throw CliFailure{ExitStatus::UnknownFormat, PathMessage(file, user_texts::kFormatNotRecognised)};
    case age::Result::Damaged:
    case age::Result::Ok:
        break;
    }
    throw CliFailure{ExitStatus::UnknownFormat, PathMessage(file, user_texts::kAgeDamaged)};
}

// Feeds the file to `reader` in pieces until a result is final or `enough` says the rest is not
// needed; then the reader's verdict on what it was given.
template <class Enough>
age::Result feedAll(InputFile &input, age::Reader &reader, Enough &&enough)
{
    std::vector<std::uint8_t> piece(kPieceSize); // sealed bytes: nothing to wipe
    while (!enough()) {
        const std::size_t got = input.read(piece);
        if (got == 0)
            break;
        if (const age::Result result = reader.feed(std::span(piece).first(got)); result != age::Result::Ok)
            return result;
    }
    return reader.finish();
}

std::string recipientsText(const age::HeaderFacts &facts)
{
    if (facts.workFactor > 0)
        return "scrypt, facteur de travail " + std::to_string(facts.workFactor);
    std::string types;
    for (const std::string &type : facts.stanzaTypes)
        types += (types.empty() ? "" : ", ") + CleanControlCharacters(type);
    return "destinataires : " + types;
}

std::string openedName(const fs::path &file)
{
    return age::OpenedFileName(file.filename().string());
}

} // namespace

ExitStatus SealAgeFile(const Arguments &args, CliContext &context)
{
    const fs::path source = args.file;
    InputFile input(source);
    // The whole name stays: rapport.pdf.age opens back to rapport.pdf.
    const fs::path target =
        ChooseOutput(args.output, source, source.filename().string() + std::string(age::kExtension));
    CheckTarget(input, target, args.replace, kWouldReplaceSource);

    SecretText passphrase;
    ObtainAgePassphrase(PasswordSourceFor(args, context, input), true, passphrase.text);
    AtomicFile file(target, args.replace);
    age::Writer writer(
        passphrase.text, args.ascii, [&file](std::span<const std::uint8_t> bytes) { file.write(bytes); },
        context.ageWorkFactor);
    SecretBytes buffer(kPieceSize);
    while (const std::size_t got = input.read(buffer.bytes))
        writer.write(std::span(buffer.bytes).first(got));
    writer.finish();
    file.commit();

    context.out << target.string() << '\n' << AnsiToUtf8(EncryptedFileNoticeText()) << '\n';
    return ExitStatus::Done;
}

ExitStatus OpenAgeFile(const Arguments &args, CliContext &context, InputFile &input)
{
    const fs::path folder = args.folder.value_or(".");
    const fs::path target = folder / openedName(input.path());
    CheckTarget(input, target, args.replace, user_texts::kWouldReplaceContainer);

    SecretText passphrase;
    ObtainAgePassphrase(PasswordSourceFor(args, context, input), false, passphrase.text);
    // Chunks go to the unnamed temporary file as they are verified; the file appears only once
    // the last one is, so a file cut short or tampered with leaves nothing behind.
    AtomicFile file(target, args.replace);
    age::Reader reader(passphrase.text, [&file](std::span<const std::uint8_t> plain) { file.write(plain); });
    if (const age::Result result = feedAll(input, reader, [] { return false; }); result != age::Result::Ok)
        openFailure(input.path(), result);
    file.commit();

    context.out << target.string() << '\n' << AnsiToUtf8(DecryptedFileNoticeText()) << '\n';
    return ExitStatus::Done;
}

ExitStatus AuthenticateAgeFile(const Arguments &args, CliContext &context, InputFile &input)
{
    SecretText passphrase;
    ObtainAgePassphrase(PasswordSourceFor(args, context, input), false, passphrase.text);
    // Only the header is read: the passphrase is proven by opening its stanza and checking its MAC.
    age::Reader reader(passphrase.text);
    const age::Result result = feedAll(input, reader, [&reader] { return reader.headerComplete(); });
    if (!reader.headerComplete())
        openFailure(input.path(), result);

    const age::HeaderFacts &facts = reader.facts();
    const std::string name = openedName(input.path());
    context.out << name << '\n'
                << age::kVersionLine << (facts.armoured ? " (armure texte)" : "") << '\n'
                << recipientsText(facts) << '\n'
                << (age::OpensAsDocument(name) ? kTypeDocument : kTypeFile) << '\n';
    if (result != age::Result::Ok)
        openFailure(input.path(), result);
    context.out << kPassphraseOpens << '\n';
    return ExitStatus::Done;
}

} // namespace ombre::cli
