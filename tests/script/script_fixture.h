#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "config/setup_config.h"
#include "config/special_folders.h"
#include "platform/code_page.h"
#include "platform/host_file_system.h"
#include "platform/host_system.h"
#include "platform/path_search.h"
#include "script/script_runner.h"
#include "support/recording_message_box.h"
#include "support/temp_dir.h"
#include "support/temp_drives.h"

namespace setup::testing {

// A search that finds exactly the names it is given.
class FakePathSearch : public PathSearch {
 public:
  bool FindOnPath(const std::string& file_name) override { return found.count(file_name) != 0; }
  std::set<std::string> found;
};

// Scripts run on two drives in a temporary directory: C (fixed, host "c") and D (the disc,
// host "d"), with D:\ current as during the install's scripts. Section 1 installs to
// C:\Books\Demo. Pauses are recorded, never slept.
class ScriptFixture : public ::testing::Test {
 protected:
  ScriptFixture();

  // Writes `text` as D:\script.scr and runs it as the install sequence does.
  void RunScript(const std::string& text);
  void RunLine(const std::string& line) { runner_->RunScriptLine(line); }
  std::vector<std::string> Texts() const { return messages_.texts(); }
  // Host path of a path below the temporary directory ("c/dest/a.txt").
  std::string Host(const std::string& relative) const { return temp_.Join(relative); }

  TempDir temp_;
  CodePage code_page_;
  std::unique_ptr<FileSystem> fs_;
  SetupConfig config_;
  SpecialFolders folders_;
  HostSystem system_;
  RecordingMessageBox messages_;
  std::unique_ptr<ProcessRunner> processes_;
  std::unique_ptr<ShellLinkMaker> links_;
  FakePathSearch search_;
  std::vector<int> pauses_;
  std::unique_ptr<ScriptRunner> runner_;
};

}  // namespace setup::testing
