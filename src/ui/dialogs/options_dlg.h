#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "config/setup_config.h"
#include "config/special_folders.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "ui/dialogs/installation_dialogs.h"
#include "ui/dialogs/option_check_list_box.h"
#include "ui/framework/dialog.h"
#include "ui/framework/user_driver.h"

namespace setup {

// Where the user chooses the sections and their destinations (template 116). Writes its
// results straight into the configuration: InstallByDefault of every section, changed
// DestDir values, and on a successful Continue the install slots of the special folders.
// Every handler leaves the section cursor where the install sequence expects it: on
// m_nSelected, on the first section after a successful Continue, on the last section after
// a failed space check. All byte counts are 64-bit.
class COptionsDlg : public CDialog {
 public:
  enum class Button { Continue, Exit };
  // What a user does in the dialog, in this order: picks a drive, sets sections' folders
  // (each through Change Folder and the browse dialog), ticks exactly the selected
  // sections, presses a button. Sections are numbered from 1, as in SETUP.INI.
  struct Answer {
    std::optional<char> drive;
    std::map<int, std::string> folders;
    // nullopt leaves the ticks as the dialog opened.
    std::optional<std::set<int>> selection;
    Button button = Button::Continue;
  };

  // Acts `answer` out on the shown dialog. `browse_folder` holds each folder while Change
  // Folder's browse dialog is up, for the user who answers that dialog; folders of sections
  // the list lacks are skipped. Returns whether the button was pressed.
  static bool GiveAnswer(UserDriver& driver, const Answer& answer,
                         std::optional<std::string>& browse_folder);
  // Sets section `number`'s folder through Change Folder and the browse dialog (answered from
  // `browse_folder`), then gives the section exactly `folder`. False when Change Folder is
  // not there to press.
  static bool GiveFolder(UserDriver& driver, int number, const std::string& folder,
                         std::optional<std::string>& browse_folder);
  // How many sections the shown dialog lists.
  static int ListedSections(UserDriver& driver);

  // `exit_requested` is the install run's flag, set when the user confirms Exit.
  COptionsDlg(WindowSystem& window_system, SetupConfig& config, SpecialFolders& folders,
              FileSystem& fs, const Registry& registry, const CodePage& code_page,
              std::atomic<bool>& exit_requested);
  const char* ClassName() const override { return KindOf(InstallDialog::Options); }
  // Sets the destination of the section at `index` (from 0) and shows it, as Change Folder
  // does with the browse dialog's choice.
  void SetSectionFolder(int index, const std::string& folder);
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;

  void RefreshOptionInfo();
  intptr_t OnCheckListClick();
  void OnChangeFolder();
  void OnDriveSelChange();
  // One CNoRoomDlg per drive short of space, in letter order; a chosen section whose
  // destination has no drive letter is reported and fails the check too.
  bool CheckDiskSpace();
  // Free bytes of the drive (0 when they cannot be read).
  uint64_t GetDriveFreeBytes(char letter);
  // "" for an empty FileSize, else its size text.
  std::string FormatListSize(const std::string& file_size) const;
  // The message for a chosen section whose destination does not start with a drive letter.
  static std::string NoDriveLetterText(const std::string& product, const std::string& dest);

  int m_nSelected = 0;
  std::unique_ptr<COptionCheckListBox> m_pCheckList;
  Font m_dialogFont;
  std::string m_strSavedDest;

 private:
  bool IsChosen() const;
  int SectionCount() const;
  std::string Text(int number) const { return m_config.GetText(number); }

  SetupConfig& m_config;
  SpecialFolders& m_folders;
  FileSystem& m_fs;
  const Registry& m_registry;
  const CodePage& m_codePage;
  std::atomic<bool>& m_bExitRequested;
};

}  // namespace setup
