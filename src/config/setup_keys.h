#pragma once

namespace setup {

inline constexpr int MAX_SECTIONS = 20;
inline constexpr int SETTING_SLOTS = 20;
inline constexpr int SECTION_KEY_ROWS = 20;
inline constexpr int TEXT_SLOTS = 100;

// [Setup] settings, by the index GetSetting takes.
enum SettingIndex {
  SETTING_MAINPRODNAME = 0,
  SETTING_FILESCOMPRESSED = 1,
  SETTING_USEUNDERSCORES = 2,
  SETTING_NUMBEROFSECTIONS = 3,
  SETTING_CHANGEFOLDERBUTTON = 4,
  SETTING_VOLUMENAME = 5,
  SETTING_COUNT = 6,
};

// Keys of a [SectionN], by the index GetSectionValue and SetSectionValue take.
enum SectionKey {
  KEY_CODEDIR = 0,
  KEY_DESTDIR = 1,
  KEY_PRODUCTNAME = 2,
  KEY_SHORTCUTLOCATION = 3,
  KEY_SHORTCUTNAME = 4,
  KEY_FILESIZE = 5,
  KEY_INSTALLBYDEFAULT = 6,
  KEY_COMMANDFILE = 7,
  KEY_UNINSTALL = 8,
  SECTION_KEY_COUNT = 9,
};

// The key names in load order.
extern const char* const SETTING_NAMES[SETTING_COUNT];
extern const char* const SECTION_KEY_NAMES[SECTION_KEY_COUNT];

}  // namespace setup
