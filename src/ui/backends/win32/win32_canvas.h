#pragma once

#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/code_page.h"
#include "ui/framework/canvas.h"

namespace setup {

// A Canvas on a GDI device context: the paint routines of the dialogs draw through it on a
// window (BeginPaint) or a memory DC. Texts are converted from the disc's code page to UTF-16.
// The fonts it makes are selected out and deleted when it goes; the DC's own state (text
// colour, background mode, font) is restored after each call.
class Win32Canvas : public Canvas {
 public:
  // `dialog_font`, when given, is the realized dialog's font (WM_GETFONT): what DialogFont()
  // means on this canvas, as on the Qt canvas, so owner-drawn texts match the controls'.
  // The canvas does not own it.
  Win32Canvas(HDC dc, Size client_size, const CodePage& code_page, HFONT dialog_font = nullptr);
  ~Win32Canvas() override;
  Win32Canvas(const Win32Canvas&) = delete;
  Win32Canvas& operator=(const Win32Canvas&) = delete;

  Size ClientSize() const override { return client_size_; }
  void FillRect(const Rect& rect, Rgb colour) override;
  void PaintText(Point at, const std::string& text, const Font& font, Rgb colour) override;
  void DrawIcon(Point at, int icon) override;
  Size MeasureText(const std::string& text, const Font& font) const override;

 private:
  // The GDI font for `font`: the dialog's for DialogFont() when given, others made on first
  // use; nullptr when the system cannot make it.
  HFONT FontFor(const Font& font) const;
  std::wstring Widen(const std::string& text) const;

  struct CachedFont {
    std::tuple<std::string, int, int, bool> key;
    HFONT handle;
  };

  HDC dc_;
  Size client_size_;
  const CodePage& code_page_;
  HFONT dialog_font_;
  mutable std::vector<CachedFont> fonts_;
};

}  // namespace setup
