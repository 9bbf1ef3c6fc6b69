#include <windows.h>

#include "platform/command_line_quote.h"
#include "platform/long_path_win32.h"
#include "platform/status_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/win32_services.h"

namespace setup {

ProcessRun Win32ProcessRunner::RunAndWait(const std::string& program,
                                          const std::vector<std::string>& arguments) {
  ProcessRun run;
  auto host_program = fs_.SpeltHostPathW(program);
  auto host_dir = fs_.HostPathW(fs_.CurrentDirectory());
  if (!host_program.ok() || !host_dir.ok()) {
    run.status = host_program.ok() ? host_dir.status() : host_program.status();
    return run;
  }
  // argv[0] is the program's host path, as on every host; the arguments are the script's.
  const unsigned code_page = static_cast<unsigned>(code_page_.number());
  std::wstring command_line =
      WidenText(BuildCommandLine(NarrowText(*host_program, code_page), arguments), code_page);
  const std::wstring directory = WithoutLongPathPrefix(*host_dir);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(host_program->c_str(), command_line.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, directory.c_str(), &startup, &process)) {
    run.status = LastWin32Error(program);
    return run;
  }
  CloseHandle(process.hThread);
  DWORD exit_code = 0;
  if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.hProcess, &exit_code)) {
    run.outcome = ProcessRun::Outcome::WaitFailed;
    run.status = LastWin32Error(program);
  } else {
    run.outcome = ProcessRun::Outcome::Finished;
    run.exit_code = static_cast<int>(exit_code);
  }
  CloseHandle(process.hProcess);
  return run;
}

}  // namespace setup
