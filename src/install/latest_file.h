#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <string>

namespace setup {

// The file the worker copies, handed to the window thread at the window's pace: the worker
// offers every file, but asks for a message only when none is waiting to be handled and
// the last one was asked for at least an interval ago, so a copy of many small files wakes
// the window thread a few times a second rather than once per file. The window thread
// takes the latest file when the message arrives, and once more when the copy ends, so the
// fields always end on the last file. Safe to use from both threads.
class LatestFile {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  static constexpr std::chrono::milliseconds INTERVAL{40};

  explicit LatestFile(Clock clock = std::chrono::steady_clock::now);

  // Worker: `source` and `destination` are now the latest file; true when the caller is to
  // post the message that makes the window thread take it.
  bool Offer(const std::string& source, const std::string& destination);
  // Window thread: the latest file not taken yet; false when there is none. Allows the
  // next message.
  bool Take(std::string& source, std::string& destination);

 private:
  Clock m_clock;
  std::mutex m_mutex;
  bool m_bWaiting = false;  // a file offered and not taken
  bool m_bPosted = false;   // a message asked for and not handled
  bool m_bEverPosted = false;
  std::chrono::steady_clock::time_point m_lastPost;
  std::string m_strSource;
  std::string m_strDestination;
};

}  // namespace setup
