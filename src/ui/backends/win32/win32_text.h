#pragma once

#include <windows.h>

#include <string>

#include "platform/code_page.h"
#include "platform/wide_text_win32.h"
#include "ui/framework/geometry.h"

namespace setup {

// Texts cross into the window system in UTF-16, through the same UTF-8 the other backends
// show, and come back in the disc's code page.
inline std::wstring ToWide(const CodePage& code_page, const std::string& text) {
  return WidenText(code_page.ToUtf8(text), CP_UTF8);
}

inline std::string FromWide(const CodePage& code_page, const std::wstring& text) {
  return code_page.FromUtf8(NarrowText(text, CP_UTF8));
}

// A window's text, in the disc's code page.
std::string WindowText(const CodePage& code_page, HWND window);

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

// The extent of `text` in the font `window` draws with.
Size MeasureInWindowFont(const CodePage& code_page, HWND window, const std::string& text);

}  // namespace setup
