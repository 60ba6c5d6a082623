#pragma once
// The polite formulas, kept as the string values of the Formules key in the order written.

#include <QStringList>

namespace ombre {

struct TProgramOptions;

// The six formulas a first run starts with; "<>" marks where the caret goes after insertion.
QStringList DefaultFormulas();

// The formulas in stored order; false (and `formulas` untouched) when the key is missing or
// cannot be read as strings.
bool ReadFormulas(QStringList &formulas);

// Writes the six defaults as F0..F5 and sets `Formule` to 0 when the Formules key is missing or
// holds no value: first run, or every formula cleared in the settings dialog. Returns whether it
// wrote them. Called wherever the formulas menu is built.
bool EnsureDefaultFormulas(TProgramOptions &options);

// Replaces the key with the lines of the settings dialog: line i is stored as "F<i>" unless it is
// empty, so that empty lines leave gaps in the numbering.
void StoreFormulaLines(const QStringList &lines);

} // namespace ombre
