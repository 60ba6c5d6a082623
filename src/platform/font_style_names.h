#pragma once
// Font style names in French: the font files name their styles in English ("Regular", "Bold
// Italic"), and Qt's font dialog lists them as they stand.

#include <QString>

class QFontDialog;

namespace ombre {

// A font style as the font files name it ("Regular", "Bold Italic", "Condensed Bold") in French
// ("Normal", "Gras italique", "Condensé gras"); words it does not know stay as they are.
QString FrenchStyleName(const QString &style);

// The dialog's style list and the field above it show the styles through FrenchStyleName.
void ShowFrenchStyleNames(QFontDialog &dialog);

} // namespace ombre
