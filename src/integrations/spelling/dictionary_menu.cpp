#include "integrations/spelling/dictionary_menu.h"

#include "platform/language_ids.h"
#include "platform/machine_view.h"

#include <QActionGroup>
#include <QCollator>
#include <QMenu>
#include <algorithm>

namespace ombre {

QList<InstalledDictionary> installedDictionaries(const MachineView &machine)
{
    QList<InstalledDictionary> dictionaries;
    for (const QString &key : machine.subKeys(QStringLiteral("\\") + ProofingSpellingKey)) {
        bool number = false;
        const int language = key.toInt(&number, 10);
        if (!number)
            continue;
        const QString name = LanguageName(language);
        dictionaries.append({language, name.isEmpty() ? key : name});
    }
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    std::sort(dictionaries.begin(), dictionaries.end(), [&](const InstalledDictionary &a, const InstalledDictionary &b) {
        return collator.compare(a.name, b.name) < 0;
    });
    return dictionaries;
}

void fillDictionaryMenu(QMenu &menu, const QList<InstalledDictionary> &dictionaries, int current,
                        const std::function<void(int language)> &chosen)
{
    menu.clear();
    qDeleteAll(menu.findChildren<QActionGroup *>(Qt::FindDirectChildrenOnly));
    auto *group = new QActionGroup(&menu); // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks): the menu owns it
    for (const InstalledDictionary &dictionary : dictionaries) {
        QAction *item = menu.addAction(dictionary.name);
        item->setStatusTip(QStringLiteral("Utiliser ce dictionnaire pour la correction orthographique"));
        item->setCheckable(true);
        item->setChecked(dictionary.language == current);
        item->setData(dictionary.language);
        group->addAction(item);
        const int language = dictionary.language;
        QObject::connect(item, &QAction::triggered, &menu, [chosen, language] { chosen(language); });
    }
}

} // namespace ombre
