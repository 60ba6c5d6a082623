// Opening a container: the command, files dropped on the main window, names from the command
// line, and the worker that they share.

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
#include "commands/ouverture_dialog.h"
#include "commands/password.h"
#include "commands/program_cipher.h"
#include "commands/progress_positions.h"
#include "commands/progress_window.h"
#include "platform/modal.h"
#include "platform/qt_secret.h"
#include "settings/options.h"

#include <QDir>
#include <QLineEdit>
#include <optional>

namespace ombre {
namespace {

std::optional<ArmourKind> armourOf(const QString &path)
{
    return ArmourKindNamedBy(path.toStdString());
}

void showDocument(CommandHost &host, const QString &container, const QString &name,
                  std::span<const std::uint8_t> content, const std::string &owner)
{
    const TProgramOptions &options = ProgramOptions();
    DecryptedDocument document;
    document.SourceName = name;
    document.ContainerPath = QFileInfo(container).absoluteFilePath();
    document.Content = QByteArrayView(content.data(), static_cast<qsizetype>(content.size()));
    document.ReadOnly = options.ReadOnly;
    if (options.Authenticity)
        document.OwnerPanel = QLatin1Char(' ') + ownerLine(owner);
    host.OpenDecryptedDocument(document);
}

// What follows the owner name: the bytes already read with it, then the rest of the source.
struct ContainerRest {
    std::span<std::uint8_t> first;
    const ByteSource &read;
};

// Deciphers the content piece by piece into `target`: only one piece of plaintext is in memory
// at a time, and the file's bytes go to the disk while the next piece is deciphered.
void writeDecryptedFile(const QString &target, ContainerReader &reader, const ContainerRest &rest,
                        CipherPositions &positions)
{
    AtomicFileWriter file(target);
    file.write(reader.feed(rest.first));
    positions.advance(rest.first.size());
    SecretBytes piece(kPieceSize);
    while (const std::size_t got = rest.read(piece.bytes)) {
        file.write(reader.feed(std::span(piece.bytes).first(got)));
        positions.advance(got);
    }
    file.commit();
}

// The target is asked for before the content is deciphered: a cancelled dialog leaves no
// plaintext anywhere, and the file is written while it is deciphered.
void saveDecryptedFile(CommandHost &host, const QString &container, const QString &name, ContainerReader &reader,
                       const ContainerRest &rest, CipherPositions &positions)
{
    const QString target = askDecryptedFileTarget(host, container, name);
    if (target.isEmpty())
        return;
    TmProgressWnd &progress = host.ProgressWindow();
    progress.ShowProgress();
    progress.SetCaption(texts::Decrypting);
    writeDecryptedFile(target, reader, rest, positions);
    progress.HideProgress();

    QString text = decryptedFileNotice(target);
    if (ProgramOptions().Authenticity)
        text += QStringLiteral("\r\n\r\n") + ownerLine(reader.ownerName());
    showMessage(host.HostWindow(), QMessageBox::Information, text);
}

} // namespace

bool isDecryptableFile(const QString &path)
{
    return armourOf(path).has_value() || isAgeFile(path);
}

void DecryptAndOpen(CommandHost &host, const QString &path)
{
    CipherState &cipher = ProgramCipher();
    const CipherKeyGuard key(cipher);
    TmProgressWnd &progress = host.ProgressWindow();
    try {
        progress.ShowProgress();
        // An armoured container is decoded whole first; a plain one is read as it is needed, so
        // that a large file streams through.
        SecretBytes decoded;
        std::optional<FileReader> file;
        ByteSource read;
        std::uint64_t size = 0;
        const ArmourKind armour = armourOf(path).value_or(ArmourKind::Cod);
        if (armour != ArmourKind::Cod) {
            progress.SetCaption(texts::Unarmouring);
            readArmouredFile(path, armour == ArmourKind::Xxe, decoded.bytes, progress);
            progress.SetCaption(texts::Decrypting);
            read = memorySource(decoded.bytes);
            size = decoded.bytes.size();
        } else {
            progress.SetCaption(texts::Decrypting);
            file.emplace(path);
            read = file->source();
            size = file->size();
        }

        // The header alone first: an unknown format stops before anything is deciphered.
        SecretBytes start(kMaxHeaderAndOwnerBytes);
        start.bytes.resize(read(start.bytes));
        std::span<std::uint8_t> body(start.bytes);
        ContainerReader reader(cipher);
        if (!reader.feedHeader(body)) {
            progress.HideProgress();
            showMessage(host.HostWindow(), QMessageBox::Warning,
                        QStringLiteral("\r\n") + texts::aboutPath(QDir::toNativeSeparators(path), texts::FormatNotRecognised));
            return;
        }
        CipherPositions positions(progress, size);
        const std::size_t ownerStart = body.size();
        reader.feedOwnerName(body);
        positions.advance(ownerStart - body.size());
        const ContainerRest rest{body, read};
        const std::uint64_t unread = size > start.bytes.size() ? size - start.bytes.size() : 0;

        const QString name =
            QString::fromStdString(DecryptedFileName(reader.header().SourceName, path.toStdString()));
        switch (reader.header().ContentType) {
        case static_cast<std::uint8_t>(ContainerContent::Document): {
            // The whole text, deciphered in place: the buffer ends up holding the plaintext.
            SecretBytes text;
            text.bytes.assign(body.begin(), body.end());
            readAll(read, text.bytes, unread);
            const std::span<const std::uint8_t> content =
                reader.feedInPieces(text.bytes, [&positions](std::size_t bytes) { positions.advance(bytes); });
            progress.HideProgress();
            showDocument(host, path, name, content, reader.ownerName());
            break;
        }
        case static_cast<std::uint8_t>(ContainerContent::File):
            progress.HideProgress();
            saveDecryptedFile(host, path, name, reader, rest, positions);
            break;
        default: // a content this program does not know is left alone
            progress.HideProgress();
            break;
        }
    } catch (...) {
        CipherReset(cipher);
        progress.HideProgress();
        showMessage(host.HostWindow(), QMessageBox::Critical, texts::LoadError);
    }
}

void decryptChosenContainer(CommandHost &host)
{
    CipherState &cipher = ProgramCipher();
    const CipherKeyGuard key(cipher);
    TCodage dialog(host.HostWindow(), ProgramOptions(), cipher);
    dialog.Mode = TCodage::ModeDecrypt;
    if (!runCodage(host, dialog))
        return;
    if (dialog.AgeTarget)
        openAgeFile(host, dialog.OutputPath, dialog.AgePassphrase);
    else
        DecryptAndOpen(host, dialog.OutputPath);
}

void askPasswordAndDecrypt(CommandHost &host, const QString &path)
{
    CipherState &cipher = ProgramCipher();
    const CipherKeyGuard key(cipher);
    const bool age = isAgeFile(path);
    TOuverture dialog(host.HostWindow(), ProgramOptions().Password, age);
    dialog.EditName->setText(fileNamePart(path));
    if (modal().exec(dialog) != QDialog::Accepted)
        return;
    if (age) {
        const SecretByteArray passphrase(dialog.EditCode->text().toUtf8());
        forgetPassword(*dialog.EditCode);
        openAgeFile(host, path, passphrase);
        return;
    }
    loadPassword(cipher, dialog.EditCode->text());
    forgetPassword(*dialog.EditCode);
    DecryptAndOpen(host, path);
}

void openDroppedFiles(CommandHost &host, const QStringList &paths)
{
    host.BringToFront();
    for (const QString &path : paths) {
        if (isDecryptableFile(path))
            askPasswordAndDecrypt(host, path);
        else
            host.OpenDocumentFile(path);
    }
}

} // namespace ombre
