#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_system_wrapper.h"
#include "ui/framework/window_system.h"

namespace setup {

// One line per section's copy on a terminal, rewritten in place ("\r") as files land:
// "<progress dialog's caption>: N files, B bytes"; ended when the progress dialog ends.
// Every dialog and message box goes on to `inner`; one shown while the line is open starts
// on a line of its own. Thread-safe: files land on the install worker.
class ProgressLine : public DialogObserver {
 public:
  ProgressLine(DialogObserver& inner, const CodePage& code_page, std::ostream& out)
      : inner_(inner), code_page_(code_page), out_(out) {}

  int OnDialogShown(const DialogSnapshot& snapshot, bool modeless) override;
  void OnDialogEnded(int ticket, const DialogSnapshot& snapshot,
                     const std::string& answer) override;
  void OnMessageBox(const MessageBoxRequest& request, MessageBoxResult answer) override;

  // A file of `bytes` bytes is in place; counted while a progress dialog is shown.
  void OnFileWritten(uint64_t bytes);

 private:
  void BreakLineLocked();

  DialogObserver& inner_;
  const CodePage& code_page_;
  std::ostream& out_;
  std::mutex mutex_;
  // The progress dialog shown now, by its ticket.
  std::optional<int> ticket_;
  std::string caption_;
  uint64_t files_ = 0;
  uint64_t bytes_ = 0;
  bool line_open_ = false;
};

// The file system of a run with a progress line: each file copied, or written and
// committed, is reported to it with its size.
class ProgressFileSystem : public FileSystemWrapper {
 public:
  ProgressFileSystem(FileSystem* target, ProgressLine& line)
      : FileSystemWrapper(target), line_(line) {}

  Status CopyFileTo(const std::string& from, const std::string& to, bool fail_if_exists) override;
  Status CopyNewFile(const std::string& from, const std::string& to) override;
  Status CopyPlainFile(const std::string& from, const std::string& to, bool is_new) override;
  Result<std::unique_ptr<WritableFile>> CreateForWrite(const std::string& path) override;
  // Nothing to count: the target's own shortcuts are taken.
  Result<std::vector<FindData>> FindFilesWithoutDots(const std::string& pattern) override {
    return target()->FindFilesWithoutDots(pattern);
  }
  Status MakeNewDirectory(const std::string& path) override {
    return target()->MakeNewDirectory(path);
  }

 private:
  // Reports the file copied to `to` when `status` says it was.
  Status Counted(Status status, const std::string& to);

  ProgressLine& line_;
};

}  // namespace setup
