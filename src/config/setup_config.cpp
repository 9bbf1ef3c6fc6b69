#include "config/setup_config.h"

#include <climits>
#include <optional>

#include "config/ini_file.h"

namespace setup {
namespace {

constexpr char SETUP_INI_PATH[] = ".\\SETUP.INI";
constexpr char SETUP_TXT_PATH[] = ".\\SETUP.TXT";
// How findings name the file.
constexpr char SETUP_INI_NAME[] = "SETUP.INI";
constexpr char SETUP_SECTION[] = "Setup";
// The profile reader's default, which marks a key as missing; a value that really is
// "Error" cannot be told from it.
constexpr char MISSING[] = "Error";

constexpr long long MIN_FILE_SIZE = 60000;
constexpr long long MAX_FILE_SIZE = 620000000;
constexpr size_t MAX_PRODUCT_NAME = 63;

ConfigFinding IniFinding(std::string text, size_t line = 0, std::string section = "",
                         std::string key = "") {
  return ConfigFinding{CONFIG_WARNING_CAPTION, std::move(text), SETUP_INI_NAME, line,
                       std::move(section),     std::move(key)};
}

std::string SectionName(int index) { return "Section" + std::to_string(index + 1); }

// Where a missing key is reported: its own line when it says "Error", else its section's
// header (0 when the section is missing too).
size_t MissingKeyLine(const IniFile& ini, const std::string& section, const char* key) {
  size_t line = ini.LineOf(section, key);
  return line != 0 ? line : ini.LineOf(section);
}

// The 34 characters a directory name cannot hold: codes 1 to 31, '?', '*' and ':'.
bool IsIllegalDirectoryChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 1 && u <= 31) || c == '?' || c == '*' || c == ':';
}

std::string IllegalCharacterWarning(const std::string& value, char c) {
  return "The '" + value + "' entry in SETUP.INI is invalid because\nit contains the illegal " +
         "character '" + std::string(1, c) + "'.\n(Directory names cannot contain this " +
         "character.)";
}

// The warning about the first illegal directory-name character of `value`, if any.
std::optional<std::string> DirectoryCharacterWarning(const std::string& value) {
  for (char c : value) {
    if (IsIllegalDirectoryChar(c)) return IllegalCharacterWarning(value, c);
  }
  return std::nullopt;
}

// Whether a script named in SETUP.INI can be opened at install time: any entry of that name
// counts, but a folder missing on the way (or a drive not mapped) counts as missing, since
// the install would then fail to open it.
bool ScriptEntryExists(FileSystem& fs, const std::string& path) {
  auto attributes = fs.GetAttributes(path);
  if (attributes.ok()) return true;
  const WinError error = attributes.status().win_error();
  return error != WinError::FileNotFound && error != WinError::PathNotFound;
}

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsAsciiNoCase(const std::string& text, const std::string& word) {
  if (text.size() != word.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (AsciiUpper(text[i]) != AsciiUpper(word[i])) return false;
  }
  return true;
}

}  // namespace

int ParseDecimal(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulated as a negative number, whose range holds INT_MIN.
  long long value = 0;
  for (; i < text.size() && IsDecimalDigit(text[i]); ++i) {
    value = value * 10 - (text[i] - '0');
    if (value < INT_MIN) {
      return negative ? INT_MIN : INT_MAX;
    }
  }
  if (negative) return static_cast<int>(value);
  return value < -static_cast<long long>(INT_MAX) ? INT_MAX : static_cast<int>(-value);
}

SetupConfig::SetupConfig() = default;

std::vector<ConfigFinding> SetupConfig::Load(FileSystem& fs, const CodePage& code_page) {
  std::vector<ConfigFinding> findings = LoadSetupIni(fs);
  m_bTextsLoaded = true;
  LoadSetupTexts(fs);
  m_bValid = m_bIniLoaded && m_bTextsLoaded;
  if (m_bValid) {
    std::vector<ConfigFinding> suspicious = ValidateSetupIni(fs, code_page);
    findings.insert(findings.end(), std::make_move_iterator(suspicious.begin()),
                    std::make_move_iterator(suspicious.end()));
  }
  return findings;
}

std::vector<ConfigFinding> SetupConfig::LoadSetupIni(FileSystem& fs) {
  IniFile ini = IniFile::Load(fs, SETUP_INI_PATH);
  std::vector<ConfigFinding> findings;
  m_bIniLoaded = true;

  for (int i = 0; i < SETTING_COUNT && m_bIniLoaded; ++i) {
    m_settings[i] = ini.GetString(SETUP_SECTION, SETTING_NAMES[i], MISSING);
    if (m_settings[i] == MISSING) {
      m_bIniLoaded = false;
      findings.push_back(IniFinding(std::string("Warning: The ") + SETTING_NAMES[i] +
                                        " key (or its text) is not set in SETUP.INI",
                                    MissingKeyLine(ini, SETUP_SECTION, SETTING_NAMES[i]),
                                    SETUP_SECTION, SETTING_NAMES[i]));
    }
  }

  m_bChangeFolderButton = EqualsAsciiNoCase(m_settings[SETTING_CHANGEFOLDERBUTTON], "TRUE");

  m_nSections = ParseDecimal(m_settings[SETTING_NUMBEROFSECTIONS]);
  if (m_nSections > MAX_SECTIONS) {
    const char* key = SETTING_NAMES[SETTING_NUMBEROFSECTIONS];
    findings.push_back(IniFinding(
        "Warning: The NumberOfSections entry in SETUP.INI is too large. (The maximum number of "
        "sections is " +
            std::to_string(MAX_SECTIONS) + ".) Any sections beyond the maximum will be ignored.",
        ini.LineOf(SETUP_SECTION, key), SETUP_SECTION, key));
    m_nSections = MAX_SECTIONS;
  }
  // Below 1 means no sections; a negative count is kept out of every loop and index.
  if (m_nSections < 0) m_nSections = 0;

  for (int s = 0; s < m_nSections && m_bIniLoaded; ++s) {
    const std::string section = SectionName(s);
    for (int k = 0; k < SECTION_KEY_COUNT && m_bIniLoaded; ++k) {
      std::string& slot = m_sections[k][s];
      slot = ini.GetString(section, SECTION_KEY_NAMES[k], MISSING);
      m_sectionLines[k][s] = ini.LineOf(section, SECTION_KEY_NAMES[k]);
      if (slot == MISSING) {
        m_bIniLoaded = false;
        findings.push_back(IniFinding(
            std::string("Warning: The ") + SECTION_KEY_NAMES[k] + " key (or its text) in " +
                section + " is not set in SETUP.INI",
            MissingKeyLine(ini, section, SECTION_KEY_NAMES[k]), section, SECTION_KEY_NAMES[k]));
      }
    }
  }
  return findings;
}

void SetupConfig::LoadSetupTexts(FileSystem& fs) {
  IniFile txt = IniFile::Load(fs, SETUP_TXT_PATH);
  for (int i = 0; i < TEXT_COUNT; ++i) {
    m_texts[i] = txt.GetString("SetupText", TEXT_KEY_NAMES[i], MISSING);
    if (m_texts[i] == MISSING) m_texts[i].clear();
  }
}

std::vector<ConfigFinding> SetupConfig::ValidateSetupIni(FileSystem& fs,
                                                         const CodePage& code_page) {
  std::vector<ConfigFinding> findings;
  for (int s = 0; s < m_nSections && s < MAX_SECTIONS; ++s) {
    auto value = [&](int key) -> std::string& { return m_sections[key][s]; };
    auto warn = [&](int key, std::string text) {
      findings.push_back(IniFinding(std::move(text), m_sectionLines[key][s], SectionName(s),
                                    SECTION_KEY_NAMES[key]));
    };

    const std::string& code_dir = value(KEY_CODEDIR);
    if (auto warning = DirectoryCharacterWarning(code_dir)) warn(KEY_CODEDIR, *warning);

    const std::string& dest_dir = value(KEY_DESTDIR);
    bool macro = !dest_dir.empty() && dest_dir[0] == '%';
    if (!macro && (dest_dir.size() < 3 || dest_dir[1] != ':' || dest_dir[2] != '\\')) {
      warn(KEY_DESTDIR, "The '" + dest_dir +
                            "' entry in SETUP.INI looks suspicious.\nIt should be an entry like "
                            "'C:\\Quillby'.");
    }
    if (auto warning = DirectoryCharacterWarning(dest_dir.size() > 3 ? dest_dir.substr(3) : "")) {
      warn(KEY_DESTDIR, *warning);
    }

    std::string& shortcut_location = value(KEY_SHORTCUTLOCATION);
    if (shortcut_location.empty()) shortcut_location = "NULL";
    std::string location = code_page.Upper(shortcut_location);
    if (location != "NULL" && location != "DESKTOP" && location != "MY DOCUMENTS" &&
        location != "FAVORITES") {
      warn(KEY_SHORTCUTLOCATION,
           "The '" + location +
               "' entry in SETUP.INI looks suspicious.\nIt should be either 'NULL,' "
               "'Favorites,' 'My Documents,' or 'Desktop.'");
    }

    const std::string& file_size = value(KEY_FILESIZE);
    for (char c : file_size) {
      if (!IsDecimalDigit(c)) {
        warn(KEY_FILESIZE, "The '" + file_size +
                               "' entry in SETUP.INI invalid because\nit contains the illegal "
                               "character '" +
                               std::string(1, c) +
                               "'.\n(This entry is the total size of the installed files.)");
        break;
      }
    }
    long long size = ParseDecimal(file_size);
    if (size < MIN_FILE_SIZE || size > MAX_FILE_SIZE) {
      warn(KEY_FILESIZE, "The '" + file_size +
                             "' entry in SETUP.INI is suspiciously small or large.\n(This entry "
                             "is the total size of the installed files.)");
    }

    const std::string& command_file = value(KEY_COMMANDFILE);
    if (!command_file.empty() && !ScriptEntryExists(fs, command_file)) {
      warn(KEY_COMMANDFILE, "The script file '" + command_file + "' in SETUP.INI does not exist.");
    }

    const std::string& product_name = value(KEY_PRODUCTNAME);
    if (product_name.size() > MAX_PRODUCT_NAME) {
      warn(KEY_PRODUCTNAME,
           "The Product Name field ('" + product_name +
               "') in SETUP.INI is too long. Setup creates a registry data value using this "
               "value; the data value must be less than 64 characters long.)");
    }
  }

  m_bFilesCompressed = code_page.Upper(m_settings[SETTING_FILESCOMPRESSED]) == "YES";
  m_bUseUnderscores = code_page.Upper(m_settings[SETTING_USEUNDERSCORES]) == "YES";

  if (!findings.empty()) {
    findings.push_back(IniFinding(
        "At least one entry in SETUP.INI is suspicious.\nSetup will continue, but the results "
        "will be unpredictable."));
  }
  return findings;
}

std::string SetupConfig::GetSetting(int index) const {
  return index >= 0 && index < SETTING_SLOTS ? m_settings[index] : std::string();
}

std::string SetupConfig::GetText(int number) const {
  return number >= 0 && number < TEXT_SLOTS ? m_texts[number] : std::string();
}

std::string SetupConfig::GetSectionValue(int key) const {
  return GetSectionValue(m_nCurrentSection, key);
}

void SetupConfig::SetSectionValue(int key, std::string value) {
  SetSectionValue(m_nCurrentSection, key, std::move(value));
}

std::string SetupConfig::GetSectionValue(int section, int key) const {
  if (key < 0 || key >= SECTION_KEY_ROWS || section < 0 || section >= MAX_SECTIONS) {
    return std::string();
  }
  return m_sections[key][section];
}

void SetupConfig::SetSectionValue(int section, int key, std::string value) {
  if (key < 0 || key >= SECTION_KEY_ROWS || section < 0 || section >= MAX_SECTIONS) return;
  m_sections[key][section] = std::move(value);
}

void SetupConfig::SetSetting(int index, std::string value) {
  if (index >= 0 && index < SETTING_SLOTS) m_settings[index] = std::move(value);
}

void SetupConfig::SetText(int number, std::string value) {
  if (number >= 0 && number < TEXT_SLOTS) m_texts[number] = std::move(value);
}

}  // namespace setup
