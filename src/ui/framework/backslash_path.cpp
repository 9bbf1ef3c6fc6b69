#include "ui/framework/backslash_path.h"

#include "platform/code_page_text.h"

namespace setup {

std::vector<std::string> SplitBackslashPath(const CodePage& code_page, const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start < path.size()) {
    size_t end = FindCharacter(code_page, path, '\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

size_t TreePathStep(const CodePage& code_page, std::string_view path, std::string_view text,
                    bool root) {
  if (text.empty() || path.size() < text.size() ||
      !code_page.EqualsNoCase(path.substr(0, text.size()), text)) {
    return 0;
  }
  size_t end = text.size();
  if (!root && end < path.size() && path[end] != '\\') return 0;
  while (end < path.size() && path[end] == '\\') ++end;
  return end;
}

TreeItem FindTreePath(const TreeControl& tree, const CodePage& code_page, const std::string& path) {
  if (path.empty()) return 0;
  TreeItem at = TVI_ROOT;
  for (size_t pos = 0; pos < path.size();) {
    TreeItem found = 0;
    for (TreeItem child = tree.GetChild(at); child != 0; child = tree.GetNextSibling(child)) {
      const size_t step = TreePathStep(code_page, std::string_view(path).substr(pos),
                                       tree.GetItemText(child), at == TVI_ROOT);
      if (step != 0) {
        found = child;
        pos += step;
        break;
      }
    }
    if (found == 0) return 0;
    at = found;
  }
  return at;
}

}  // namespace setup
