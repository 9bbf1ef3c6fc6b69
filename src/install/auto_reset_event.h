#pragma once

#include <condition_variable>
#include <mutex>

namespace setup {

// An event that stays signalled until one waiter or poll consumes the signal, as the
// original platform's auto-reset events do. Safe to use from any thread.
class AutoResetEvent {
 public:
  void Set();
  // Blocks until the event is signalled, then resets it.
  void Wait();
  // Without waiting: true (and reset) when it was signalled.
  bool Poll();
  void Reset();

 private:
  std::mutex m_mutex;
  std::condition_variable m_signalled;
  bool m_bSet = false;
};

}  // namespace setup
