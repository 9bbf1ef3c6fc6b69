#pragma once

#include <functional>
#include <string>

#include "config/setup_config.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/installation_dialogs.h"
#include "ui/framework/dialog.h"
#include "ui/framework/user_driver.h"

namespace setup {

// Picks a destination folder (template 113): a tree of the drives and their folders, read
// from the file system only as the user opens it, the selected path shortened to fit
// its current-path field, and an edit for a new folder name that refuses characters outside
// letters, digits, blank and # $ % & ' ( ). After ID_OK, m_selectedPath holds the result.
class CBrowseDlg : public CDialog {
 public:
  // Images of bitmap 114, by index.
  static constexpr int IMAGE_HARD_DISK = 0;
  static constexpr int IMAGE_FLOPPY = 1;
  static constexpr int IMAGE_CDROM = 2;
  static constexpr int IMAGE_FOLDER = 3;
  static constexpr int IMAGE_OPEN_FOLDER = 4;
  static constexpr int TREE_BITMAP_ID = 114;
  static constexpr int IMAGE_COUNT = 5;

  // Chooses `folder` on the shown dialog as a user would: opens the tree down to the deepest
  // existing folder of the path, selects it, types the rest as the new directory and presses
  // OK; Cancel when the path's drive is not in the tree.
  static bool GiveAnswer(UserDriver& driver, const std::string& folder);

  CBrowseDlg(WindowSystem& window_system, const SetupConfig& config, FileSystem& fs,
             const CodePage& code_page);
  const char* ClassName() const override { return KindOf(InstallDialog::Browse); }
  bool OnInitDialog() override;
  void OnOK() override;

  intptr_t OnItemExpanding(const TreeNotify& notify);
  void OnSelChanged(const TreeNotify& notify);
  void OnChangeNewDirectory();

  void FillDrives();
  void AddDrive(const std::string& root);
  bool AddPlaceholderIfSubfolders(TreeItem item, const std::string& path);
  int FillSubfolders(TreeItem item, const std::string& path);
  std::string GetItemPath(TreeItem item) const;
  void DeleteFirstChild(TreeItem item);
  void DeleteAllChildren(TreeItem item);

  // `path` shortened with a "..." in its middle until `measure` says it fits in `width`.
  // Never touches anything outside the text and always ends; texts under three characters
  // are left whole. Characters are those of `code_page`: a two-byte one goes whole.
  static std::string ShortenPath(const std::string& path, int width,
                                 const std::function<int(const std::string&)>& measure,
                                 const CodePage& code_page);
  // Whether a character typed into the new-directory edit is kept.
  static bool IsAllowedDirectoryChar(char c);

  std::string m_selectedPath;
  std::string m_newDirectory;
  // Set while the drives are listed, until the first fixed drive has been selected.
  bool m_bSelectFirstFixedDrive = false;

 private:
  TreeControl* Tree() const { return GetTree(BrowseIds::TREE); }
  std::string SearchPattern(const std::string& path) const;

  const SetupConfig& m_config;
  FileSystem& m_fs;
  const CodePage& m_codePage;
};

}  // namespace setup
