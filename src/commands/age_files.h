#pragma once
// The strong format (age) in the encryption commands: recognising its files, what their names
// make of them, reading them, and what its reader's results tell the user.

#include "cipher/age/age.h"
#include "platform/qt_secret.h"

#include <QString>
#include <cstddef>
#include <string_view>

namespace ombre {

class CipherPositions;
class CommandHost;
class FileReader;

// True when a file starts as an age file, binary or armoured, whatever its name. A file that
// cannot be read is not one.
bool isAgeFile(const QString &path);

// The passphrase's bytes, as the format's writer and reader take them.
std::string_view passphraseBytes(const SecretByteArray &passphrase);

// The name an age file opens under: its own bare name without ".age".
QString openedAgeName(const QString &path);

// Whether the name an age file opens under makes it a document (age::OpensAsDocument).
bool opensAsDocument(const QString &openedName);

// A header is a few hundred bytes: it is read in pieces smaller than a chunk, so that the piece
// that completes it cannot complete a chunk too and nothing is deciphered before it is known.
inline constexpr std::size_t kHeaderPieceSize = 4096;
static_assert(kHeaderPieceSize < age::kChunkSize);

// Feeds `reader` the file's next bytes until the reader's result is final or the file ends (the
// input then ends: finish()); with `headerOnly`, only until its header is complete. The bar, when
// given, follows the bytes read.
age::Result feedFromFile(age::Reader &reader, FileReader &file, bool headerOnly, CipherPositions *positions = nullptr);

// Shows what a final result other than Ok means, with the file's path.
void reportAgeResult(CommandHost &host, const QString &path, age::Result result);

// Opens an age file with its passphrase: a document into a window, any other file written back
// through SaveCrypter; either only once the whole file is verified.
void openAgeFile(CommandHost &host, const QString &path, const SecretByteArray &passphrase);

} // namespace ombre
