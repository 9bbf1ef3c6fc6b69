#pragma once

#include <atomic>
#include <cstdint>

namespace setup {

// How far a section's copy has come, in bytes of the source tree. The walking thread adds
// to it without waking the window; the progress dialog reads it at its own pace.
class CopyMeter {
 public:
  void Start(uint64_t total) {
    total_.store(total, std::memory_order_relaxed);
    done_.store(0, std::memory_order_relaxed);
  }
  void Add(uint64_t bytes) { done_.fetch_add(bytes, std::memory_order_relaxed); }
  // The share done, 0 to 100; 100 for an empty tree, never more than 100 (a file that grew
  // since it was counted).
  int Percent() const {
    const uint64_t total = total_.load(std::memory_order_relaxed);
    const uint64_t done = done_.load(std::memory_order_relaxed);
    if (total == 0 || done >= total) return 100;
    if (total <= UINT64_MAX / 100) return static_cast<int>(done * 100 / total);
    return static_cast<int>(done / (total / 100));  // the product would overflow
  }

 private:
  std::atomic<uint64_t> total_{0};
  std::atomic<uint64_t> done_{0};
};

}  // namespace setup
