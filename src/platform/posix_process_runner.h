#pragma once

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/process_runner.h"

namespace setup {

// posix_spawn with argv[0] = the program's host path and argv[1..] = the arguments in
// UTF-8, the working directory being the host path of the virtual current directory.
class PosixProcessRunner : public ProcessRunner {
 public:
  PosixProcessRunner(FileSystem& fs, const CodePage& code_page) : fs_(fs), code_page_(code_page) {}
  ProcessRun RunAndWait(const std::string& program,
                        const std::vector<std::string>& arguments) override;

 private:
  FileSystem& fs_;
  const CodePage& code_page_;
};

}  // namespace setup
