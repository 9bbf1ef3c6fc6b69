#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace setup::bench {

// A fresh directory under $TMPDIR (or /tmp), removed with its contents on destruction.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& prefix);
  // The same under `base`.
  ScratchDir(const std::string& base, const std::string& prefix);
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class Stopwatch {
 public:
  Stopwatch() : start_(std::chrono::steady_clock::now()) {}
  double Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::chrono::steady_clock::time_point start_;
};

// How a child program ran.
struct ChildRun {
  bool ok = false;         // exited with status 0
  double seconds = 0;      // wall-clock time from start to exit
  double cpu_seconds = 0;  // the child's own user and system time
  long peak_rss_kb = 0;    // the child's own peak resident set
};

// Runs `argv` (argv[0] searched in PATH) and waits for it.
ChildRun RunChild(const std::vector<std::string>& argv);

// Writes `data` to host file `path`; false on failure.
bool WriteHostFile(const std::string& path, const std::string& data);
std::string ReadHostFile(const std::string& path);

}  // namespace setup::bench
