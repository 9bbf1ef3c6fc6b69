#pragma once

#include <array>
#include <atomic>
#include <string>

#include "config/setup_keys.h"
#include "config/setup_texts.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "ui/framework/message_box.h"

namespace setup {

// The process's configuration record: SETUP.INI's settings and sections, SETUP.TXT's texts
// and the run-time flags of the install. Section values are addressed through the section
// cursor m_nCurrentSection. Nothing is ever written back to the files.
class SetupConfig {
 public:
  // An empty record, as before loading.
  SetupConfig();
  // Loads ".\SETUP.INI" and ".\SETUP.TXT" from the file system's current directory and
  // validates them, as start-up does; warnings go to `messages`.
  SetupConfig(FileSystem& fs, const CodePage& code_page, MessageBoxService& messages);

  SetupConfig(const SetupConfig&) = delete;
  SetupConfig& operator=(const SetupConfig&) = delete;

  void LoadSetupIni(FileSystem& fs, MessageBoxService& messages);
  void LoadSetupTexts(FileSystem& fs);
  void ValidateSetupIni(FileSystem& fs, const CodePage& code_page, MessageBoxService& messages);

  std::string GetSetting(int index) const;
  std::string GetText(int number) const;
  // Of the current section.
  std::string GetSectionValue(int key) const;
  void SetSectionValue(int key, std::string value);

  // For building a record by hand (tests, tools); the loaders fill these themselves.
  void SetSetting(int index, std::string value);
  void SetText(int number, std::string value);

  bool m_bIniLoaded = true;
  bool m_bTextsLoaded = true;
  bool m_bValid = false;
  // Written by the install worker while the user-interface thread reads it.
  std::atomic<bool> m_bExitRequested{false};
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
};

// Decimal value as the C library's atoi reads it: leading blanks and a sign accepted,
// reading stops at the first non-digit, no digits give 0; saturates instead of overflowing.
int ParseDecimal(const std::string& text);

}  // namespace setup
