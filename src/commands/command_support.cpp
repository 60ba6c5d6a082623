#include "commands/command_support.h"

#include "cipher/ansi.h"
#include "cipher/container.h"
#include "cipher/text_routines.h"
#include "commands/codage_dialog.h"
#include "commands/command_host.h"
#include "commands/file_names.h"
#include "platform/modal.h"

#include <QLineEdit>

namespace ombre {

bool runCodage(CommandHost &host, TCodage &dialog)
{
    QObject::connect(&dialog, &TCodage::helpRequested, &dialog,
                     [&host, &dialog] { host.ShowHelp(dialog.windowTitle()); });
    return modal().exec(dialog) == QDialog::Accepted;
}

bool runEncryptCodage(CommandHost &host, TCodage &dialog, const QString &sourceName, int uuEncode)
{
    dialog.Mode = TCodage::ModeEncrypt;
    dialog.EditName->setText(replaceExtension(sourceName, TCodage::encryptExtension(uuEncode)));
    return runCodage(host, dialog);
}

QString ownerLine(std::string_view ownerNameBytes)
{
    return QString::fromStdString(AnsiToUtf8(OwnerLabelText()))
           + QString::fromStdString(CheckedOwnerText(ownerNameBytes));
}

} // namespace ombre
