#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "config/setup_config.h"
#include "install/install_state.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "script/install_record.h"
#include "ui/dialogs/confirm_replace_dlg.h"
#include "ui/framework/window_system.h"

namespace setup {

// Told about each file the walk is about to copy (the progress dialog's two name fields).
// Called on the walking thread.
class CopyProgress {
 public:
  virtual ~CopyProgress() = default;
  // `source_name` is the entry's bare name on the medium, `destination_path` the full path
  // it is written to.
  virtual void ShowFile(const std::string& source_name, const std::string& destination_path) = 0;
  // The walk is past a file of `source_bytes` bytes (copied, skipped or failed).
  virtual void FileDone(uint64_t source_bytes) = 0;
};

// What the walk works with. All references must outlive the SectionCopy.
struct SectionCopyServices {
  FileSystem& fs;
  SetupConfig& config;
  InstallState& state;
  // Runs the replace and exit confirmations (from the walking thread).
  WindowSystem& window_system;
  const CodePage& code_page;
  // The replace confirmation's UTC-to-local conversion; empty for the host's zone.
  CConfirmReplaceDlg::LocalTimeFn to_local;
  // Told about each directory made and file written; may be null.
  InstallRecord* record = nullptr;
};

// One section's tree copy.
class SectionCopy {
 public:
  explicit SectionCopy(SectionCopyServices services) : m_services(std::move(services)) {}

  // Copies the tree of the file system's current directory into `destination` (a directory
  // path without a trailing backslash), depth first in the order the directory lists its
  // entries: directories whose names begin with "." are left out, destination names follow
  // UnderscoresToSpaces when the disc uses underscores, an existing file is replaced only
  // after the replace confirmation (or "Yes To All"; only a destination that exists as a file
  // is offered), files are expanded when the disc's files are compressed, otherwise copied
  // and made plain files. A file not copied, either way, sets g_bCopyFailed and is added to
  // m_copyFailures with the platform's reason. Stops before the next entry once m_bExitRequested is
  // set; a signalled g_eventStopCopy ends the directory being read. A subdirectory that cannot be
  // made current is skipped, and one reached again through a link is not walked twice. Leaves the
  // current directory as it found it. `progress` may be null.
  void CopyDirectoryTree(const std::string& destination, CopyProgress* progress);

 private:
  struct DirectoryId {
    uint64_t volume = 0;
    uint64_t index = 0;
    bool operator==(const DirectoryId&) const = default;
  };
  enum class ReplaceAnswer { Copy, Skip, Stop };

  // `fresh`: the walk has just created `destination` (or found it empty), so only what it
  // writes there exists.
  void CopyLevel(const std::string& destination, CopyProgress* progress, bool fresh);
  bool EnterDirectory(const FindData& entry);
  ReplaceAnswer ConfirmReplace(const FindData& entry, const std::string& destination_path);
  // False when nothing was written. `is_new`: the walk knows the destination is not there;
  // `replaces`: a file is there.
  bool CopyOneFile(const FindData& entry, const std::string& destination_path, bool is_new,
                   bool replaces);
  std::string DestinationName(const std::string& name) const;

  SectionCopyServices m_services;
  // The directories entered by the walk in progress.
  std::vector<DirectoryId> m_walked;
};

}  // namespace setup
