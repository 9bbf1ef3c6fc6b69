#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "platform/host.h"

namespace setup {

// Forwards every call to a target host, so that a test derives from it and overrides only
// the call it wants to observe or change (sleeping, the display). The target must outlive
// the wrapper.
class HostWrapper : public Host {
 public:
  explicit HostWrapper(Host* target) : target_(target) {}

  Host* target() const { return target_; }

  const HostProfile& profile() const override { return target_->profile(); }
  const CodePage& code_page() const override { return target_->code_page(); }
  const HostSystem& system() const override { return target_->system(); }
  const std::string& home_dir() const override { return target_->home_dir(); }
  const std::string& start_dir() const override { return target_->start_dir(); }
  bool DisplayAvailable() const override { return target_->DisplayAvailable(); }
  bool IsInteractiveTerminal() const override { return target_->IsInteractiveTerminal(); }
  bool StandardErrorIsTerminal() const override { return target_->StandardErrorIsTerminal(); }

  FileSystem& file_system() override { return target_->file_system(); }
  Registry* registry() override { return target_->registry(); }
  ProcessRunner& processes() override { return target_->processes(); }
  ShellLinkMaker& links() override { return target_->links(); }
  PathSearch& path_search() override { return target_->path_search(); }

  void Sleep(int milliseconds) override { target_->Sleep(milliseconds); }
  FileTime ToLocalFileTime(FileTime utc) const override { return target_->ToLocalFileTime(utc); }
  std::unique_ptr<InstanceLock> NewInstanceLock() override { return target_->NewInstanceLock(); }
  Result<std::string> ReadWholeFile(const std::string& host_path) override {
    return target_->ReadWholeFile(host_path);
  }
  Result<std::unique_ptr<std::ostream>> CreateOutputFile(const std::string& host_path) override {
    return target_->CreateOutputFile(host_path);
  }

 private:
  Host* target_;
};

}  // namespace setup
