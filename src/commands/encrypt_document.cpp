// Sealing the active document into a container or an age file (the document window itself is
// left alone).

#include "cipher/armour_kind.h"
#include "cipher/container.h"
#include "cipher/file_name.h"
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
#include "platform/qt_secret.h"
#include "settings/options.h"

namespace ombre {
namespace {

// The document is in memory already: sealed whole, the bar following its chunks.
void sealAge(const SecretByteArray &plain, const TCodage &dialog, bool armoured, TmProgressWnd &progress)
{
    CipherPositions positions(progress, static_cast<std::uint64_t>(plain.value.size()));
    std::size_t shown = 0;
    const std::vector<std::uint8_t> sealed = age::SealBuffer(
        passphraseBytes(dialog.AgePassphrase), armoured,
        std::span(reinterpret_cast<const std::uint8_t *>(plain.value.constData()),
                  static_cast<std::size_t>(plain.value.size())),
        [&](std::size_t done) {
            positions.advance(done - shown);
            shown = done;
        });
    saveBytes(dialog.OutputPath, sealed);
}

} // namespace

void encryptCurrentDocument(CommandHost &host)
{
    if (host.IsUpdating())
        return;
    TProgramOptions &options = ProgramOptions();
    CipherState &cipher = ProgramCipher();
    const CipherKeyGuard key(cipher);

    const QString source = fileNamePart(host.ActiveDocumentFileName());
    TCodage dialog(host.HostWindow(), options, cipher);
    if (!runEncryptCodage(host, dialog, source))
        return;

    TmProgressWnd &progress = host.ProgressWindow();
    try {
        // Shown before the strong format's scrypt, which takes about a second.
        progress.ShowProgress();
        progress.SetCaption(texts::Encrypting);
        const SecretByteArray plain(host.ActiveDocumentStream());
        if (dialog.AgeTarget) {
            sealAge(plain, dialog, AgeArmoured(options), progress);
            progress.HideProgress();
            return;
        }
        const std::string sourceName = source.toStdString();
        const std::string ownerName = options.OwnerName.toStdString();

        // The owner name and the text are one plain buffer to the bar.
        CipherPositions positions(progress, FitOwnerName(ownerName).size() + static_cast<std::size_t>(plain.value.size()));
        const std::vector<std::uint8_t> container = SealContainer(
            cipher, ContainerContent::Document, sourceName, ownerName,
            std::span(reinterpret_cast<const std::uint8_t *>(plain.value.constData()),
                      static_cast<std::size_t>(plain.value.size())),
            [&positions](std::size_t bytes) { positions.advance(bytes); });

        const ArmourKind armour = ArmourKindOfOption(options.UUEncode);
        if (armour == ArmourKind::Cod) {
            saveBytes(dialog.OutputPath, container);
        } else {
            progress.SetCaption(texts::Armouring);
            saveArmoured(dialog.OutputPath, armour == ArmourKind::Xxe, ArmourBeginName(sourceName),
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
