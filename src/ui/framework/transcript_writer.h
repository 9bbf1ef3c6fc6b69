#pragma once

#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "ui/framework/dialog_snapshot.h"
#include "ui/framework/window_system.h"

namespace setup {

// Reports every dialog and message box: as one JSON line each to the transcript (when
// given), and as caption and texts to the console (standard error, when given) the moment it
// is shown. Texts are converted from the code page to UTF-8.
//
// Transcript lines keep the order in which the user saw the windows: a modal dialog's line,
// written with its answer and what it showed when it ended, stays ahead of the dialogs it
// opened, which are held back until it ends. Modeless windows and message boxes are complete
// when shown. Thread-safe.
class TranscriptWriter : public DialogObserver {
 public:
  TranscriptWriter(const CodePage& code_page, std::ostream* transcript, std::ostream* console);
  // Writes any line still waiting for its dialog's end, without an answer.
  ~TranscriptWriter() override;

  int OnDialogShown(const DialogSnapshot& snapshot, bool modeless) override;
  void OnDialogEnded(int ticket, const DialogSnapshot& snapshot,
                     const std::string& answer) override;
  void OnMessageBox(const MessageBoxRequest& request, MessageBoxResult answer) override;
  // A file the copy could not write (`file` in the code page, `reason` the host's words): a
  // CopyFailure line after whatever the user has seen so far.
  void OnCopyFailure(const std::string& file, const std::string& reason);

  // One transcript line (without the newline), as written.
  std::string DialogLine(const DialogSnapshot& snapshot, const std::string* answer) const;
  std::string MessageBoxLine(const MessageBoxRequest& request, MessageBoxResult answer) const;

 private:
  struct Slot {
    std::optional<std::string> line;
    DialogSnapshot shown;
  };
  void FlushLocked();
  std::string Json(const std::string& ansi) const;

  const CodePage& code_page_;
  std::ostream* transcript_;
  std::ostream* console_;
  std::mutex mutex_;
  std::vector<Slot> slots_;
  size_t written_ = 0;
};

}  // namespace setup
