// Showing what a container says about itself: its header and, with the password, its owner.

#include "cipher/ansi.h"
#include "cipher/container.h"
#include "cipher/secure_wipe.h"
#include "commands/authentique_window.h"
#include "commands/codage_dialog.h"
#include "commands/command_host.h"
#include "commands/command_support.h"
#include "commands/command_texts.h"
#include "commands/container_files.h"
#include "commands/encryption_commands.h"
#include "commands/program_cipher.h"
#include "platform/modal.h"
#include "settings/options.h"

#include <QDir>
#include <QLabel>

namespace ombre {

void authenticateContainer(CommandHost &host)
{
    CipherState &cipher = ProgramCipher();
    const CipherKeyGuard key(cipher);
    TCodage dialog(host.HostWindow(), ProgramOptions(), cipher);
    dialog.Mode = TCodage::ModeAuthenticate;
    if (!runCodage(host, dialog))
        return;
    const QString path = dialog.OutputPath;

    try {
        SecretBytes start;
        // Nothing after the owner name is needed: a large container is not read whole.
        start.bytes.resize(kMaxHeaderAndOwnerBytes);
        FileReader file(path);
        start.bytes.resize(file.read(start.bytes));

        ContainerReader reader(cipher);
        reader.feed(start.bytes);
        if (!reader.headerAccepted()) {
            showMessage(host.HostWindow(), QMessageBox::Warning,
                        QStringLiteral("\r\n") + texts::aboutPath(QDir::toNativeSeparators(path), texts::FormatNotRecognised));
            return;
        }
        const TCryptHeader &header = reader.header();

        TAuthentique window(host.HostWindow());
        TAuthentique::setLabelText(window.LFichier, QString::fromStdString(DecodeHeaderText(header.SourceName)));
        window.LAlgo->setText(QString::fromLatin1(reinterpret_cast<const char *>(header.FormatTag.data()),
                                                  static_cast<qsizetype>(header.FormatTag.size())));
        window.LVersion->setText(QString::number(header.FormatVersion));
        if (header.ContentType == static_cast<std::uint8_t>(ContainerContent::Document))
            window.LType->setText(QStringLiteral("Document"));
        else if (header.ContentType == static_cast<std::uint8_t>(ContainerContent::File))
            window.LType->setText(QStringLiteral("Fichier"));
        TAuthentique::setLabelText(window.LAuthentic, QString::fromStdString(CheckedOwnerText(reader.ownerName())));
        modal().exec(window);
    } catch (...) {
        CipherReset(cipher);
        showMessage(host.HostWindow(), QMessageBox::Critical, texts::AuthenticateError);
    }
}

} // namespace ombre
