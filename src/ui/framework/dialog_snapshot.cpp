#include "ui/framework/dialog_snapshot.h"

#include <algorithm>

#include "ui/framework/dialog.h"

namespace setup {

DialogSnapshot TakeSnapshot(const CDialog& dialog) {
  DialogSnapshot snapshot;
  snapshot.kind = dialog.ClassName();
  DialogWindow* window = dialog.window();
  if (window == nullptr) return snapshot;
  snapshot.caption = window->GetCaption();
  for (Control* control : window->Controls()) {
    if (control->id() == IDC_STATIC || !control->IsVisible()) continue;
    // Neither has a text; a bar's fill depends on how fast the copy ran, not on the run.
    if (control->kind() == ControlKind::TreeView || control->kind() == ControlKind::ProgressBar)
      continue;
    if (auto* list = dynamic_cast<ListControl*>(control)) {
      snapshot.has_items = true;
      for (int i = 0; i < list->GetCount(); ++i) {
        snapshot.items.emplace_back(list->GetItemText(i), list->GetCheck(i) == 1);
      }
      continue;
    }
    snapshot.controls.emplace_back(control->id(), control->GetText());
  }
  std::stable_sort(snapshot.controls.begin(), snapshot.controls.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return snapshot;
}

}  // namespace setup
