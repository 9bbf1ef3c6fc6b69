#pragma once

#include <array>
#include <string>
#include <vector>

#include "config/setup_keys.h"
#include "platform/code_page.h"
#include "support/memory_file_system.h"
#include "support/recording_message_box.h"

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

// A disc in memory as drive D, the current directory at its root.
class DiscFixture {
 public:
  DiscFixture() { fs.AddDrive('D', DriveType::CdRom); }

  // Writes a file on the disc (`path` below its root, as spelt).
  void Disc(const std::string& path, const std::string& contents) {
    fs.AddFile("D:\\" + path, contents);
  }

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

  CodePage code_page;
  MemoryFileSystem fs{"D:\\", code_page};
  RecordingMessageBox messages;
};

}  // namespace setup::testing
