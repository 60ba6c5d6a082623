#pragma once
// The real font dialogs of the modal seam: Qt's font dialog with its style names in French, and
// the same with a colour choice (Qt's font dialog has none).

#include "platform/modal.h"

namespace ombre {

std::optional<QFont> runFontDialog(QWidget *parent, const QFont &initial, const QString &title);
std::optional<FontChoice> runFontColorDialog(QWidget *parent, const FontChoice &initial, const QString &title);

} // namespace ombre
