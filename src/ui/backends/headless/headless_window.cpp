#include "ui/backends/headless/headless_window.h"

#include "ui/backends/headless/headless_controls.h"

namespace setup {

HeadlessWindow::HeadlessWindow(CDialog& dialog, WindowHandle handle, int check_glyph_width,
                               int caption_height)
    : dialog_(dialog),
      handle_(handle),
      check_glyph_width_(check_glyph_width),
      caption_height_(caption_height) {
  const DialogTemplate& t = dialog.dialog_template();
  caption_ = t.caption;
  client_ = DialogUnitsToPixels(t.size, BaseUnits());
  for (const ControlTemplate& control : t.controls) {
    Add(control, DialogUnitsToPixels(control.rect, BaseUnits()));
  }
}

HeadlessWindow::~HeadlessWindow() = default;

Control* HeadlessWindow::Add(const ControlTemplate& control, Rect pixels) {
  std::unique_ptr<Control> made;
  switch (control.kind) {
    case ControlKind::Edit:
      made = std::make_unique<HeadlessEdit>(dialog_, control, pixels);
      break;
    case ControlKind::ComboDropList:
      made = std::make_unique<HeadlessCombo>(dialog_, control, pixels);
      break;
    case ControlKind::CheckList:
      made = std::make_unique<HeadlessList>(dialog_, control, pixels, check_glyph_width_);
      break;
    case ControlKind::TreeView:
      made = std::make_unique<HeadlessTree>(dialog_, control, pixels);
      break;
    case ControlKind::ProgressBar:
      made = std::make_unique<HeadlessProgress>(dialog_, control, pixels);
      break;
    default:
      made = std::make_unique<HeadlessStatic>(dialog_, control, pixels);
  }
  controls_.push_back(std::move(made));
  return controls_.back().get();
}

Control* HeadlessWindow::GetControl(int id) {
  if (id == IDC_STATIC) return nullptr;
  for (auto& control : controls_) {
    if (control->id() == id) return control.get();
  }
  return nullptr;
}

std::vector<Control*> HeadlessWindow::Controls() {
  std::vector<Control*> all;
  for (auto& control : controls_) all.push_back(control.get());
  return all;
}

Control* HeadlessWindow::CreateControl(const ControlTemplate& control) {
  return Add(control, control.rect);
}

Rect HeadlessWindow::GetClientRect() const {
  if (normal_rect_.Width() > 0) {
    return Rect{0, 0, normal_rect_.Width(), std::max(0, normal_rect_.Height() - caption_height_)};
  }
  return Rect{0, 0, client_.cx, client_.cy};
}

Image HeadlessWindow::Render() {
  Rect client = GetClientRect();
  Image image(client.Width(), client.Height(), Rgb{192, 192, 192});
  ImageCanvas canvas(image);
  dialog_.OnPaint(canvas);
  for (auto& control : controls_) {
    auto* list = dynamic_cast<HeadlessList*>(control.get());
    if (list == nullptr || !list->IsVisible()) continue;
    Rect rect = list->GetRect();
    Rect inner = list->GetClientRect();
    ImageCanvas list_canvas(image, Point{rect.left + 1, rect.top + 1},
                            Size{inner.right, inner.bottom});
    list->Render(list_canvas);
  }
  return image;
}

}  // namespace setup
