// Opening an age file with its passphrase. Its plaintext is used only once the reader verified
// the whole file: a document window opens after that, and a file written back is put in place
// only then (until then it is an unnamed temporary file, dropped on any failure).

#include "cipher/secure_wipe.h"
#include "commands/age_files.h"
#include "commands/command_host.h"
#include "commands/command_support.h"
#include "commands/command_texts.h"
#include "commands/container_files.h"
#include "commands/progress_positions.h"
#include "commands/progress_window.h"
#include "platform/modal.h"
#include "settings/options.h"

#include <QFileInfo>
#include <optional>

namespace ombre {
namespace {

void openDocument(CommandHost &host, const QString &path, const QString &name, FileReader &file,
                  std::string_view passphrase, CipherPositions &positions)
{
    // The plaintext is never longer than the file: room for all of it at once, so that the buffer
    // is never moved (leaving a copy behind) while it grows.
    SecretBytes plain;
    plain.bytes.reserve(file.size());
    age::Reader reader(passphrase, [&plain](std::span<const std::uint8_t> bytes) {
        if (bytes.size() > plain.bytes.capacity() - plain.bytes.size())
            throw CommandFailure("the file grew while it was read");
        plain.bytes.insert(plain.bytes.end(), bytes.begin(), bytes.end());
    });
    const age::Result result = feedFromFile(reader, file, false, &positions);
    host.ProgressWindow().HideProgress();
    if (result != age::Result::Ok) {
        reportAgeResult(host, path, result);
        return;
    }
    // age names no owner: the owner panel stays empty.
    DecryptedDocument document;
    document.SourceName = name;
    document.ContainerPath = QFileInfo(path).absoluteFilePath();
    document.Content = QByteArrayView(plain.bytes.data(), static_cast<qsizetype>(plain.bytes.size()));
    document.ReadOnly = ProgramOptions().ReadOnly;
    host.OpenDecryptedDocument(document);
}

// The header is read first: a wrong passphrase, or a file sealed for keys, is told before the
// target is asked for; a cancelled SaveCrypter then leaves no plaintext anywhere.
void saveFile(CommandHost &host, const QString &path, const QString &name, FileReader &file,
              std::string_view passphrase, CipherPositions &positions)
{
    TmProgressWnd &progress = host.ProgressWindow();
    std::optional<AtomicFileWriter> output;
    age::Reader reader(passphrase, [&output](std::span<const std::uint8_t> bytes) {
        if (!output) // the header's pieces are smaller than a chunk: never while it is read
            throw CommandFailure("plaintext before the target");
        output->write(bytes);
    });
    age::Result result = feedFromFile(reader, file, true, &positions);
    progress.HideProgress();
    if (result != age::Result::Ok) {
        reportAgeResult(host, path, result);
        return;
    }
    const QString target = askDecryptedFileTarget(host, path, name);
    if (target.isEmpty())
        return;

    progress.ShowProgress();
    progress.SetCaption(texts::Decrypting);
    output.emplace(target);
    result = feedFromFile(reader, file, false, &positions);
    progress.HideProgress();
    if (result != age::Result::Ok) {
        output.reset();
        reportAgeResult(host, path, result);
        return;
    }
    output->commit();
    showMessage(host.HostWindow(), QMessageBox::Information, decryptedFileNotice(target));
}

} // namespace

void openAgeFile(CommandHost &host, const QString &path, const SecretByteArray &passphrase)
{
    TmProgressWnd &progress = host.ProgressWindow();
    try {
        // scrypt runs for about a second before the first byte is deciphered: the caption first.
        progress.ShowProgress();
        progress.SetCaption(texts::Decrypting);
        FileReader file(path);
        CipherPositions positions(progress, file.size());
        const QString name = openedAgeName(path);
        if (opensAsDocument(name))
            openDocument(host, path, name, file, passphraseBytes(passphrase), positions);
        else
            saveFile(host, path, name, file, passphraseBytes(passphrase), positions);
    } catch (...) {
        progress.HideProgress();
        showMessage(host.HostWindow(), QMessageBox::Critical, texts::LoadError);
    }
}

} // namespace ombre
