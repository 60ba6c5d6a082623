#pragma once
// The local machine's registry, read only, as the spelling code looks for its engine and
// dictionaries: one key "SOFTWARE\Microsoft\Shared Tools\Proofing Tools\Spelling\<id>\Normal" per
// installed Hunspell dictionary, <id> being the dictionary's Windows language identifier in
// decimal, with the string values `Engine` (the Hunspell library) and `Dictionary` (the .dic
// file). Built once from what is installed; key paths may start with "\".

#include "platform/reg_file.h"

#include <QString>
#include <QStringList>

namespace ombre {

inline const QString ProofingSpellingKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling");

class MachineView {
public:
    struct Sources {
        QStringList dictionaryFolders; // searched in order; the first dictionary of a language wins
        QString engine;                // the Hunspell library; no spelling keys without one
    };
    // The user's own dictionaries (the "hunspell" data folder) first, then the system's.
    static Sources installedSources();

    explicit MachineView(const Sources &sources);
    // The view of what is installed, built on first use.
    static const MachineView &instance();

    bool keyExists(const QString &key) const;
    // The string value, or `def` when the key or value is missing.
    QString readStr(const QString &key, const QString &name, const QString &def = QString()) const;
    // Names of the direct subkeys, e.g. the language identifiers under ProofingSpellingKey.
    QStringList subKeys(const QString &key) const;

private:
    reg::Document document_;
};

} // namespace ombre
