#pragma once
// The encryption commands of the main window, each over the CommandHost that the main window
// implements. Every command loads the key through its dialog and wipes it on every way out.

#include <QString>
#include <QStringList>

namespace ombre {

class CommandHost;

// "Crypter le te&xte..." (BtnCrypterClick): seals the active document into a container.
void encryptCurrentDocument(CommandHost &host);

// "Crypter un &fichier..." (FileCrypterItemClick): seals a file chosen on disk.
void encryptExistingFile(CommandHost &host);

// "&Décrypter..." (BtnDecrypterClick): asks for a container and its password, then opens it.
void decryptChosenContainer(CommandHost &host);

// Files dropped on the main window (WMDropFiles): containers (".cod", ".uue", ".xxe", in any
// case) each ask for their password; every other file opens as a document.
void openDroppedFiles(CommandHost &host, const QStringList &paths);

// A container named on the command line or handed over by a second instance
// (OpenDocumentByName): asks for the password in TOuverture, then decrypts and opens it.
void askPasswordAndDecrypt(CommandHost &host, const QString &path);

// Decrypts the container at `path` with the key already loaded into ProgramCipher(), opening a
// document window or saving the file it holds (DecryptAndOpen). Wipes the key when done.
void DecryptAndOpen(CommandHost &host, const QString &path);

// "&Authentifier..." (AuthentifierItemClick): shows what a container says about itself.
void authenticateContainer(CommandHost &host);

// True for the extensions that decryption takes (".cod", ".uue", ".xxe"), in any case.
bool isContainerName(const QString &path);

} // namespace ombre
