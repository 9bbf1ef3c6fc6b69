#pragma once

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "config/setup_config.h"
#include "config/setup_keys.h"
#include "config/setup_texts.h"
#include "platform/code_page.h"
#include "platform/posix_file_system.h"
#include "ui/headless/answers_user.h"
#include "ui/headless/headless_window_system.h"
#include "ui/headless/scripted_user.h"
#include "ui/transcript_writer.h"

namespace setup::testing {

// SETUP.TXT texts as a typical disc has them.
void FillTexts(SetupConfig& config);

// One section of a hand-made configuration.
struct SectionSpec {
  std::string product;
  std::string dest;
  std::string size;
  std::string by_default = "TRUE";
};
void AddSections(SetupConfig& config, const std::vector<SectionSpec>& sections);

// A file system over a drive map whose free space per drive a test decides; everything else
// goes to the real POSIX file system.
class SpaceFileSystem : public FileSystem {
 public:
  explicit SpaceFileSystem(std::unique_ptr<PosixFileSystem> real) : real_(std::move(real)) {}
  void SetFree(char letter, uint64_t bytes) { free_[letter] = bytes; }
  void FailSpace(char letter) {
    free_.erase(letter);
    failing_.push_back(letter);
  }
  int find_calls = 0;

  Result<uint32_t> GetFileAttributes(const std::string& p) override {
    return real_->GetFileAttributes(p);
  }
  Status SetFileAttributes(const std::string& p, uint32_t a) override {
    return real_->SetFileAttributes(p, a);
  }
  Result<FindData> GetFileInfo(const std::string& p) override { return real_->GetFileInfo(p); }
  Status SetFileTimes(const std::string& p, FileTime c, FileTime a, FileTime w) override {
    return real_->SetFileTimes(p, c, a, w);
  }
  Result<std::vector<FindData>> FindFiles(const std::string& pattern) override {
    ++find_calls;
    searched.push_back(pattern);
    return real_->FindFiles(pattern);
  }
  Status CreateDirectory(const std::string& p) override { return real_->CreateDirectory(p); }
  Status CopyFile(const std::string& f, const std::string& t, bool e) override {
    return real_->CopyFile(f, t, e);
  }
  Status DeleteFile(const std::string& p) override { return real_->DeleteFile(p); }
  Status MoveFile(const std::string& f, const std::string& t) override {
    return real_->MoveFile(f, t);
  }
  Result<std::unique_ptr<ReadableFile>> OpenForRead(const std::string& p) override {
    return real_->OpenForRead(p);
  }
  Result<std::unique_ptr<WritableFile>> CreateForWrite(const std::string& p) override {
    return real_->CreateForWrite(p);
  }
  std::string GetCurrentDirectory() override { return real_->GetCurrentDirectory(); }
  Status SetCurrentDirectory(const std::string& p) override {
    return real_->SetCurrentDirectory(p);
  }
  std::string GetFullPathName(const std::string& p) override { return real_->GetFullPathName(p); }
  uint32_t GetLogicalDrives() override { return real_->GetLogicalDrives(); }
  DriveType GetDriveType(const std::string& root) override { return real_->GetDriveType(root); }
  Result<DiskSpace> GetDiskFreeSpace(const std::string& root) override;
  Result<std::string> ToHostPath(const std::string& p) override { return real_->ToHostPath(p); }

  std::vector<std::string> searched;

 private:
  std::unique_ptr<PosixFileSystem> real_;
  std::map<char, uint64_t> free_;
  std::vector<char> failing_;
};

// A headless window system with a scripted user over the answers user, recording the
// transcript in memory.
struct HeadlessRig {
  explicit HeadlessRig(IniFile answers = IniFile());
  // The transcript lines written so far.
  std::vector<std::string> Lines() const;

  CodePage code_page;
  std::ostringstream transcript;
  std::ostringstream console;
  TranscriptWriter writer{code_page, &transcript, &console};
  AnswersUser answers;
  ScriptedUser user{answers};
  HeadlessWindowSystem ws{user, &writer};
};

}  // namespace setup::testing
