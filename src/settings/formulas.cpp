#include "settings/formulas.h"

#include "platform/registry.h"
#include "settings/options.h"

namespace ombre {
namespace {

QString formulaName(int index)
{
    return QStringLiteral("F") + QString::number(index);
}

} // namespace

QStringList DefaultFormulas()
{
    return {
        QStringLiteral("Madame, Monsieur,"),
        QStringLiteral("Mesdames, Messieurs,"),
        QStringLiteral("Recevez, <>, mes meilleures salutations."),
        QStringLiteral("Je vous prie d'agréer, <>, mes salutations les meilleures."),
        QStringLiteral("Veuillez agréer, <>, l'expression de mes sentiments distingués."),
        QStringLiteral("Je vous prie de croire, <>, en l'expression de mes sincères salutations."),
    };
}

bool ReadFormulas(QStringList &formulas)
{
    return RegReadValues(FormulesKey, formulas);
}

bool EnsureDefaultFormulas(TProgramOptions &options)
{
    // A key that cannot be read as strings is left alone: the menu then stays empty.
    QStringList stored;
    const bool noFormula = !RegKeyExists(FormulesKey) || (RegReadValues(FormulesKey, stored) && stored.isEmpty());
    if (!noFormula)
        return false;
    const QStringList defaults = DefaultFormulas();
    const RegWriteBatch batch;
    for (int i = 0; i < defaults.size(); ++i)
        RegWriteStr(FormulesKey, formulaName(i), defaults[i]);
    options.Formule = 0;
    return true;
}

void StoreFormulaLines(const QStringList &lines)
{
    const RegWriteBatch batch;
    RegKeyDelete(FormulesKey);
    for (int i = 0; i < lines.size(); ++i)
        if (!lines[i].isEmpty())
            RegWriteStr(FormulesKey, formulaName(i), lines[i]);
}

} // namespace ombre
