#include "ui/backends/win32/win32_canvas.h"

#include <algorithm>
#include <cstdlib>

#include "platform/wide_text_win32.h"
#include "ui/backends/win32/win32_images.h"

namespace setup {

namespace {

COLORREF ToColorRef(Rgb colour) { return RGB(colour.r, colour.g, colour.b); }

// Selects a font into a DC for one call and puts the previous one back.
class SelectedFont {
 public:
  SelectedFont(HDC dc, HFONT font) : dc_(dc), previous_(font ? SelectObject(dc, font) : nullptr) {}
  ~SelectedFont() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace

Win32Canvas::Win32Canvas(HDC dc, Size client_size, const CodePage& code_page, HFONT dialog_font)
    : dc_(dc), client_size_(client_size), code_page_(code_page), dialog_font_(dialog_font) {}

Win32Canvas::~Win32Canvas() {
  for (const CachedFont& font : fonts_) DeleteObject(font.handle);
}

std::wstring Win32Canvas::Widen(const std::string& text) const {
  return WidenText(text, static_cast<unsigned>(code_page_.number()));
}

HFONT Win32Canvas::FontFor(const Font& font) const {
  const Font dialog = DialogFont();
  if (dialog_font_ && font.face == dialog.face && font.height == dialog.height &&
      font.weight == dialog.weight && font.italic == dialog.italic)
    return dialog_font_;
  auto key = std::make_tuple(font.face, font.height, font.weight, font.italic);
  for (const CachedFont& cached : fonts_)
    if (cached.key == key) return cached.handle;
  LOGFONTW description{};
  // A negative height asks for the character height (the em), as the Qt canvas's pixel size.
  description.lfHeight = -std::max(1, std::abs(font.height));
  description.lfWeight = font.weight;
  description.lfItalic = font.italic ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  std::wstring face = Widen(font.face);
  face.resize(std::min<size_t>(face.size(), LF_FACESIZE - 1));
  std::copy(face.begin(), face.end(), description.lfFaceName);
  HFONT handle = CreateFontIndirectW(&description);
  if (handle) fonts_.push_back(CachedFont{std::move(key), handle});
  return handle;
}

void Win32Canvas::FillRect(const Rect& rect, Rgb colour) {
  HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
  if (!brush) return;
  RECT area{rect.left, rect.top, rect.right, rect.bottom};
  ::FillRect(dc_, &area, brush);
  DeleteObject(brush);
}

void Win32Canvas::PaintText(Point at, const std::string& text, const Font& font, Rgb colour) {
  std::wstring wide = Widen(text);
  if (wide.empty()) return;
  SelectedFont selected(dc_, FontFor(font));
  int mode = SetBkMode(dc_, TRANSPARENT);
  COLORREF previous_colour = SetTextColor(dc_, ToColorRef(colour));
  UINT align = SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  TextOutW(dc_, at.x, at.y, wide.data(), static_cast<int>(wide.size()));
  SetTextAlign(dc_, align);
  SetTextColor(dc_, previous_colour);
  SetBkMode(dc_, mode);
}

void Win32Canvas::DrawIcon(Point at, int icon) { DrawIconImage(dc_, at.x, at.y, icon, ICON_SIZE); }

Size Win32Canvas::MeasureText(const std::string& text, const Font& font) const {
  SelectedFont selected(dc_, FontFor(font));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  std::wstring wide = Widen(text);
  SIZE extent{};
  if (!wide.empty())
    GetTextExtentPoint32W(dc_, wide.data(), static_cast<int>(wide.size()), &extent);
  return Size{static_cast<int>(extent.cx), static_cast<int>(metrics.tmHeight)};
}

}  // namespace setup
