#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "config/config_finding.h"
#include "config/setup_keys.h"
#include "config/setup_texts.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace setup {

// The process's configuration record: SETUP.INI's settings and sections and SETUP.TXT's
// texts. The install sequence addresses section values through the section cursor
// m_nCurrentSection; other code names the section explicitly and leaves the cursor alone.
// Nothing is ever written back to the files.
class SetupConfig {
 public:
  // An empty record, as before loading.
  SetupConfig();

  SetupConfig(const SetupConfig&) = delete;
  SetupConfig& operator=(const SetupConfig&) = delete;

  // Loads ".\SETUP.INI" and ".\SETUP.TXT" from the file system's current directory and
  // validates them when both loaded, as start-up does. Returns the findings in the order
  // start-up shows them.
  std::vector<ConfigFinding> Load(FileSystem& fs, const CodePage& code_page);
  std::vector<ConfigFinding> LoadSetupIni(FileSystem& fs);
  void LoadSetupTexts(FileSystem& fs);
  std::vector<ConfigFinding> ValidateSetupIni(FileSystem& fs, const CodePage& code_page);

  std::string GetSetting(int index) const;
  std::string GetText(int number) const;
  // Of the current section.
  std::string GetSectionValue(int key) const;
  void SetSectionValue(int key, std::string value);
  // Of `section` (from 0), wherever the cursor is.
  std::string GetSectionValue(int section, int key) const;
  void SetSectionValue(int section, int key, std::string value);

  // For building a record by hand (tests, tools); the loaders fill these themselves.
  void SetSetting(int index, std::string value);
  void SetText(int number, std::string value);

  bool m_bIniLoaded = true;
  bool m_bTextsLoaded = true;
  bool m_bValid = false;
  bool m_bFilesCompressed = false;
  bool m_bUseUnderscores = false;
  int m_nSections = 0;
  bool m_bChangeFolderButton = false;
  int m_nCurrentSection = 0;

 private:
  std::array<std::string, TEXT_SLOTS> m_texts;
  std::array<std::string, SETTING_SLOTS> m_settings;
  // Row = section key, column = section.
  std::array<std::array<std::string, MAX_SECTIONS>, SECTION_KEY_ROWS> m_sections;
  // The SETUP.INI line of each section value, 0 for one set by hand; same layout.
  std::array<std::array<size_t, MAX_SECTIONS>, SECTION_KEY_ROWS> m_sectionLines{};
};

// Decimal value as the C library's atoi reads it: leading blanks and a sign accepted,
// reading stops at the first non-digit, no digits give 0; saturates instead of overflowing.
int ParseDecimal(const std::string& text);

}  // namespace setup
