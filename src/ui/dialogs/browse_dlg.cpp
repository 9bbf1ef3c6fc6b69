#include "ui/dialogs/browse_dlg.h"

#include <algorithm>
#include <vector>

#include "config/setup_texts.h"
#include "platform/code_page_text.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/framework/backslash_path.h"
#include "ui/framework/text_compare.h"

namespace setup {

CBrowseDlg::CBrowseDlg(WindowSystem& window_system, const SetupConfig& config, FileSystem& fs,
                       const CodePage& code_page)
    : CDialog(window_system, TemplateOf(InstallDialog::Browse)),
      m_config(config),
      m_fs(fs),
      m_codePage(code_page) {
  OnNotifyId(BrowseIds::TREE, TVN_ITEMEXPANDING,
             [this](const TreeNotify& n) { return OnItemExpanding(n); });
  OnNotifyId(BrowseIds::TREE, TVN_SELCHANGED, [this](const TreeNotify& n) {
    OnSelChanged(n);
    return intptr_t{0};
  });
  OnCommandId(BrowseIds::NEW_DIRECTORY, NOTIFY_EDIT_CHANGE, [this] { OnChangeNewDirectory(); });
}

bool CBrowseDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_config.m_bValid) {
    SetCaptionText(m_config.GetText(TEXT_BROWSETITLE));
    SetControlText(BrowseIds::CURRENT_LABEL, m_config.GetText(TEXT_BROWSETEXT1));
    SetControlText(BrowseIds::NEW_LABEL, m_config.GetText(TEXT_BROWSETEXT2));
    SetControlText(ID_OK, m_config.GetText(TEXT_OKBUTTON));
    SetControlText(ID_CANCEL, m_config.GetText(TEXT_CANCELBUTTON));
  }
  CenterWindow();
  if (TreeControl* tree = Tree()) tree->SetImageList(TREE_BITMAP_ID, IMAGE_COUNT);
  m_bSelectFirstFixedDrive = true;
  FillDrives();
  return true;
}

void CBrowseDlg::FillDrives() {
  uint32_t drives = m_fs.GetLogicalDrives();
  for (int bit = 0; bit < 26; ++bit) {
    if ((drives & (1u << bit)) == 0) continue;
    std::string root = "?:\\";
    root[0] = static_cast<char>('A' + bit);
    AddDrive(root);
  }
}

void CBrowseDlg::AddDrive(const std::string& root) {
  TreeControl* tree = Tree();
  if (tree == nullptr) return;
  switch (m_fs.DriveTypeOf(root)) {
    case DriveType::Removable: {
      TreeItem item = tree->InsertItem(TVI_ROOT, root, IMAGE_FLOPPY, IMAGE_FLOPPY);
      tree->InsertItem(item, "", IMAGE_FOLDER, IMAGE_FOLDER);
      break;
    }
    case DriveType::Fixed: {
      TreeItem item = tree->InsertItem(TVI_ROOT, root, IMAGE_HARD_DISK, IMAGE_HARD_DISK);
      AddPlaceholderIfSubfolders(item, root);
      if (m_bSelectFirstFixedDrive) {
        tree->SelectItem(item);
        tree->SelectItem(item);
        m_bSelectFirstFixedDrive = false;
        m_selectedPath = root;
        SetControlText(BrowseIds::CURRENT_PATH, root);
      }
      break;
    }
    case DriveType::Remote:
    case DriveType::RamDisk: {
      TreeItem item = tree->InsertItem(TVI_ROOT, root, IMAGE_HARD_DISK, IMAGE_HARD_DISK);
      AddPlaceholderIfSubfolders(item, root);
      break;
    }
    case DriveType::CdRom: {
      TreeItem item = tree->InsertItem(TVI_ROOT, root, IMAGE_CDROM, IMAGE_CDROM);
      tree->InsertItem(item, "", IMAGE_FOLDER, IMAGE_FOLDER);
      break;
    }
    case DriveType::Unknown:
    case DriveType::NoRootDir:
      break;
  }
}

std::string CBrowseDlg::SearchPattern(const std::string& path) const {
  return WithTrailingBackslash(m_codePage, path) + "*.*";
}

namespace {
bool IsSubfolder(const FindData& entry) {
  return entry.IsDirectory() && entry.name != "." && entry.name != "..";
}
// A folder's path and a name below it; a second byte 0x5C at its end is no separator.
std::string Join(const std::string& path, const std::string& name, const CodePage& code_page) {
  return WithTrailingBackslash(code_page, path) + name;
}
}  // namespace

bool CBrowseDlg::AddPlaceholderIfSubfolders(TreeItem item, const std::string& path) {
  auto entries = m_fs.FindFiles(SearchPattern(path));
  if (!entries.ok()) return false;
  for (const FindData& entry : *entries) {
    if (IsSubfolder(entry)) {
      if (TreeControl* tree = Tree()) tree->InsertItem(item, "", IMAGE_FOLDER, IMAGE_FOLDER);
      return true;
    }
  }
  return false;
}

int CBrowseDlg::FillSubfolders(TreeItem item, const std::string& path) {
  TreeControl* tree = Tree();
  if (tree == nullptr) return 0;
  auto entries = m_fs.FindFiles(SearchPattern(path));
  if (!entries.ok()) {
    // A drive without a disk stays expandable.
    if (tree->GetParent(item) == 0) tree->InsertItem(item, "", IMAGE_FOLDER, IMAGE_FOLDER);
    return 0;
  }
  std::vector<std::pair<std::string, std::string>> names;  // upper-cased key, name
  for (const FindData& entry : *entries) {
    if (IsSubfolder(entry)) names.emplace_back(m_codePage.Upper(entry.name), entry.name);
  }
  std::stable_sort(names.begin(), names.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  int count = 0;
  for (const auto& [key, name] : names) {
    TreeItem folder = tree->InsertItem(item, name, IMAGE_FOLDER, IMAGE_OPEN_FOLDER);
    AddPlaceholderIfSubfolders(folder, Join(path, name, m_codePage));
    ++count;
  }
  return count;
}

std::string CBrowseDlg::GetItemPath(TreeItem item) const {
  TreeControl* tree = Tree();
  if (tree == nullptr) return "";
  std::string path = tree->GetItemText(item);
  for (TreeItem parent = tree->GetParent(item); parent != 0; parent = tree->GetParent(parent)) {
    std::string text = tree->GetItemText(parent);
    path = WithTrailingBackslash(m_codePage, text) + path;
  }
  return path;
}

void CBrowseDlg::DeleteFirstChild(TreeItem item) {
  TreeControl* tree = Tree();
  if (tree == nullptr) return;
  if (TreeItem child = tree->GetChild(item)) tree->DeleteItem(child);
}

void CBrowseDlg::DeleteAllChildren(TreeItem item) {
  TreeControl* tree = Tree();
  if (tree == nullptr) return;
  TreeItem child = tree->GetChild(item);
  while (child != 0) {
    TreeItem next = tree->GetNextSibling(child);
    tree->DeleteItem(child);
    child = next;
  }
}

intptr_t CBrowseDlg::OnItemExpanding(const TreeNotify& notify) {
  TreeControl* tree = Tree();
  if (tree == nullptr) return 0;
  std::string path = GetItemPath(notify.item);
  if (notify.action == TVE_EXPAND) {
    DeleteFirstChild(notify.item);
    return FillSubfolders(notify.item, path) == 0 ? 1 : 0;
  }
  DeleteAllChildren(notify.item);
  if (tree->GetParent(notify.item) == 0) {
    tree->InsertItem(notify.item, "", IMAGE_FOLDER, IMAGE_FOLDER);
  } else {
    AddPlaceholderIfSubfolders(notify.item, path);
  }
  return 0;
}

std::string CBrowseDlg::ShortenPath(const std::string& path, int width,
                                    const std::function<int(const std::string&)>& measure,
                                    const CodePage& code_page) {
  if (measure(path) <= width) return path;
  // A character at a time, so that no two-byte character is ever cut in two.
  std::vector<std::string> characters = SplitCharacters(code_page, path);
  if (characters.size() < 3) return path;
  size_t dots = characters.size() / 2 - 1;
  for (size_t i = dots; i < dots + 3; ++i) characters[i].assign(1, '.');
  auto joined = [&characters] {
    std::string text;
    for (const std::string& character : characters) text += character;
    return text;
  };
  std::string text = joined();
  while (measure(text) > width) {
    size_t after = dots + 3;
    if (after >= characters.size() || dots == 0) break;
    characters.erase(characters.begin() + static_cast<std::ptrdiff_t>(after));
    characters.erase(characters.begin() + static_cast<std::ptrdiff_t>(dots - 1));
    --dots;
    text = joined();
  }
  return text;
}

void CBrowseDlg::OnSelChanged(const TreeNotify& notify) {
  m_selectedPath = GetItemPath(notify.item);
  std::string display = m_selectedPath;
  if (Control* field = GetDlgItem(BrowseIds::CURRENT_PATH)) {
    int width = field->GetRect().Width();
    display = ShortenPath(
        m_selectedPath, width,
        [field](const std::string& text) { return field->MeasureText(text).cx; }, m_codePage);
  }
  SetControlText(BrowseIds::CURRENT_PATH, display);
}

bool CBrowseDlg::GiveAnswer(UserDriver& driver, const std::string& folder) {
  const CodePage& code_page = driver.code_page();
  std::vector<std::string> parts = SplitBackslashPath(code_page, folder);
  if (parts.empty()) return driver.Click(ID_CANCEL);
  std::string at = parts[0] + "\\";
  if (driver.FindTreeItem(BrowseIds::TREE, at) == 0) return driver.Click(ID_CANCEL);
  size_t next = 1;
  for (; next < parts.size(); ++next) {
    std::string child = Join(at, parts[next], code_page);
    if (driver.FindTreeItem(BrowseIds::TREE, child) == 0) {
      driver.ExpandTreeItem(BrowseIds::TREE, at);
      if (driver.FindTreeItem(BrowseIds::TREE, child) == 0) break;
    }
    at = child;
  }
  driver.SelectTreeItem(BrowseIds::TREE, at);
  std::string rest;
  for (size_t i = next; i < parts.size(); ++i) rest += (rest.empty() ? "" : "\\") + parts[i];
  if (!rest.empty()) driver.Type(BrowseIds::NEW_DIRECTORY, rest);
  return driver.Click(ID_OK);
}

bool CBrowseDlg::IsAllowedDirectoryChar(char c) {
  char upper = UpperAscii(c);
  return (upper >= 'A' && upper <= 'Z') || (upper >= '0' && upper <= '9') ||
         (upper >= 0x23 && upper <= 0x29) || upper == ' ';
}

void CBrowseDlg::OnChangeNewDirectory() {
  EditControl* edit = GetEdit(BrowseIds::NEW_DIRECTORY);
  if (edit == nullptr) return;
  m_newDirectory = edit->GetText();
  if (m_newDirectory.empty()) return;
  int caret = std::min(edit->GetSel().first, static_cast<int>(m_newDirectory.size()));
  if (caret <= 0) return;
  // A two-byte character is refused whole (its first byte is above 0x7F): neither half stays.
  const size_t start = CharacterStartBefore(m_codePage, m_newDirectory, caret);
  if (IsAllowedDirectoryChar(m_newDirectory[start])) return;
  m_newDirectory.erase(start, m_codePage.CharSize(m_newDirectory, start));
  edit->SetText(m_newDirectory);
  if (start > 0) {
    const int left = static_cast<int>(start);
    edit->SetSel(left, left);
    edit->ScrollCaret();
  }
}

void CBrowseDlg::OnOK() {
  m_newDirectory = GetControlText(BrowseIds::NEW_DIRECTORY);
  if (!m_newDirectory.empty()) {
    m_selectedPath = WithTrailingBackslash(m_codePage, m_selectedPath) + m_newDirectory;
  }
  EndDialog(ID_OK);
}

}  // namespace setup
