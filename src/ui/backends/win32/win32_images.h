#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/framework/geometry.h"

namespace setup {

// Every picture the Win32 backend shows is drawn here with GDI, in the designs of the Qt
// backend's pictures, so nothing depends on the system's icons or on resources.

// An icon resource (ICON_* of canvas.h) as a square icon `side` pixels wide, transparent
// around its picture; nullptr for an icon we do not draw. The caller destroys it (DestroyIcon).
HICON CreateIconImage(int icon, int side);
// Paints the icon's picture with its top-left corner at (x, y); nothing for an unknown icon.
void DrawIconImage(HDC dc, int x, int y, int icon, int side);

// The browse tree's images, 16 x 15 pixels, in index order: 0 hard disk, 1 floppy disk,
// 2 CD-ROM disc, 3 closed folder, 4 open folder (ILC_COLOR32 | ILC_MASK). The caller destroys
// it (ImageList_Destroy); nullptr when the system cannot make it.
HIMAGELIST CreateTreeImageList();

// The check-box glyph of the option check list: its width in pixels (the newer glyph strip's,
// which the list's hit test uses too), and the glyph drawn in `box`.
int CheckGlyphWidth();
void DrawCheckGlyph(HDC dc, const Rect& box, bool checked, bool enabled);

}  // namespace setup
