#pragma once

#include <array>
#include <string>
#include <vector>

#include "config/config_finding.h"
#include "config/setup_keys.h"
#include "platform/code_page.h"
#include "support/memory_file_system.h"

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

  // [Section1] to [SectionN] with their nine keys each, one a line from the header's next.
  static std::string SectionsText(const std::vector<TestSection>& sections) {
    std::string text;
    for (size_t s = 0; s < sections.size(); ++s) {
      const auto& v = sections[s].values;
      text += "[Section" + std::to_string(s + 1) + "]\nCodeDir=" + v[KEY_CODEDIR] +
              "\nDestDir=" + v[KEY_DESTDIR] + "\nProductName=" + v[KEY_PRODUCTNAME] +
              "\nShortcutLocation=" + v[KEY_SHORTCUTLOCATION] +
              "\nShortcutName=" + v[KEY_SHORTCUTNAME] + "\nFileSize=" + v[KEY_FILESIZE] +
              "\nInstallByDefault=" + v[KEY_INSTALLBYDEFAULT] +
              "\nCommandFile=" + v[KEY_COMMANDFILE] + "\nUninstall=" + v[KEY_UNINSTALL] + "\n";
    }
    return text;
  }

  CodePage code_page;
  MemoryFileSystem fs{"D:\\", code_page};
};

// What the user reads of each finding, in order.
inline std::vector<std::string> Texts(const std::vector<ConfigFinding>& findings) {
  std::vector<std::string> texts;
  for (const ConfigFinding& finding : findings) texts.push_back(finding.text);
  return texts;
}

}  // namespace setup::testing
