#pragma once
// Pieces that several encryption commands share.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string_view>
#include <vector>

namespace ombre {

class CommandHost;
class TCodage;

// Shows TCodage through the modal seam, its help button tied to the host's help.
bool runCodage(CommandHost &host, TCodage &dialog);
// The same in encrypt mode, offering a target named after `sourceName` in the format and armour
// that the options choose.
bool runEncryptCodage(CommandHost &host, TCodage &dialog, const QString &sourceName);

// The owner label followed by the owner name as the user may see it (CheckOwnerName).
QString ownerLine(std::string_view ownerNameBytes);

// SaveCrypter: asks where to write the file deciphered from `container`, offering `name`, until
// the answer is not the container itself. Empty when cancelled.
QString askDecryptedFileTarget(CommandHost &host, const QString &container, const QString &name);

// The notices shown once a file is written, sealed or deciphered, naming where it went.
QString encryptedFileNotice(const QString &target);
QString decryptedFileNotice(const QString &target);

} // namespace ombre
