#pragma once
// The real font dialogs of the modal seam: Qt's font dialog with its style names in French, and
// the same with a colour choice (Qt's font dialog has none).

#include "platform/modal.h"

class QFontDialog;

namespace ombre {

// A font style as the font files name it ("Regular", "Bold Italic", "Condensed Bold") in French
// ("Normal", "Gras italique", "Condensé gras"); words it does not know stay as they are.
QString FrenchStyleName(const QString &style);

// Qt's font dialog lists the styles as the font files spell them, in English: its style list
// and the field above it show them through FrenchStyleName.
void ShowFrenchStyleNames(QFontDialog &dialog);

std::optional<QFont> runFontDialog(QWidget *parent, const QFont &initial, const QString &title);
std::optional<FontChoice> runFontColorDialog(QWidget *parent, const FontChoice &initial, const QString &title);

} // namespace ombre
