#include "integrations/formulas_menu.h"

#include "integrations/insertions.h"
#include "integrations/integration_host.h"
#include "settings/formulas.h"
#include "settings/options.h"

#include <QActionGroup>
#include <QMenu>

namespace ombre {
namespace {

// A menu caption takes "&" for the accelerator mark; a formula's own "&" is shown as it is.
QString captionOf(const QString &formula)
{
    QString caption = formula;
    return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString formulaOf(const QAction &item)
{
    return item.text().replace(QLatin1String("&&"), QLatin1String("&"));
}

} // namespace

bool buildFormulasMenu(QMenu &menu, TProgramOptions &options, const std::function<void(QAction &)> &chosen)
{
    EnsureDefaultFormulas(options);
    menu.clear();
    QStringList formulas;
    if (!ReadFormulas(formulas))
        return false;
    // Clearing the menu deleted its items, which left the radio group as they went; the group
    // itself stays with the menu from one build to the next.
    const QString groupName = QStringLiteral("FormulesGroup");
    auto *group = menu.findChild<QActionGroup *>(groupName, Qt::FindDirectChildrenOnly);
    if (!group) {
        group = new QActionGroup(&menu);
        group->setObjectName(groupName);
    }
    for (int i = 0; i < static_cast<int>(formulas.size()); ++i) {
        if (formulas[i].isEmpty())
            continue;
        QAction *item = menu.addAction(captionOf(formulas[i]));
        item->setStatusTip(QStringLiteral("Insérer cette formule de politesse"));
        item->setData(i);
        item->setCheckable(true);
        item->setChecked(i == options.Formule);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, item, [chosen, item] { chosen(*item); });
    }
    const int last = static_cast<int>(formulas.size()) - 1;
    if (last >= 0 && options.Formule > last) {
        options.Formule = last;
        for (QAction *item : menu.actions())
            if (item->data().toInt() == last)
                item->setChecked(true);
    }
    return !menu.actions().isEmpty();
}

void insertFormulaItem(const IntegrationHost &host, QAction &item, int &formule)
{
    if (!insertFormula(host.ActiveEditor(), formulaOf(item)))
        return;
    formule = item.data().toInt();
    item.setChecked(true);
}

void insertCurrentFormula(const IntegrationHost &host, const QMenu &menu)
{
    QString formula;
    for (const QAction *item : menu.actions())
        if (item->isChecked())
            formula = formulaOf(*item);
    insertFormula(host.ActiveEditor(), formula);
}

} // namespace ombre
