#pragma once
// The registry operations of the program, over the current user's store (RegistryStore).
// Every key path is relative to HKEY_CURRENT_USER ("Software\\Morvandel\\Ombrelunaire\\Options").
// Failures are never reported to the user: reads give back the default, writes return false and
// callers may ignore it.

#include <QString>
#include <QStringList>

namespace ombre {

// The value when the key and value exist and the value is a string; else `def` (a value of
// another type counts as missing).
QString RegReadStr(const QString &key, const QString &name, const QString &def);
// The value when it exists as a REG_DWORD (32-bit signed); else `def`.
int RegReadInt(const QString &key, const QString &name, int def);
// True, with the value in `n`, when the value exists as a REG_DWORD: for callers that must tell a
// missing value from one equal to their default.
bool RegTryReadInt(const QString &key, const QString &name, int &n);
// An integer read; true when non-zero.
bool RegReadBool(const QString &key, const QString &name, bool def);

// Each creates the key when missing. REG_SZ, REG_DWORD, REG_DWORD 1 or 0.
bool RegWriteStr(const QString &key, const QString &name, const QString &text);
bool RegWriteInt(const QString &key, const QString &name, int n);
bool RegWriteBool(const QString &key, const QString &name, bool b);

// True when the key exists (created by a write, or holding a subkey).
bool RegKeyExists(const QString &key);
// Deletes the key with its values and subkeys; false when there was none or on failure.
bool RegKeyDelete(const QString &key);
// Replaces `list` with the string data of every value of the key, in stored order. False when
// the key is missing or a value is not a string; the caller then ignores `list`.
bool RegReadValues(const QString &key, QStringList &list);

// Groups many writes (SaveOptions, the placement) into one: the store is locked and reloaded
// once, and saved once when the last scope ends. Reads inside see the pending writes.
class RegWriteBatch {
public:
    RegWriteBatch();
    ~RegWriteBatch();
    RegWriteBatch(const RegWriteBatch &) = delete;
    RegWriteBatch &operator=(const RegWriteBatch &) = delete;
};

} // namespace ombre
