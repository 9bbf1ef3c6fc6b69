#include "install/latest_file.h"

#include <utility>

namespace setup {

LatestFile::LatestFile(Clock clock) : m_clock(std::move(clock)) {}

bool LatestFile::Offer(const std::string& source, const std::string& destination) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_strSource = source;
  m_strDestination = destination;
  m_bWaiting = true;
  if (m_bPosted) return false;
  const auto now = m_clock();
  if (m_bEverPosted && now - m_lastPost < INTERVAL) return false;
  m_bPosted = true;
  m_bEverPosted = true;
  m_lastPost = now;
  return true;
}

bool LatestFile::Take(std::string& source, std::string& destination) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_bPosted = false;
  if (!m_bWaiting) return false;
  m_bWaiting = false;
  source = m_strSource;
  destination = m_strDestination;
  return true;
}

}  // namespace setup
