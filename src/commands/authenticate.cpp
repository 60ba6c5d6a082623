// Showing what a container says about itself: its header and, with the password, its owner. An
// age file shows its header's facts and whether the passphrase opens it.

#include "cipher/ansi.h"
#include "cipher/container.h"
#include "cipher/secure_wipe.h"
#include "commands/age_files.h"
#include "commands/authentique_window.h"
#include "commands/codage_dialog.h"
#include "commands/command_host.h"
#include "commands/command_support.h"
#include "commands/command_texts.h"
#include "commands/container_files.h"
#include "commands/encryption_commands.h"
#include "commands/file_names.h"
#include "commands/program_cipher.h"
#include "platform/modal.h"
#include "settings/options.h"

#include <QDir>
#include <QLabel>

namespace ombre {
namespace {

QString ageAlgorithm(const age::HeaderFacts &facts)
{
    if (facts.workFactor > 0)
        return QStringLiteral("age v1 (scrypt, facteur %1)").arg(facts.workFactor);
    // Sealed for keys: the kinds of recipients say what would open it.
    QStringList types;
    for (const std::string &type : facts.stanzaTypes)
        types << QString::fromStdString(type);
    return QStringLiteral("age v1 (%1)").arg(types.join(QStringLiteral(", ")));
}

// The header only: a reader without a sink stops there, so a large file is not read.
void authenticateAgeFile(CommandHost &host, const QString &path, const SecretByteArray &passphrase)
{
    FileReader file(path);
    age::Reader reader(passphraseBytes(passphrase));
    const age::Result result = feedFromFile(reader, file, true);
    QString authenticity;
    switch (result) {
    case age::Result::Ok: authenticity = texts::AgePassphraseCorrect; break;
    case age::Result::WrongPassphrase: authenticity = texts::AgePassphraseWrong; break;
    case age::Result::NotPassphrase: authenticity = texts::AgeForKeys; break;
    case age::Result::Damaged:
    case age::Result::NotAge: break;
    }
    // A header that breaks the rules has no facts to show.
    if (authenticity.isEmpty() || !reader.headerComplete()) {
        reportAgeResult(host, path, result);
        return;
    }
    const age::HeaderFacts &facts = reader.facts();

    TAuthentique window(host.HostWindow());
    TAuthentique::setLabelText(window.LFichier, fileNamePart(path));
    TAuthentique::setLabelText(window.LAlgo, ageAlgorithm(facts));
    if (facts.workFactor > 0)
        window.LAlgo->setToolTip(QStringLiteral("scrypt, facteur de travail %1").arg(facts.workFactor));
    window.LVersion->setText(QStringLiteral("1"));
    window.LType->setText(opensAsDocument(openedAgeName(path)) ? QStringLiteral("Document") : QStringLiteral("Fichier"));
    // age names no owner: the last line says whether the passphrase opens the header.
    window.setAuthenticCaption(texts::AgeCheckCaption);
    TAuthentique::setLabelText(window.LAuthentic, authenticity);
    modal().exec(window);
}

} // namespace

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
        if (dialog.AgeTarget) {
            authenticateAgeFile(host, path, dialog.AgePassphrase);
            return;
        }
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
