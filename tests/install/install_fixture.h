#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "config/setup_config.h"
#include "config/special_folders.h"
#include "install/install_state.h"
#include "install/section_copy.h"
#include "platform/file_system_wrapper.h"
#include "platform/shell_link_maker.h"
#include "support/temp_dir.h"
#include "support/temp_drives.h"
#include "ui/backends/headless/headless_window_system.h"
#include "ui/backends/headless/scripted_user.h"
#include "ui/dialogs/answers_user.h"
#include "ui/framework/transcript_writer.h"

namespace setup::testing {

// A gate a test opens once: threads that reach it wait until then.
class Gate {
 public:
  void Open();
  void Wait();
  // True once a thread has arrived at the gate.
  void WaitForArrival();

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
  bool arrived_ = false;
};

// The real file system with faults a test switches on: calls whose path contains a marker
// fail (or, for reads and writes, fail part-way), and a copy can be held at a gate.
class FaultyFileSystem : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;

  // Copies and new files whose destination contains `marker` fail with AccessDenied.
  std::string deny_writes_to;
  // Reads of a source whose name contains `marker` fail after `read_limit` bytes (NotReady).
  std::string medium_gone_at;
  size_t read_limit = 0;
  // Writes to a destination containing `marker` fail past `write_limit` bytes (DiskFull).
  std::string disk_full_at;
  size_t write_limit = 0;
  // Directories that cannot be made current.
  std::set<std::string> locked_dirs;
  // Called with the source of every plain copy before it is made.
  std::function<void(const std::string&)> on_copy;

  Status CopyFileTo(const std::string& from, const std::string& to, bool fail_if_exists) override;
  Result<std::unique_ptr<ReadableFile>> OpenForRead(const std::string& path) override;
  Result<std::unique_ptr<WritableFile>> CreateForWrite(const std::string& path) override;
  Status ChangeDirectory(const std::string& path) override;
};

// Drive D holds the disc (the start directory), drive C the destination; a configuration
// with a disc's texts, a headless window system with a scripted user over the answers user,
// and the transcript in memory.
class InstallFixture {
 public:
  InstallFixture();

  // Writes a file on the disc (path relative to the disc's root, '/' separated).
  void Disc(const std::string& path, const std::string& contents);
  void DestFile(const std::string& path, const std::string& contents);
  std::string Dest(const std::string& path) const;
  bool DestExists(const std::string& path) const;
  // The kinds and answers of the dialogs and boxes shown, in order ("CConfirmReplaceDlg=No").
  std::vector<std::string> Shown() const;
  // Copies the tree of disc directory `code_dir` into `destination` on the walking thread.
  void CopyTree(const std::string& code_dir, const std::string& destination);
  void SetAnswers(const std::string& ini_text);

  TempDir temp;
  CodePage code_page;
  std::unique_ptr<FileSystem> real;
  // The host's shortcuts, made on `real`.
  std::unique_ptr<ShellLinkMaker> links;
  std::unique_ptr<FaultyFileSystem> fs;
  SetupConfig config;
  SpecialFolders folders;
  InstallState state;
  std::ostringstream transcript;
  TranscriptWriter writer{code_page, &transcript, nullptr};
  AnswersUser answers;
  ScriptedUser user{answers};
  std::unique_ptr<HeadlessWindowSystem> ws;
};

// A compressed file in the SZDD format holding `data` as literals only.
std::string SzddOf(const std::string& data);

}  // namespace setup::testing
