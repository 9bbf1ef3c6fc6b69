#include "ui/backends/win32/win32_images.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "ui/backends/win32/win32_dib_section.h"
#include "ui/framework/canvas.h"

namespace setup {

namespace {

constexpr int TREE_IMAGE_WIDTH = 16;
constexpr int TREE_IMAGE_HEIGHT = 15;
constexpr int TREE_IMAGE_COUNT = 5;
// The newer check-box glyph strip is 33 x 11: three glyphs of 11 pixels.
constexpr int CHECK_GLYPH_WIDTH = 11;

// Selects a pen and a brush for the shapes that follow and puts the DC's own back. A width
// of 0 is GDI's one-pixel pen; the pen stays inside the shape's bounds, as Qt's antialiased
// outlines stay inside the picture.
class Pencil {
 public:
  Pencil(HDC dc, COLORREF pen, int width, COLORREF brush)
      : dc_(dc),
        pen_(CreatePen(PS_INSIDEFRAME, width, pen)),
        brush_(CreateSolidBrush(brush)),
        previous_pen_(SelectObject(dc, pen_)),
        previous_brush_(SelectObject(dc, brush_)) {}
  ~Pencil() {
    SelectObject(dc_, previous_pen_);
    SelectObject(dc_, previous_brush_);
    DeleteObject(pen_);
    DeleteObject(brush_);
  }
  Pencil(const Pencil&) = delete;
  Pencil& operator=(const Pencil&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  HGDIOBJ previous_pen_;
  HGDIOBJ previous_brush_;
};

// Qt's darker(150): every channel at two thirds.
COLORREF Darker(COLORREF colour) {
  return RGB(GetRValue(colour) * 2 / 3, GetGValue(colour) * 2 / 3, GetBValue(colour) * 2 / 3);
}

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  RECT area{left, top, right, bottom};
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

// One bold sign, centred in `area`, in white or black, on a transparent background.
void PaintSign(HDC dc, const wchar_t* sign, int pixel_height, RECT area, COLORREF colour) {
  HFONT font = CreateFontW(-pixel_height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, L"Arial");
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF previous_colour = SetTextColor(dc, colour);
  DrawTextW(dc, sign, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, previous_colour);
  SetBkMode(dc, mode);
  if (previous) SelectObject(dc, previous);
  if (font) DeleteObject(font);
}

// A round badge with a sign in it (information, question, error).
void PaintBadge(HDC dc, COLORREF fill, const wchar_t* sign, int side) {
  {
    Pencil pencil(dc, Darker(fill), side / 16, fill);
    Ellipse(dc, 1, 1, side - 1, side - 1);
  }
  PaintSign(dc, sign, side * 2 / 3, RECT{0, 0, side, side}, RGB(255, 255, 255));
}

void PaintWarning(HDC dc, int side) {
  {
    Pencil pencil(dc, RGB(120, 90, 0), side / 16, RGB(255, 210, 0));
    POINT triangle[] = {{side / 2, 1}, {side - 1, side - 2}, {1, side - 2}};
    Polygon(dc, triangle, 3);
  }
  PaintSign(dc, L"!", side / 2, RECT{0, side / 4, side, side - 2}, RGB(0, 0, 0));
}

// A computer with a disc before it: the program's own picture, drawn on a 32-unit grid.
void PaintSetup(HDC dc, int side) {
  auto at = [side](double units) { return static_cast<int>(std::lround(units * side / 32.0)); };
  const int pen = static_cast<int>(std::lround(side / 32.0));
  const COLORREF black = RGB(0, 0, 0);
  const COLORREF grey = RGB(192, 192, 192);
  {
    Pencil pencil(dc, black, pen, grey);
    Rectangle(dc, at(4), at(3), at(28), at(21));
    Rectangle(dc, at(10), at(21), at(22), at(25));
  }
  {
    Pencil pencil(dc, black, pen, RGB(0, 0, 160));
    Rectangle(dc, at(7), at(6), at(25), at(18));
  }
  {
    Pencil pencil(dc, black, pen, RGB(230, 230, 240));
    Ellipse(dc, at(16), at(15), at(31), at(30));
  }
  Pencil pencil(dc, black, pen, RGB(255, 255, 255));
  Ellipse(dc, at(21), at(20), at(26), at(25));
}

void PaintFolder(HDC dc, bool open) {
  Pencil pencil(dc, RGB(128, 96, 0), 0, RGB(255, 220, 96));
  Rectangle(dc, 1, 3, 8, 6);
  Rectangle(dc, 1, 4, 15, 14);
  if (open) {
    Pencil flap_pencil(dc, RGB(128, 96, 0), 0, RGB(255, 240, 170));
    POINT flap[] = {{3, 7}, {15, 7}, {13, 13}, {1, 13}};
    Polygon(dc, flap, 4);
  }
}

void PaintTreeImage(HDC dc, int index) {
  const COLORREF black = RGB(0, 0, 0);
  switch (index) {
    case 0: {  // hard disk: a grey box with a green light
      Pencil pencil(dc, black, 0, RGB(192, 192, 192));
      Rectangle(dc, 1, 5, 15, 12);
      FillBox(dc, 11, 8, 13, 10, RGB(0, 192, 0));
      MoveToEx(dc, 3, 8, nullptr);
      LineTo(dc, 9, 8);
      break;
    }
    case 1: {  // floppy disk: a blue square with a shutter and a label
      Pencil pencil(dc, black, 0, RGB(0, 0, 128));
      Rectangle(dc, 2, 1, 14, 14);
      FillBox(dc, 5, 2, 11, 6, RGB(192, 192, 192));
      FillBox(dc, 4, 8, 12, 13, RGB(255, 255, 255));
      break;
    }
    case 2: {  // CD-ROM disc: a silver circle with its hole
      Pencil pencil(dc, black, 0, RGB(210, 210, 230));
      Ellipse(dc, 2, 1, 15, 14);
      Pencil hole(dc, black, 0, RGB(255, 255, 255));
      Ellipse(dc, 6, 5, 11, 10);
      break;
    }
    default:
      PaintFolder(dc, index == 4);
  }
}

bool IsKnownIcon(int icon) {
  switch (icon) {
    case ICON_WARNING:
    case ICON_ERROR:
    case ICON_QUESTION:
    case ICON_REPLACE:
    case ICON_SETUP:
    case ICON_APPLICATION:
    case ICON_INFORMATION:
      return true;
    default:
      return false;
  }
}

void PaintIcon(HDC dc, int icon, int side) {
  switch (icon) {
    case ICON_WARNING:
      PaintWarning(dc, side);
      break;
    case ICON_ERROR:
      PaintBadge(dc, RGB(200, 0, 0), L"X", side);
      break;
    case ICON_QUESTION:
    case ICON_REPLACE:
      PaintBadge(dc, RGB(0, 64, 192), L"?", side);
      break;
    case ICON_SETUP:
    case ICON_APPLICATION:
      PaintSetup(dc, side);
      break;
    case ICON_INFORMATION:
      PaintBadge(dc, RGB(0, 64, 192), L"i", side);
      break;
  }
}

// A picture with its transparency: drawn once on white and once on black, a pixel is the
// picture's where both agree and transparent where they differ (GDI draws no partial cover).
// Row-major 0xAARRGGBB with alpha 0 or 255 (so straight and premultiplied alike); empty
// when GDI cannot make the bitmaps.
std::vector<uint32_t> RenderArgb(int width, int height, const std::function<void(HDC)>& paint) {
  DibSection on_white(width, height);
  DibSection on_black(width, height);
  if (!on_white.ok() || !on_black.ok()) return {};
  FillBox(on_white.dc(), 0, 0, width, height, RGB(255, 255, 255));
  FillBox(on_black.dc(), 0, 0, width, height, RGB(0, 0, 0));
  paint(on_white.dc());
  paint(on_black.dc());
  GdiFlush();
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  std::vector<uint32_t> argb(count);
  for (size_t i = 0; i < count; ++i) {
    uint32_t white = on_white.pixels()[i] & 0xFFFFFFu;
    uint32_t black = on_black.pixels()[i] & 0xFFFFFFu;
    argb[i] = white == black ? 0xFF000000u | black : 0;
  }
  return argb;
}

// The colour half of an icon or image-list entry: a 32-bit DIB with the alpha channel.
HBITMAP CreateColourBitmap(const std::vector<uint32_t>& argb, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) std::memcpy(bits, argb.data(), argb.size() * sizeof(uint32_t));
  return bitmap;
}

// The mask half: a monochrome bitmap, set where the picture is transparent. Its rows are
// padded to 16 bits, as CreateBitmap wants them.
HBITMAP CreateMaskBitmap(const std::vector<uint32_t>& argb, int width, int height) {
  const size_t stride = static_cast<size_t>((width + 15) / 16) * 2;
  std::vector<uint8_t> bits(stride * static_cast<size_t>(height), 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((argb[static_cast<size_t>(y) * width + x] >> 24) == 0)
        bits[y * stride + x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
  return CreateBitmap(width, height, 1, 1, bits.data());
}

}  // namespace

HICON CreateIconImage(int icon, int side) {
  if (!IsKnownIcon(icon) || side <= 0) return nullptr;
  std::vector<uint32_t> argb = RenderArgb(side, side, [&](HDC dc) { PaintIcon(dc, icon, side); });
  if (argb.empty()) return nullptr;
  HBITMAP colour = CreateColourBitmap(argb, side, side);
  HBITMAP mask = CreateMaskBitmap(argb, side, side);
  HICON handle = nullptr;
  if (colour && mask) {
    ICONINFO parts{TRUE, 0, 0, mask, colour};
    handle = CreateIconIndirect(&parts);
  }
  if (colour) DeleteObject(colour);
  if (mask) DeleteObject(mask);
  return handle;
}

void DrawIconImage(HDC dc, int x, int y, int icon, int side) {
  if (!IsKnownIcon(icon) || side <= 0) return;
  int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, x, y, nullptr);
  PaintIcon(dc, icon, side);
  RestoreDC(dc, saved);
}

HIMAGELIST CreateTreeImageList() {
  HIMAGELIST list = ImageList_Create(TREE_IMAGE_WIDTH, TREE_IMAGE_HEIGHT, ILC_COLOR32 | ILC_MASK,
                                     TREE_IMAGE_COUNT, 0);
  if (!list) return nullptr;
  for (int index = 0; index < TREE_IMAGE_COUNT; ++index) {
    std::vector<uint32_t> argb = RenderArgb(TREE_IMAGE_WIDTH, TREE_IMAGE_HEIGHT,
                                            [index](HDC dc) { PaintTreeImage(dc, index); });
    HBITMAP colour =
        argb.empty() ? nullptr : CreateColourBitmap(argb, TREE_IMAGE_WIDTH, TREE_IMAGE_HEIGHT);
    HBITMAP mask =
        argb.empty() ? nullptr : CreateMaskBitmap(argb, TREE_IMAGE_WIDTH, TREE_IMAGE_HEIGHT);
    const bool added = colour && mask && ImageList_Add(list, colour, mask) == index;
    if (colour) DeleteObject(colour);
    if (mask) DeleteObject(mask);
    if (!added) {
      ImageList_Destroy(list);
      return nullptr;
    }
  }
  return list;
}

int CheckGlyphWidth() { return CHECK_GLYPH_WIDTH; }

void DrawCheckGlyph(HDC dc, const Rect& box, bool checked, bool enabled) {
  RECT area{box.left, box.top, box.right, box.bottom};
  UINT state = DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0u) | (enabled ? 0u : DFCS_INACTIVE);
  DrawFrameControl(dc, &area, DFC_BUTTON, state);
}

}  // namespace setup
