// Sealing the active document into a container (the document window itself is left alone).

#include "cipher/container.h"
#include "cipher/file_name.h"
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

#include <algorithm>

namespace ombre {

void encryptCurrentDocument(CommandHost &host)
{
    if (host.IsUpdating())
        return;
    TProgramOptions &options = ProgramOptions();
    CipherState &cipher = ProgramCipher();
    const CipherKeyGuard key(cipher);

    const QString source = fileNamePart(host.ActiveDocumentFileName());
    TCodage dialog(host.HostWindow(), options, cipher);
    if (!runEncryptCodage(host, dialog, source, options.UUEncode))
        return;

    TmProgressWnd &progress = host.ProgressWindow();
    try {
        progress.ShowProgress();
        progress.SetCaption(texts::Encrypting);
        QByteArray plain = host.ActiveDocumentStream();
        const WipeOnExit wipePlain(plain);

        const std::string sourceName = source.toStdString();
        ContainerWriter writer(cipher, ContainerContent::Document, sourceName, options.OwnerName.toStdString());
        std::vector<std::uint8_t> container = writer.start();
        const std::size_t bodyStart = container.size() - writer.header().OwnerNameLength;
        const std::size_t contentStart = container.size();
        container.resize(contentStart + static_cast<std::size_t>(plain.size()));

        // The owner name and the text are one plain buffer to the bar.
        CipherPositions positions(progress, container.size() - bodyStart);
        positions.advance(contentStart - bodyStart);
        for (std::size_t offset = 0; offset < static_cast<std::size_t>(plain.size()); offset += kPieceSize) {
            const std::size_t length = std::min(kPieceSize, static_cast<std::size_t>(plain.size()) - offset);
            const auto piece = std::span(container).subspan(contentStart + offset, length);
            std::copy_n(plain.constData() + offset, length, reinterpret_cast<char *>(piece.data()));
            writer.seal(piece);
            positions.advance(length);
        }

        if (options.UUEncode == 0) {
            saveBytes(dialog.OutputPath, container);
        } else {
            progress.SetCaption(texts::Armouring);
            saveArmoured(dialog.OutputPath, options.UUEncode == 2, ReplaceExtension(sourceName, ".cod"),
                         container.size(), memorySource(container), progress);
        }
        progress.HideProgress();
    } catch (...) {
        progress.HideProgress();
        CipherReset(cipher);
        showMessage(host.HostWindow(), QMessageBox::Critical, texts::SaveError);
    }
}

} // namespace ombre
