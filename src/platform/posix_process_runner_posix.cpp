#include "platform/posix_process_runner.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "platform/status_posix.h"

extern char** environ;

namespace setup {
namespace {

ProcessRun NotStarted(Status status) {
  ProcessRun run;
  run.outcome = ProcessRun::Outcome::NotStarted;
  run.status = std::move(status);
  return run;
}

}  // namespace

ProcessRun PosixProcessRunner::RunAndWait(const std::string& program,
                                          const std::vector<std::string>& arguments) {
  auto host_program = fs_.ToHostPath(program);
  if (!host_program.ok()) return NotStarted(host_program.status());
  auto host_directory = fs_.ToHostPath(fs_.CurrentDirectory());
  if (!host_directory.ok()) return NotStarted(host_directory.status());

  std::vector<std::string> argv_text;
  argv_text.push_back(*host_program);
  for (const auto& argument : arguments) argv_text.push_back(code_page_.ToUtf8(argument));
  std::vector<char*> argv;
  for (auto& text : argv_text) argv.push_back(text.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  int error = posix_spawn_file_actions_addchdir_np(&actions, host_directory->c_str());
  pid_t pid = 0;
  if (error == 0) {
    error = posix_spawn(&pid, host_program->c_str(), &actions, nullptr, argv.data(), environ);
  }
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return NotStarted(PosixError(program, error));

  ProcessRun run;
  int wait_status = 0;
  pid_t waited;
  do {
    waited = waitpid(pid, &wait_status, 0);
  } while (waited < 0 && errno == EINTR);
  if (waited < 0) {
    run.outcome = ProcessRun::Outcome::WaitFailed;
    run.status = PosixError(program, errno);
    return run;
  }
  run.outcome = ProcessRun::Outcome::Finished;
  run.exit_code = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  return run;
}

}  // namespace setup
