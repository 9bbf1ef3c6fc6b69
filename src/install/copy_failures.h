#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <utility>

namespace setup {

// A file the copy did not write, with the host's reason.
struct CopyFailure {
  std::string file;    // the destination path (code page)
  std::string reason;  // as the platform reported it
};

// Counts the files not copied in the whole run (the run's end status depends on it) and tells
// the listener about each as it happens (the transcript, standard error). Thread-safe: the
// install worker adds, the UI thread reads.
class CopyFailures {
 public:
  using Listener = std::function<void(const CopyFailure&)>;

  // Set before the copy starts.
  void SetListener(Listener listener) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_listener = std::move(listener);
  }
  void Add(const CopyFailure& failure) {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_nCount;
    if (m_listener) m_listener(failure);
  }
  int Count() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nCount;
  }

 private:
  mutable std::mutex m_mutex;
  Listener m_listener;
  int m_nCount = 0;
};

}  // namespace setup
