#pragma once

#include <windows.h>

namespace setup {

// Makes a control answer WM_PRINT (a window picture asks its children so) by drawing its
// client area into a bitmap of its own and copying that to its place: Wine's controls clip
// to their client rectangle in device coordinates, which is wrong on a DC whose origin has
// been moved to the control. Its border is drawn too; a group box copies only what it drew,
// so the controls it frames show through it as on the screen.
void MakePrintable(HWND control, bool group_box);

}  // namespace setup
