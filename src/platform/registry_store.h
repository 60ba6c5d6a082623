#pragma once
// The current user's registry, kept in a file in regedit syntax (see reg_file.h).
//
// Several processes may use the file at once: every write takes a lock file beside it, reloads
// the file, applies its change and replaces the file atomically, so that no process loses
// another's values. Reads reload the file whenever it changed on disk. A damaged file is set
// aside as "<file>.damaged-<time>" and replaced by what could be read from it; the user is never
// told (registry failures are silent), and a file that cannot be read is never overwritten.
//
// The user's store lives in the generic configuration folder ("Morvandel/Ombrelunaire.reg"), or
// in the file named by the environment variable OMBRELUNAIRE_REGISTRY_FILE.

#include "platform/reg_file.h"

#include <QString>
#include <functional>
#include <memory>

class QLockFile;

namespace ombre {

class RegistryStore {
public:
    explicit RegistryStore(QString filePath);
    ~RegistryStore();
    RegistryStore(const RegistryStore &) = delete;
    RegistryStore &operator=(const RegistryStore &) = delete;

    // The current user's store.
    static RegistryStore &user();
    // Points the user's store at another file (tests); an empty path restores the default.
    static void setUserFilePath(const QString &filePath);
    static QString defaultUserFilePath();

    const QString &filePath() const { return path_; }

    // The keys as they stand: the file's content, or inside a batch the pending writes too.
    const reg::Document &document();

    // One change under the lock: reload, apply, save atomically. `change` returns false when it
    // changed nothing (nothing is then saved). False also when the store could not be locked,
    // read or saved; the file is then as it was.
    bool write(const std::function<bool(reg::Document &)> &change);

    // Writes between begin and end share one lock, one reload and one save. Nestable.
    void beginBatch();
    void endBatch();

    class Batch {
    public:
        explicit Batch(RegistryStore &store) : store_(store) { store_.beginBatch(); }
        ~Batch() { store_.endBatch(); }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        RegistryStore &store_;
    };

private:
    struct Stamp {
        bool exists = false;
        unsigned long long inode = 0;
        long long size = 0;
        long long mtimeNs = 0;
        bool operator==(const Stamp &) const = default;
    };

    enum class WriteOutcome { Failed, Unchanged, Saved };

    Stamp stampOfFile() const;
    // The lock, reload, change and save of one write; the cache mirrors the file unless Failed.
    WriteOutcome writeLocked(const std::function<bool(reg::Document &)> &change);
    void refresh();
    std::unique_ptr<QLockFile> lock();
    // Reads the file for a write (lock held). False when it exists but cannot be read or, being
    // damaged, cannot be set aside. `setAside` tells that the file was moved away and must be
    // written again.
    bool loadForWrite(reg::Document &document, bool &setAside);
    bool save(const reg::Document &document);
    void remember(reg::Document document);

    QString path_;
    reg::Document cache_;
    Stamp cacheStamp_;
    bool cacheLoaded_ = false;

    int batchDepth_ = 0;
    std::unique_ptr<QLockFile> batchLock_;
    bool batchReady_ = false;
    bool batchDirty_ = false;
    reg::Document batchDocument_;
};

} // namespace ombre
