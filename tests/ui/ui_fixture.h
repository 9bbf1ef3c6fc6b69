#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "config/setup_config.h"
#include "config/setup_keys.h"
#include "config/setup_texts.h"
#include "config/special_folders.h"
#include "platform/code_page.h"
#include "platform/file_system_wrapper.h"
#include "platform/registry_file.h"
#include "support/memory_file_system.h"
#include "support/temp_dir.h"
#include "ui/backends/headless/headless_window_system.h"
#include "ui/backends/headless/scripted_user.h"
#include "ui/dialogs/answers_user.h"
#include "ui/dialogs/browse_dlg.h"
#include "ui/dialogs/dialog_templates.h"
#include "ui/framework/transcript_writer.h"

namespace setup::testing {

// SETUP.TXT texts as a typical disc has them.
void FillTexts(SetupConfig& config);

// One section of a hand-made configuration.
struct TestSection {
  std::string product;
  std::string dest;
  std::string size;
  std::string by_default = "TRUE";
};
void AddSections(SetupConfig& config, const std::vector<TestSection>& sections);

// Three options, the last one not installed by default and of no known size.
inline const std::vector<TestSection> THREE_SECTIONS = {
    {"Book", "C:\\Quillby\\Book", "1572864"},
    {"Samples", "C:\\Quillby\\Samples", "1536"},
    {"Extras", "C:\\Quillby\\Extras", "", "FALSE"},
};

// A file system whose free space per drive a test decides (none known is NotReady), which
// records the searches made; everything else goes to the target.
class SpaceFileSystem : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  void SetFree(char letter, uint64_t bytes) { free_[letter] = bytes; }
  void FailSpace(char letter) { free_.erase(letter); }

  Result<std::vector<FindData>> FindFiles(const std::string& pattern) override {
    searched.push_back(pattern);
    return FileSystemWrapper::FindFiles(pattern);
  }
  Result<DiskSpace> FreeSpaceOf(const std::string& root) override;

  std::vector<std::string> searched;

 private:
  std::map<char, uint64_t> free_;
};

// What the Options dialog works on: drives C: and D: (fixed, 100 MB free each) and E:
// (CD-ROM) in memory, a registry store in a temporary directory, the usual texts and
// `sections`.
struct OptionsSetup {
  explicit OptionsSetup(const std::vector<TestSection>& sections);
  int Run(WindowSystem& ws, const CodePage& code_page);
  std::string Value(int section, int key) const { return config.GetSectionValue(section, key); }

  TempDir temp;
  MemoryFileSystem disk;
  SpaceFileSystem fs{&disk};
  std::optional<RegistryFile> registry;
  SetupConfig config;
  SpecialFolders folders;
  std::atomic<bool> exit_requested{false};
};

// What the browse dialog works on: drives A: (removable), C: (fixed) and D: (CD-ROM) in memory
// with names in `code_page`, and the usual texts.
struct BrowseSetup {
  explicit BrowseSetup(const CodePage& code_page = CodePage());
  int Run(WindowSystem& ws, const CodePage& code_page);

  MemoryFileSystem disk;
  SpaceFileSystem fs{&disk};
  SetupConfig config;
  std::unique_ptr<CBrowseDlg> dialog;
};

// Stands in for the progress dialog: no default button, ends when its worker posts DONE
// (keeping the message's first parameter).
class WaitingDlg : public CDialog {
 public:
  static constexpr uint32_t DONE = MSG_USER + 5;

  WaitingDlg(WindowSystem& ws, std::function<void(CDialog&)> on_init)
      : CDialog(ws, InstallingTemplate()), on_init_(std::move(on_init)) {
    OnMessageId(DONE, [this](uintptr_t w, intptr_t) {
      received = static_cast<int>(w);
      EndDialog(ID_OK);
      return intptr_t{0};
    });
  }
  const char* ClassName() const override { return "WaitingDlg"; }
  bool OnInitDialog() override {
    on_init_(*this);
    return true;
  }
  int received = 0;

 private:
  std::function<void(CDialog&)> on_init_;
};

// A headless window system with a scripted user over the answers user, recording the
// transcript in memory, and a configuration with the usual texts.
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
  HeadlessWindowSystem ws{user, &writer, code_page};
  SetupConfig config;
};

}  // namespace setup::testing
