#pragma once
// Tool-bar buttons have short hints ("Enregistrer|"): the part before "|" is their tool tip and
// the empty part after it is what the status bar shows while the pointer is on them. Qt gives a
// button the status tip of its command, which is the menu item's long hint.

class QWidget;

namespace ombre {

// From now on `button` clears the status bar instead of showing its command's hint; the
// command's menu item keeps its hint.
void ShowEmptyStatusTip(QWidget &button);

} // namespace ombre
