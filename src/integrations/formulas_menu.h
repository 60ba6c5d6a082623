#pragma once
// The "Formules auto." menu: one radio item per stored polite formula, and the two commands that
// insert one.

#include <functional>

class QAction;
class QMenu;

namespace ombre {

class IntegrationHost;
struct TProgramOptions;

// Rebuilds `menu` from the Formules key, writing the six defaults first when the key is missing:
// one radio item per non-empty formula, whose data is its index in the list, the item of
// `Formule` checked, `Formule` brought back to the last index when it lies beyond it. `chosen`
// runs when the user picks an item. Returns whether the menu holds a formula (FormulasAvailable).
bool buildFormulasMenu(QMenu &menu, TProgramOptions &options, const std::function<void(QAction &)> &chosen);

// A formula item chosen: inserts its formula with the marker selected, checks it and makes it the
// current formula.
void insertFormulaItem(const IntegrationHost &host, QAction &item, int &formule);

// The formula button: inserts the checked item's formula with the marker selected; the current
// formula does not change.
void insertCurrentFormula(const IntegrationHost &host, const QMenu &menu);

} // namespace ombre
