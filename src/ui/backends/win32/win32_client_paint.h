#pragma once

#include <windows.h>

#include <functional>

#include "platform/code_page.h"
#include "ui/framework/canvas.h"

namespace setup {

// A window's paint routine on a Win32Canvas, e.g. [&](Canvas& c) { dialog.OnPaint(c); }.
// The routine draws off screen, on the dialog background colour, with the window's font
// (WM_GETFONT) as DialogFont(), and the picture is put on the window in one copy, so the
// backdrop's gradient of many rows never flickers.
using PaintRoutine = std::function<void(Canvas& canvas)>;

// Answers WM_PAINT (BeginPaint to EndPaint). The visible child windows are left out, as
// WS_CLIPCHILDREN would, so the picture never covers the controls.
void PaintClientArea(HWND window, const CodePage& code_page, const PaintRoutine& paint);

// Answers WM_PRINTCLIENT: the same picture into `dc`, as window pictures ask for it.
void PrintClientArea(HWND window, HDC dc, const CodePage& code_page, const PaintRoutine& paint);

}  // namespace setup
