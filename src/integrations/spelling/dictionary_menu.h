#pragma once
// The "Di&ctionnaires" menu: one radio item per language whose dictionary the machine has.

#include <QList>
#include <QString>
#include <functional>

class QMenu;

namespace ombre {

class MachineView;

struct InstalledDictionary {
    int language = 0; // Windows language identifier
    QString name;     // "Français (France)"
};

// The languages under the machine's spelling key, named for a French user, sorted by name.
QList<InstalledDictionary> installedDictionaries(const MachineView &machine);

// Replaces the items of `menu`: one per dictionary, `current` checked; choosing one checks it and
// runs `chosen` with its language.
void fillDictionaryMenu(QMenu &menu, const QList<InstalledDictionary> &dictionaries, int current,
                        const std::function<void(int language)> &chosen);

} // namespace ombre
