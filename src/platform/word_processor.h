#pragma once
// The word processor the document is sent to: found on the PATH, started detached on a copy of
// the document that opens as a new, untitled document. The copy is plaintext, so it lives only in
// the user's private runtime folder (memory-backed, removed at logout), in a folder of this
// program run that goes when the run ends.

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace ombre {

struct WordProcessor {
    enum class Kind { LibreOffice, AbiWord };
    Kind kind = Kind::LibreOffice;
    QString program; // full path
};

// LibreOffice Writer first (lowriter, soffice, libreoffice), then AbiWord; nothing when none is
// on the PATH.
std::optional<WordProcessor> FindWordProcessor();

// The user's private runtime folder ($XDG_RUNTIME_DIR): an absolute folder owned by the user and
// closed to everyone else. Empty when there is none: the caller never falls back to a disk folder.
QString PrivateRuntimeFolder();

// The folder of one program run inside the runtime folder, mode 0700, holding the copies sent and
// LibreOffice's throw-away profile; removed with everything in it when the object goes. A folder
// left by a run that was killed is removed when the next one is made.
class HandOffFolder {
public:
    // Null when the folder cannot be made.
    static std::unique_ptr<HandOffFolder> Create(const QString &runtimeFolder);
    ~HandOffFolder();
    HandOffFolder(const HandOffFolder &) = delete;
    HandOffFolder &operator=(const HandOffFolder &) = delete;

    const QString &path() const { return m_path; }
    // LibreOffice's profile for this run: its autorecovery and backup copies stay in here. Made
    // on first use with the settings a fresh profile needs.
    QString profileFolder() const;
    // Writes `bytes` to a new file of this folder (mode 0600, never an existing file) and returns
    // its path; empty on failure, leaving no file.
    QString writeCopy(const QByteArray &bytes, const QString &suffix);

private:
    explicit HandOffFolder(QString path) : m_path(std::move(path)) {}

    QString m_path;
    int m_copies = 0;
};

// The arguments that open `copy` as a new document. LibreOffice takes it as a template (an
// untitled document: Save asks where) and runs on `profileFolder`.
QStringList WordProcessorArguments(const WordProcessor &processor, const QString &copy,
                                   const QString &profileFolder);

// Starts the word processor without waiting for it: LibreOffice hands the file to a running
// instance of the same profile and returns at once. False when it could not be started.
bool StartWordProcessor(const WordProcessor &processor, const QStringList &arguments);

} // namespace ombre
