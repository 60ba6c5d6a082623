#pragma once
// The program's pictures: the menu image list (an item's tag is its index there), the tool-bar
// pictures, the document window's status pictures and the frame's background tile. Each comes
// from the desktop's icon theme when it has one, else from the program's own drawings.

#include <QIcon>
#include <QPixmap>

namespace ombre {

// Picture `index` of the menu image list; a null icon for -2 ("no picture") or an unknown index.
QIcon MenuPicture(int index);

// Pictures outside the menu image list: the tool bar's own, and those of the commands the
// program adds to the menus.
enum class ToolPicture { Bold, Italic, Underline, Color, AlignLeft, AlignCenter, AlignRight, Redo, PrintPreview };
QIcon ToolBarPicture(ToolPicture picture);

// The document window's status pictures, in the order of its image list: 0 modified,
// 1 not modified, 2 word wrap on, 3 word wrap off, 4 decrypted document.
QPixmap StatusPicture(int index);

QPixmap BackgroundTile();    // ImgFond, 189 x 91
QPixmap TrueTypePicture();   // drawn before scalable font names in the font box
QIcon ProgramIcon();

} // namespace ombre
