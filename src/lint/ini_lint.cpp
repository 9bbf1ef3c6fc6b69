#include "lint/ini_lint.h"

#include <optional>
#include <string>

#include "install/section_source.h"
#include "lint/drive_check.h"
#include "ui/framework/text_compare.h"

namespace setup {
namespace {

constexpr char SETUP_SECTION[] = "Setup";

class IniLint {
 public:
  explicit IniLint(const LintContext& context) : m_context(context) {}

  void Finding(const std::string& section, const std::string& key, std::string message) {
    m_findings.push_back({LintFinding::Kind::Lint, LINT_SETUP_INI,
                          m_context.setup_ini.LineOf(section, key), section, key,
                          std::move(message), ""});
  }

  std::optional<std::string> Value(const std::string& section, const char* key) const {
    return m_context.setup_ini.Find(section, key);
  }

  // A word compared after upper-casing in the code page, as YES is.
  void CheckYesNo(const char* key) {
    std::optional<std::string> value = Value(SETUP_SECTION, key);
    if (!value) return;
    const std::string upper = m_context.code_page.Upper(*value);
    if (upper != "YES" && upper != "NO") {
      Finding(SETUP_SECTION, key, "'" + *value + "' is neither YES nor NO; it is read as NO");
    }
  }

  // A word compared without regard to case, as TRUE is.
  void CheckTrueFalse(const std::string& section, const char* key) {
    std::optional<std::string> value = Value(section, key);
    if (!value) return;
    if (!EqualsNoCaseAscii(*value, "TRUE") && !EqualsNoCaseAscii(*value, "FALSE")) {
      Finding(section, key, "'" + *value + "' is neither TRUE nor FALSE; it is read as FALSE");
    }
  }

  void CheckSectionCount() {
    const char* key = SETTING_NAMES[SETTING_NUMBEROFSECTIONS];
    std::optional<std::string> value = Value(SETUP_SECTION, key);
    if (!value) return;
    bool digits = !value->empty();
    for (char c : *value) digits = digits && c >= '0' && c <= '9';
    if (!digits) {
      Finding(SETUP_SECTION, key,
              "'" + *value + "' is not a whole number; it is read as " +
                  std::to_string(ParseDecimal(*value)));
    }
  }

  void CheckSection(int s) {
    SetupConfig& config = m_context.config;
    const std::string section = "Section" + std::to_string(s + 1);
    config.m_nCurrentSection = s;
    if (std::optional<std::string> code_dir = Value(section, SECTION_KEY_NAMES[KEY_CODEDIR])) {
      if (code_dir->empty()) {
        Finding(section, SECTION_KEY_NAMES[KEY_CODEDIR],
                "empty, so the install copies the whole disc, SETUP.INI included");
      } else if (config.m_bValid) {
        // (Without a valid configuration the install reads "Code"; start-up says why.)
        Result<uint32_t> attributes = m_context.fs.GetAttributes(
            SectionSourceDirectory(config, m_context.folders, m_context.code_page));
        if (!attributes.ok() || (*attributes & ATTRIB_DIRECTORY) == 0) {
          Finding(section, SECTION_KEY_NAMES[KEY_CODEDIR],
                  "the folder '" + *code_dir + "' is not on the disc");
        }
      }
    }
    if (Value(section, SECTION_KEY_NAMES[KEY_DESTDIR])) {
      if (auto unmapped = UnmappedDriveMessage(m_context.fs, config.GetSectionValue(KEY_DESTDIR))) {
        Finding(section, SECTION_KEY_NAMES[KEY_DESTDIR], *unmapped);
      }
    }
    CheckTrueFalse(section, SECTION_KEY_NAMES[KEY_INSTALLBYDEFAULT]);
    CheckTrueFalse(section, SECTION_KEY_NAMES[KEY_UNINSTALL]);
  }

  // A section beyond NumberOfSections is never installed.
  void CheckUnread(int s) {
    const std::string section = "Section" + std::to_string(s + 1);
    const size_t line = m_context.setup_ini.LineOf(section);
    if (line == 0) return;
    m_findings.push_back(
        {LintFinding::Kind::Lint, LINT_SETUP_INI, line, section, "",
         "never read: NumberOfSections is " + std::to_string(m_context.config.m_nSections), ""});
  }

  std::vector<LintFinding> Run() {
    if (size_t line = m_context.setup_ini.FirstIgnoredLine()) {
      m_findings.push_back({LintFinding::Kind::Lint, LINT_SETUP_INI, line, "", "",
                            "the line is not read: it is neither [Section] nor Key=Value "
                            "inside a section",
                            ""});
    }
    CheckYesNo(SETTING_NAMES[SETTING_FILESCOMPRESSED]);
    CheckYesNo(SETTING_NAMES[SETTING_USEUNDERSCORES]);
    CheckSectionCount();
    CheckTrueFalse(SETUP_SECTION, SETTING_NAMES[SETTING_CHANGEFOLDERBUTTON]);
    const int cursor = m_context.config.m_nCurrentSection;
    for (int s = 0; s < m_context.config.m_nSections; ++s) CheckSection(s);
    for (int s = m_context.config.m_nSections; s < MAX_SECTIONS; ++s) CheckUnread(s);
    m_context.config.m_nCurrentSection = cursor;
    return std::move(m_findings);
  }

 private:
  const LintContext& m_context;
  std::vector<LintFinding> m_findings;
};

}  // namespace

std::vector<LintFinding> LintSetupIni(const LintContext& context) { return IniLint(context).Run(); }

}  // namespace setup
