#pragma once

#include <atomic>

#include "install/auto_reset_event.h"
#include "install/copy_failures.h"

namespace setup {

// The state the install worker and the progress dialog share, one object per process (built
// before the configuration, living until the end). The flags are written on one thread and
// read on the other at its next check.
struct InstallState {
  // Set when the user confirms Exit (UI thread) or a section's source is missing (worker);
  // the walk stops before its next entry and the install sequence ends with the setup-failed
  // dialog. Never cleared.
  std::atomic<bool> m_bExitRequested{false};
  // Set by a "Yes To All" answer; cleared when the progress dialog opens, so it holds for one
  // section.
  std::atomic<bool> g_bYesToAll{false};
  // Set when a file of the section is not copied (expanded or plain); cleared when the
  // progress dialog opens and reported once when the section's copy has ended.
  std::atomic<bool> g_bCopyFailed{false};
  // Every file not copied in the run, each named as it fails.
  CopyFailures m_copyFailures;
  // Hands over from the progress dialog to its worker.
  AutoResetEvent g_eventDialogReady;
  // Polled by the walk after every entry: a signal ends the walk of the directory being read.
  AutoResetEvent g_eventStopCopy;
};

}  // namespace setup
