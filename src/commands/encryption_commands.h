#pragma once
// The encryption commands of the main window, each over the CommandHost that the main window
// implements. Every command loads the key through its dialog (for an age file, keeps the
// passphrase typed) and wipes it on every way out.

#include <QString>
#include <QStringList>

namespace ombre {

class CommandHost;

// "Crypter le te&xte..." (BtnCrypterClick): seals the active document into a container or an age
// file, as the option Format chooses.
void encryptCurrentDocument(CommandHost &host);

// "Crypter un &fichier..." (FileCrypterItemClick): seals a file chosen on disk.
void encryptExistingFile(CommandHost &host);

// "&Décrypter..." (BtnDecrypterClick): asks for a container or an age file and its password,
// then opens it.
void decryptChosenContainer(CommandHost &host);

// Files dropped on the main window (WMDropFiles): containers and age files (isDecryptableFile)
// each ask for their password; every other file opens as a document.
void openDroppedFiles(CommandHost &host, const QStringList &paths);

// A container or an age file named on the command line or handed over by a second instance
// (OpenDocumentByName): asks for the password in TOuverture, then decrypts and opens it.
void askPasswordAndDecrypt(CommandHost &host, const QString &path);

// Decrypts the container at `path` with the key already loaded into ProgramCipher(), opening a
// document window or saving the file it holds (DecryptAndOpen). Wipes the key when done.
void DecryptAndOpen(CommandHost &host, const QString &path);

// "&Authentifier..." (AuthentifierItemClick): shows what a container or an age file says about
// itself.
void authenticateContainer(CommandHost &host);

// True for the files that decryption takes: the containers' extensions (".cod", ".uue", ".xxe",
// in any case), and age files whatever their name, recognised by their first bytes (read from
// the disk).
bool isDecryptableFile(const QString &path);

} // namespace ombre
