#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/install_recorder.h"
#include "config/setup_config.h"
#include "config/special_folders.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "ui/framework/message_box.h"

namespace setup {

// The uninstaller program on the disc, copied into the Windows directory.
inline constexpr char UNINSTALLER_NAME[] = "ZORUNIN.EXE";

// What RegisterUninstall works with; the references outlive the call. `registry` may be
// null (the store could not be opened): nothing is then written.
struct UninstallServices {
  FileSystem& fs;
  const SetupConfig& config;
  const SpecialFolders& folders;
  Registry* registry;
  MessageBoxService& messages;
  const CodePage& code_page;
  // Writes the record of what the entry's sections installed; may be null.
  InstallRecorder* recorder = nullptr;
};

// Says that the record of installed files could not be written, and why.
void ShowRecordFailure(MessageBoxService& messages, const Status& failure);

// Registers the current section for uninstall, after its copy. Nothing happens when the
// start directory holds no ZORUNIN.EXE, or when the section's Uninstall is not "TRUE" (any
// case). Otherwise the start directory's ZORUNIN.EXE is copied with the expanding copy into
// the Windows directory (a read-only copy there is replaced; a failure shows "Couldn't copy
// uninstall program." and the entry is written all the same), and the entry
// UNINSTALL_KEY\ProductName gets DisplayName, UninstallString ("<windir>\ZORUNIN.EXE
// `<DestDir>` <ProductName>"), UninstallText (text 34), UninstallProblemText (text 35) and,
// unless it is exactly "NULL", ShortcutLocation. Values have no length limit. Before the
// entry, the recorder (when given) writes the record of what it installed, so that no entry
// is ever without one; a failure there is shown (ShowRecordFailure). Leaves FOLDER_WORKDIR
// current.
void RegisterUninstall(const UninstallServices& services);

// Whether RegisterUninstall registers the current section: the start directory holds
// ZORUNIN.EXE and the section's Uninstall is "TRUE" (any case).
bool RegistersUninstall(FileSystem& fs, const SetupConfig& config, const SpecialFolders& folders,
                        const CodePage& code_page);

// The current section's uninstall entry: its key and its values (name, data) in the order
// RegisterUninstall writes them.
std::string UninstallEntryKey(const SetupConfig& config);
std::vector<std::pair<std::string, std::string>> UninstallEntryValues(const SetupConfig& config,
                                                                      const SpecialFolders& folders,
                                                                      const CodePage& code_page);

// The UninstallString of a section.
std::string UninstallCommand(const std::string& windows_dir, const std::string& dest_dir,
                             const std::string& product_name, const CodePage& code_page);

}  // namespace setup
