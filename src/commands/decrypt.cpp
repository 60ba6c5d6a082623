// Opening a container: the command, files dropped on the main window, names from the command
// line, and the worker that they share.

#include "cipher/ansi.h"
#include "cipher/armour_kind.h"
#include "cipher/container.h"
#include "cipher/file_name.h"
#include "cipher/secure_wipe.h"
#include "cipher/text_routines.h"
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
#include "settings/options.h"

#include <QDir>
#include <QLineEdit>

namespace ombre {
namespace {

std::optional<ArmourKind> armourOf(const QString &path)
{
    return ArmourKindNamedBy(path.toStdString());
}

void showDocument(CommandHost &host, const QString &name, std::span<const std::uint8_t> content,
                  const std::string &owner)
{
    const TProgramOptions &options = ProgramOptions();
    DecryptedDocument document;
    document.SourceName = name;
    document.Content = QByteArrayView(content.data(), static_cast<qsizetype>(content.size()));
    document.ReadOnly = options.ReadOnly;
    if (options.Authenticity)
        document.OwnerPanel = QLatin1Char(' ') + ownerLine(owner);
    host.OpenDecryptedDocument(document);
}

// Deciphers the content piece by piece into `target`: the container's buffer keeps its
// ciphertext, only one piece of plaintext is in memory at a time, and the file's bytes go to the
// disk while the next piece is deciphered.
void writeDecryptedFile(const QString &target, ContainerReader &reader, std::span<const std::uint8_t> body,
                        CipherPositions &positions)
{
    AtomicFileWriter file(target);
    SecretBytes piece(kPieceSize);
    for (std::size_t offset = 0; offset < body.size(); offset += kPieceSize) {
        const std::size_t length = std::min(kPieceSize, body.size() - offset);
        const auto plain = std::span(piece.bytes).first(length);
        std::copy_n(body.begin() + static_cast<std::ptrdiff_t>(offset), length, plain.begin());
        file.write(reader.feed(plain));
        positions.advance(length);
    }
    file.commit();
}

// The target is asked for before the content is deciphered: a cancelled dialog leaves no
// plaintext anywhere, and the file is written while it is deciphered.
void saveDecryptedFile(CommandHost &host, const QString &name, ContainerReader &reader,
                       std::span<const std::uint8_t> body, CipherPositions &positions)
{
    const TProgramOptions &options = ProgramOptions();
    FileDialogRequest request; // SaveCrypter
    request.title = QStringLiteral("Enregistrer sous");
    request.directory = QDir::fromNativeSeparators(options.Open);
    request.fileName = name;
    request.filters = QStringList{QStringLiteral("Tous les fichiers (*)")};
    request.confirmOverwrite = true;
    const QString target = modal().saveFileName(host.HostWindow(), request);
    if (target.isEmpty())
        return;
    TmProgressWnd &progress = host.ProgressWindow();
    progress.ShowProgress();
    progress.SetCaption(texts::Decrypting);
    writeDecryptedFile(target, reader, body, positions);
    progress.HideProgress();

    QString text = QStringLiteral("\r\n")
                   + texts::aboutPath(QDir::toNativeSeparators(target),
                                      QString::fromStdString(AnsiToUtf8(DecryptedFileNoticeText())));
    if (options.Authenticity)
        text += QStringLiteral("\r\n\r\n") + ownerLine(reader.ownerName());
    showMessage(host.HostWindow(), QMessageBox::Information, text);
}

} // namespace

bool isContainerName(const QString &path)
{
    return armourOf(path).has_value();
}

void DecryptAndOpen(CommandHost &host, const QString &path)
{
    CipherState &cipher = ProgramCipher();
    const CipherKeyGuard key(cipher);
    TmProgressWnd &progress = host.ProgressWindow();
    SecretBytes input; // a document's text is deciphered in place: it ends up holding the plaintext
    try {
        progress.ShowProgress();
        const ArmourKind armour = armourOf(path).value_or(ArmourKind::Cod);
        if (armour != ArmourKind::Cod) {
            progress.SetCaption(texts::Unarmouring);
            readArmouredFile(path, armour == ArmourKind::Xxe, input.bytes, progress);
            progress.SetCaption(texts::Decrypting);
        } else {
            progress.SetCaption(texts::Decrypting);
            readWholeFile(path, input.bytes);
        }

        // The header alone first: an unknown format stops before anything is deciphered.
        std::span<std::uint8_t> body(input.bytes);
        ContainerReader reader(cipher);
        if (!reader.feedHeader(body)) {
            progress.HideProgress();
            showMessage(host.HostWindow(), QMessageBox::Warning,
                        QStringLiteral("\r\n") + texts::aboutPath(QDir::toNativeSeparators(path), texts::FormatNotRecognised));
            return;
        }
        CipherPositions positions(progress, input.bytes.size());
        const std::size_t ownerStart = body.size();
        reader.feedOwnerName(body);
        positions.advance(ownerStart - body.size());

        const QString name =
            QString::fromStdString(DecryptedFileName(reader.header().SourceName, path.toStdString()));
        switch (reader.header().ContentType) {
        case static_cast<std::uint8_t>(ContainerContent::Document): {
            const std::span<const std::uint8_t> content =
                reader.feedInPieces(body, [&positions](std::size_t bytes) { positions.advance(bytes); });
            progress.HideProgress();
            showDocument(host, name, content, reader.ownerName());
            break;
        }
        case static_cast<std::uint8_t>(ContainerContent::File):
            progress.HideProgress();
            saveDecryptedFile(host, name, reader, body, positions);
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
    if (runCodage(host, dialog))
        DecryptAndOpen(host, dialog.OutputPath);
}

void askPasswordAndDecrypt(CommandHost &host, const QString &path)
{
    CipherState &cipher = ProgramCipher();
    const CipherKeyGuard key(cipher);
    TOuverture dialog(host.HostWindow(), ProgramOptions().Password);
    dialog.EditName->setText(fileNamePart(path));
    if (modal().exec(dialog) != QDialog::Accepted)
        return;
    loadPassword(cipher, dialog.EditCode->text());
    forgetPassword(*dialog.EditCode);
    DecryptAndOpen(host, path);
}

void openDroppedFiles(CommandHost &host, const QStringList &paths)
{
    host.BringToFront();
    for (const QString &path : paths) {
        if (isContainerName(path))
            askPasswordAndDecrypt(host, path);
        else
            host.OpenDocumentFile(path);
    }
}

} // namespace ombre
