#pragma once
// The real font dialog with a colour choice (Qt's font dialog has none), used by the modal seam.

#include "platform/modal.h"

namespace ombre {

std::optional<FontChoice> runFontColorDialog(QWidget *parent, const FontChoice &initial, const QString &title);

} // namespace ombre
