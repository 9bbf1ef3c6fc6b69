#pragma once

#include <string>
#include <utility>
#include <vector>

namespace setup {

class CDialog;

// What a dialog shows at one moment: its class, caption, the text of every visible control
// with an id (ascending ids; a combo box gives its selected entry) and the items of a check
// list with their check states. Texts are in the disc's code page.
struct DialogSnapshot {
  std::string kind;
  std::string caption;
  std::vector<std::pair<int, std::string>> controls;
  bool has_items = false;
  std::vector<std::pair<std::string, bool>> items;
};

// UI thread only, while the dialog has its window.
DialogSnapshot TakeSnapshot(const CDialog& dialog);

}  // namespace setup
