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
// The same in encrypt mode, offering `sourceName` with the container extension `uuEncode` selects.
bool runEncryptCodage(CommandHost &host, TCodage &dialog, const QString &sourceName, int uuEncode);

// The owner label followed by the owner name as the user may see it (CheckOwnerName).
QString ownerLine(std::string_view ownerNameBytes);

} // namespace ombre
