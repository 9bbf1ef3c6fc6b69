#pragma once

#include <QPixmap>

namespace setup {

// Every picture the Qt backend shows is drawn here, so nothing depends on the desktop's icon
// theme: the dialogs' icons, the window icon and the browse tree's five images.

// An icon resource (ICON_* of canvas.h) as a square picture `side` pixels wide.
QPixmap IconPixmap(int icon, int side);

// The browse tree's images, 16 x 15 pixels, by index: 0 hard disk, 1 floppy disk, 2 CD-ROM
// disc, 3 closed folder, 4 open folder. Any other index gives a null pixmap.
QPixmap TreeImage(int index);

}  // namespace setup
