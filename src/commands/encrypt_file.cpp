// Sealing a file chosen on disk, into a container or an age file. The file streams through in
// pieces, so memory stays the same whatever its size; the source file is only read.

#include "cipher/armour_kind.h"
#include "cipher/container.h"
#include "cipher/file_name.h"
#include "cipher/secure_wipe.h"
#include "commands/age_files.h"
#include "commands/codage_dialog.h"
#include "commands/command_host.h"
#include "commands/command_support.h"
#include "commands/command_texts.h"
#include "commands/container_files.h"
#include "commands/encryption_commands.h"
#include "commands/file_names.h"
#include "commands/program_cipher.h"
#include "commands/progress_positions.h"
#include "commands/progress_window.h"
#include "platform/modal.h"
#include "settings/options.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace ombre {
namespace {

// Writes the container (header, owner name, then the sealed file) to `write`, moving the bar.
template <typename Write>
void sealFile(ContainerWriter &writer, FileReader &source, TmProgressWnd &progress, Write &&write)
{
    write(std::span<const std::uint8_t>(writer.start()));
    CipherPositions positions(progress, source.size());
    SecretBytes buffer; // holds plaintext between reading and sealing
    buffer.bytes.resize(kPieceSize);
    const std::span<std::uint8_t> piece(buffer.bytes);
    while (const std::size_t got = source.read(piece)) {
        const auto content = piece.first(got);
        writer.seal(content);
        write(std::span<const std::uint8_t>(content));
        positions.advance(got);
    }
}

// The age file goes straight to the target as its chunks are sealed, armoured or not.
void sealAge(FileReader &source, const TCodage &dialog, bool armoured, TmProgressWnd &progress)
{
    AtomicFileWriter output(dialog.OutputPath);
    age::Writer writer(passphraseBytes(dialog.AgePassphrase), armoured,
                       [&output](std::span<const std::uint8_t> bytes) { output.write(bytes); });
    CipherPositions positions(progress, source.size());
    SecretBytes buffer(kPieceSize); // holds plaintext between reading and sealing
    while (const std::size_t got = source.read(buffer.bytes)) {
        writer.write(std::span(buffer.bytes).first(got));
        positions.advance(got);
    }
    writer.finish();
    output.commit();
}

} // namespace

void encryptExistingFile(CommandHost &host)
{
    TProgramOptions &options = ProgramOptions();
    FileDialogRequest request;
    request.title = QStringLiteral("Ouvrir");
    request.directory = QDir::fromNativeSeparators(options.Open);
    request.filters = QStringList{QStringLiteral("Tous les fichiers (*)")};
    const QString sourcePath = modal().openFileName(host.HostWindow(), request);
    if (sourcePath.isEmpty())
        return;

    CipherState &cipher = ProgramCipher();
    const CipherKeyGuard key(cipher);
    const QString source = fileNamePart(sourcePath);
    TCodage dialog(host.HostWindow(), options, cipher);
    if (!runEncryptCodage(host, dialog, source))
        return;

    TmProgressWnd &progress = host.ProgressWindow();
    const QString target = dialog.OutputPath;
    try {
        // Shown before the strong format's scrypt, which takes about a second.
        progress.ShowProgress();
        progress.SetCaption(texts::Encrypting);
        FileReader input(sourcePath);
        if (dialog.AgeTarget) {
            sealAge(input, dialog, AgeArmoured(options), progress);
            progress.HideProgress();
            // age names no owner.
            showMessage(host.HostWindow(), QMessageBox::Information, encryptedFileNotice(target));
            return;
        }
        const std::string sourceName = source.toStdString();
        ContainerWriter writer(cipher, ContainerContent::File, sourceName, options.OwnerName.toStdString());

        const ArmourKind armour = ArmourKindOfOption(options.UUEncode);
        if (armour == ArmourKind::Cod) {
            AtomicFileWriter output(target);
            sealFile(writer, input, progress, [&](std::span<const std::uint8_t> bytes) { output.write(bytes); });
            output.commit();
        } else {
            // The sealed bytes wait in a temporary file beside the target (they are no secret),
            // so that sealing and armouring each show their own progress without memory growing.
            QTemporaryFile sealed(QDir(QFileInfo(target).absolutePath()).filePath(QStringLiteral(".ombre-XXXXXX.tmp")));
            if (!sealed.open())
                throw CommandFailure("temporary file");
            sealFile(writer, input, progress, [&](std::span<const std::uint8_t> bytes) {
                const auto size = static_cast<qint64>(bytes.size());
                if (sealed.write(reinterpret_cast<const char *>(bytes.data()), size) != size)
                    throw CommandFailure("write");
            });
            if (!sealed.flush())
                throw CommandFailure("temporary file");
            progress.SetCaption(texts::Armouring);
            FileReader sealedReader(sealed.fileName());
            saveArmoured(target, armour == ArmourKind::Xxe, ArmourBeginName(sourceName), sealedReader.size(),
                         sealedReader.source(), progress);
        }
    } catch (...) {
        CipherReset(cipher);
        progress.HideProgress();
        showMessage(host.HostWindow(), QMessageBox::Critical, texts::SaveError);
        return;
    }
    CipherReset(cipher);
    progress.HideProgress();

    const std::string owner = FitOwnerName(options.OwnerName.toStdString());
    showMessage(host.HostWindow(), QMessageBox::Information,
                encryptedFileNotice(target) + QStringLiteral("\r\n\r\n") + ownerLine(owner));
}

} // namespace ombre
