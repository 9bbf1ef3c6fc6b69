#pragma once

#include <string>
#include <vector>

#include "platform/status.h"

namespace setup {

// How a program run ended.
struct ProcessRun {
  enum class Outcome {
    Finished,    // the program ran and ended
    NotStarted,  // it could not be started; nothing to wait for
    WaitFailed,  // it started but waiting for its end failed
  };
  Outcome outcome = Outcome::NotStarted;
  Status status;  // why, when not Finished
  int exit_code = 0;
};

// Starts programs and waits for them.
class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  // Runs `program` (a Windows path) with `arguments` (disc code page) as its arguments, each
  // one argument exactly as given, never through a shell, in the file system's current
  // directory, with this process's environment; waits without a time limit for its end.
  virtual ProcessRun RunAndWait(const std::string& program,
                                const std::vector<std::string>& arguments) = 0;
};

}  // namespace setup
