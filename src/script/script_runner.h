#pragma once

#include <functional>
#include <string>

#include "config/setup_config.h"
#include "config/special_folders.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/host_system.h"
#include "platform/path_search.h"
#include "platform/process_runner.h"
#include "platform/shell_link_maker.h"
#include "script/install_record.h"
#include "script/script_args.h"
#include "ui/framework/message_box.h"

namespace setup {

// What the script commands work with. All references must outlive the runner.
struct ScriptServices {
  SetupConfig& config;
  SpecialFolders& folders;
  FileSystem& fs;
  MessageBoxService& messages;
  const HostSystem& system;
  const CodePage& code_page;
  ProcessRunner& processes;
  ShellLinkMaker& links;
  PathSearch& search;
  // Blocks for the given milliseconds (RENAME's pause between attempts).
  std::function<void(int milliseconds)> pause;
  // Told about every entry the commands make, replace, delete or move; may be null.
  InstallRecord* record = nullptr;
};

// Runs section scripts: owns the argument table ScriptArgs and runs each line's command on
// the file system. Commands never stop a script; problems they report go to the message box
// service as the application's message box (caption "Setup", warning icon, OK).
class ScriptRunner {
 public:
  explicit ScriptRunner(ScriptServices services) : m_services(std::move(services)) {}

  // Runs the script file `file_name` (not macro-expanded) line by line after making
  // `working_directory` current (a failure there is ignored). "NULL" and "" run nothing;
  // a file that cannot be opened shows "Couldn't find script file %s.". A script of any size
  // is read in chunks; see ScriptTextReader for the line rules.
  void RunScriptFile(const std::string& file_name, const std::string& working_directory);
  // Splits `line` into ScriptArgs, expands a path macro in every field and dispatches.
  void RunScriptLine(const std::string& line);
  // Runs the handler of the command word in slot 0 (upper-cased); an unknown word does
  // nothing.
  void DispatchScriptCommand();

  // The command handlers; each reads its arguments from ScriptArgs.
  void ScriptCopy();
  void ScriptCopyNtOnly();
  void ScriptCopyIfNotInPath();
  void ScriptDelete();
  void ScriptRename();
  void ScriptMakeDir();
  void ScriptRun();
  void ScriptAttrib();
  void ScriptCreateShortcut();

 private:
  void ShowScriptMessage(const std::string& text);

  ScriptServices m_services;
  ScriptArgs m_args;
};

}  // namespace setup
