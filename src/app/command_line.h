#pragma once

#include <optional>
#include <string>

namespace setup {

enum class RunMode { Install, Check, Plan, RunScript, Uninstall, Help, Version };

// What the command line asked for.
struct CommandLine {
  RunMode mode = RunMode::Install;
  bool gui = false;
  bool unattended = false;
  bool quiet = false;
  // --check prints JSON Lines.
  bool json = false;
  std::optional<std::string> answers_file;
  std::optional<std::string> transcript_file;
  std::optional<std::string> profile_file;
  std::optional<std::string> start_dir;
  std::optional<std::string> screenshots_dir;
  std::string script_file;
  int section = 1;
  // --uninstall NAME; without NAME the entries are listed.
  std::optional<std::string> uninstall_name;
};

// Parses the arguments (without the program name). On a usage error returns nullopt and
// sets `error` to a one-line message naming the problem.
std::optional<CommandLine> ParseCommandLine(int argc, const char* const* argv, std::string& error);

// The text of --help.
const char* UsageText();

}  // namespace setup
