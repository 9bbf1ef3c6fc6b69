#include "install/auto_reset_event.h"

namespace setup {

void AutoResetEvent::Set() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bSet = true;
  }
  m_signalled.notify_one();
}

void AutoResetEvent::Wait() {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_signalled.wait(lock, [this] { return m_bSet; });
  m_bSet = false;
}

bool AutoResetEvent::Poll() {
  std::lock_guard<std::mutex> lock(m_mutex);
  bool was_set = m_bSet;
  m_bSet = false;
  return was_set;
}

void AutoResetEvent::Reset() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_bSet = false;
}

}  // namespace setup
