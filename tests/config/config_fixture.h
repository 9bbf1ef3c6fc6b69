#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "config/setup_keys.h"
#include "platform/code_page.h"
#include "platform/drive_map.h"
#include "platform/posix_file_system.h"
#include "support/recording_message_box.h"
#include "support/temp_dir.h"
#include "support/temp_drives.h"

namespace setup::testing {

// The nine values of one [SectionN], valid as they stand.
struct TestSection {
  std::array<std::string, SECTION_KEY_COUNT> values = {
      "CODE1", "C:\\Quillby", "Quillby Reader", "DESKTOP", "Quillby", "100000", "TRUE", "", "TRUE"};
  TestSection& Set(int key, std::string value) {
    values[key] = std::move(value);
    return *this;
  }
};

// A disc in a temporary directory mapped as drive D, the current directory at its root.
class DiscFixture {
 public:
  DiscFixture() : fs(MakeTempDrives(dir, {{'D', "", DriveType::CdRom}}, "D:\\", code_page)) {}

  // SETUP.INI with a [Setup] section (NumberOfSections = sections' count) and the sections.
  static std::string IniText(const std::vector<TestSection>& sections) {
    return "[Setup]\nMainProdName=Quillby's Guide\nFilesCompressed=NO\nUseUnderscores=NO\n"
           "NumberOfSections=" +
           std::to_string(sections.size()) + "\nChangeFolderButton=TRUE\nVolumeName=QUILLBY\n" +
           SectionsText(sections);
  }

  // [Section1] to [SectionN] with their nine keys each.
  static std::string SectionsText(const std::vector<TestSection>& sections) {
    std::string text;
    for (size_t s = 0; s < sections.size(); ++s) {
      text += "[Section" + std::to_string(s + 1) + "]\n";
      for (int k = 0; k < SECTION_KEY_COUNT; ++k) {
        text += std::string(SECTION_KEY_NAMES[k]) + "=" + sections[s].values[k] + "\n";
      }
    }
    return text;
  }

  TempDir dir;
  CodePage code_page;
  std::unique_ptr<PosixFileSystem> fs;
  RecordingMessageBox messages;
};

}  // namespace setup::testing
