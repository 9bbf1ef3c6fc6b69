#include "ui/framework/dialog_template.h"

namespace setup {

const ControlTemplate* DialogTemplate::Find(int id) const {
  for (const auto& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

int DialogTemplate::DefaultButton() const {
  for (const auto& control : controls) {
    if (control.kind == ControlKind::DefPushButton) return control.id;
  }
  return 0;
}

ControlTemplate Ctl(int id, ControlKind kind, std::string text, int x, int y, int cx, int cy,
                    std::string answer) {
  ControlTemplate control;
  control.id = id;
  control.kind = kind;
  control.text = std::move(text);
  control.rect = Rect{x, y, x + cx, y + cy};
  control.answer = std::move(answer);
  return control;
}

namespace {
// MulDiv-style rounding, as the window system converts dialog units.
int Scale(int value, int base, int divisor) {
  long long product = static_cast<long long>(value) * base;
  long long half = divisor / 2;
  return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}
}  // namespace

Rect DialogUnitsToPixels(const Rect& units, DialogBaseUnits base) {
  // Position and extent are converted separately, as the window system does.
  int left = Scale(units.left, base.cx, 4);
  int top = Scale(units.top, base.cy, 8);
  return Rect{left, top, left + Scale(units.Width(), base.cx, 4),
              top + Scale(units.Height(), base.cy, 8)};
}

Size DialogUnitsToPixels(Size units, DialogBaseUnits base) {
  return Size{Scale(units.cx, base.cx, 4), Scale(units.cy, base.cy, 8)};
}

}  // namespace setup
