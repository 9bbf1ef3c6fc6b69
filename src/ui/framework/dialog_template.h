#pragma once

#include <string>
#include <vector>

#include "ui/framework/geometry.h"

namespace setup {

enum class ControlKind {
  PushButton,
  DefPushButton,
  Static,
  GroupBox,
  Icon,
  Edit,
  ComboDropList,
  TreeView,
  CheckList,
  ProgressBar,  // a bar filled from the left, 0 to 100 percent
};

// One control of a dialog template. Positions are in dialog units for templates and in
// pixels for controls created at run time (CDialog::CreateControl).
struct ControlTemplate {
  int id = -1;
  ControlKind kind = ControlKind::Static;
  std::string text;
  Rect rect;  // left, top, right, bottom
  bool hidden = false;
  int icon = 0;         // icon resource of an Icon control
  bool sorted = false;  // combo box entries kept sorted
  // How the transcript and the answers file name the button ("Yes", "Continue").
  std::string answer;
};

// A dialog resource: caption, size and font of the template, its controls in tab order.
// No dialog of the program has a close box: buttons and Esc are the only ways out.
struct DialogTemplate {
  int resource_id = 0;
  std::string caption;
  Size size;  // dialog units
  std::string font_face = "MS Sans Serif";
  int font_points = 8;
  bool centered = false;  // centred by the window system when shown
  bool show_in_taskbar = false;
  std::vector<ControlTemplate> controls;

  const ControlTemplate* Find(int id) const;
  // The id of the default push button, or 0 when there is none.
  int DefaultButton() const;
};

// A control placed by x, y, width, height in dialog units, as the resource tables list them.
ControlTemplate Ctl(int id, ControlKind kind, std::string text, int x, int y, int cx, int cy,
                    std::string answer = {});

// The horizontal and vertical dialog base units of a font, in pixels: one dialog unit is a
// quarter of the first horizontally and an eighth of the second vertically.
struct DialogBaseUnits {
  int cx = 6;
  int cy = 13;
};

Rect DialogUnitsToPixels(const Rect& units, DialogBaseUnits base);
Size DialogUnitsToPixels(Size units, DialogBaseUnits base);

}  // namespace setup
