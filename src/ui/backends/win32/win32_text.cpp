#include "ui/backends/win32/win32_text.h"

namespace setup {

std::string WindowText(const CodePage& code_page, HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return FromWide(code_page, text);
}

Size MeasureInWindowFont(const CodePage& code_page, HWND window, const std::string& text) {
  HDC dc = GetDC(window);
  if (dc == nullptr) return Size{};
  auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  std::wstring wide = ToWide(code_page, text);
  SIZE extent{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  if (old) SelectObject(dc, old);
  ReleaseDC(window, dc);
  return Size{extent.cx, metrics.tmHeight};
}

}  // namespace setup
