#include "commands/command_support.h"

#include "cipher/ansi.h"
#include "cipher/container.h"
#include "cipher/text_routines.h"
#include "commands/codage_dialog.h"
#include "commands/command_host.h"
#include "commands/command_texts.h"
#include "commands/file_names.h"
#include "platform/modal.h"
#include "settings/options.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <filesystem>

namespace ombre {
namespace {

bool sameFile(const QString &a, const QString &b)
{
    std::error_code error;
    return std::filesystem::equivalent(a.toStdString(), b.toStdString(), error);
}

QString noticeAbout(const QString &target, std::string_view ansiSentence)
{
    return QStringLiteral("\r\n")
           + texts::aboutPath(QDir::toNativeSeparators(target), QString::fromStdString(AnsiToUtf8(ansiSentence)));
}

} // namespace

bool runCodage(CommandHost &host, TCodage &dialog)
{
    QObject::connect(&dialog, &TCodage::helpRequested, &dialog,
                     [&host, &dialog] { host.ShowHelp(dialog.windowTitle()); });
    return modal().exec(dialog) == QDialog::Accepted;
}

bool runEncryptCodage(CommandHost &host, TCodage &dialog, const QString &sourceName)
{
    dialog.Mode = TCodage::ModeEncrypt;
    dialog.SourceName = sourceName;
    dialog.EditName->setText(dialog.proposedName());
    return runCodage(host, dialog);
}

QString ownerLine(std::string_view ownerNameBytes)
{
    return QString::fromStdString(AnsiToUtf8(OwnerLabelText()))
           + QString::fromStdString(CheckedOwnerText(ownerNameBytes));
}

QString askDecryptedFileTarget(CommandHost &host, const QString &container, const QString &name)
{
    FileDialogRequest request; // SaveCrypter
    request.title = QStringLiteral("Enregistrer sous");
    request.directory = QDir::fromNativeSeparators(ProgramOptions().Open);
    request.fileName = name;
    request.filters = QStringList{QStringLiteral("Tous les fichiers (*)")};
    request.confirmOverwrite = true;
    QString target = modal().saveFileName(host.HostWindow(), request);
    // Asked again, from the name given, until the target is not the container itself.
    while (!target.isEmpty() && sameFile(target, container)) {
        showMessage(host.HostWindow(), QMessageBox::Warning,
                    QStringLiteral("\r\n") + texts::aboutPath(QDir::toNativeSeparators(target), texts::WouldReplaceContainer));
        request.directory = QFileInfo(target).absolutePath();
        request.fileName = fileNamePart(target);
        target = modal().saveFileName(host.HostWindow(), request);
    }
    return target;
}

QString encryptedFileNotice(const QString &target)
{
    return noticeAbout(target, EncryptedFileNoticeText());
}

QString decryptedFileNotice(const QString &target)
{
    return noticeAbout(target, DecryptedFileNoticeText());
}

} // namespace ombre
