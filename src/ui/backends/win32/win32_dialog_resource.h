#pragma once

#include <windows.h>

#include <vector>

#include "platform/code_page.h"
#include "ui/framework/dialog_template.h"

namespace setup {

// A dialog template as the dialog manager reads it from a resource (DLGTEMPLATE with
// DS_SETFONT, then one DLGITEMTEMPLATE per control, each DWORD-aligned): positions stay in
// dialog units, the dialog manager converts them with the template's font. Controls keep
// the template's order, which is their tab order; the dialog itself starts hidden.
std::vector<WORD> BuildDialogResource(const DialogTemplate& dialog_template,
                                      const CodePage& code_page);

// The window class and styles a control kind is realized with.
struct ControlClass {
  const wchar_t* name;
  WORD atom;  // the predefined class's atom, 0 for a common control known by name only
  DWORD style;
  DWORD ex_style;
};
ControlClass ClassOf(const ControlTemplate& control);

}  // namespace setup
