#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/setup_config.h"
#include "config_fixture.h"

namespace setup {
namespace {

using testing::DiscFixture;
using testing::TestSection;
using testing::Texts;

const char SUMMARY[] =
    "At least one entry in SETUP.INI is suspicious.\nSetup will continue, but the results will "
    "be unpredictable.";

std::string IllegalCharacter(const std::string& value, char c) {
  return "The '" + value +
         "' entry in SETUP.INI is invalid because\nit contains the illegal character '" +
         std::string(1, c) + "'.\n(Directory names cannot contain this character.)";
}

std::string NoDrive(const std::string& value) {
  return "The '" + value +
         "' entry in SETUP.INI looks suspicious.\nIt should be an entry like 'C:\\Quillby'.";
}

std::string BadLocation(const std::string& value) {
  return "The '" + value +
         "' entry in SETUP.INI looks suspicious.\nIt should be either 'NULL,' 'Favorites,' 'My "
         "Documents,' or 'Desktop.'";
}

std::string BadSizeCharacter(const std::string& value, char c) {
  return "The '" + value +
         "' entry in SETUP.INI invalid because\nit contains the illegal character '" +
         std::string(1, c) + "'.\n(This entry is the total size of the installed files.)";
}

std::string SizeOutOfRange(const std::string& value) {
  return "The '" + value +
         "' entry in SETUP.INI is suspiciously small or large.\n(This entry is the total size "
         "of the installed files.)";
}

std::string NoScript(const std::string& value) {
  return "The script file '" + value + "' in SETUP.INI does not exist.";
}

std::string LongName(const std::string& value) {
  return "The Product Name field ('" + value +
         "') in SETUP.INI is too long. Setup creates a registry data value using this value; "
         "the data value must be less than 64 characters long.)";
}

struct ValidationCase {
  const char* name;
  int key;
  std::string value;
  std::vector<std::string> warnings;  // the summary follows when there are any
};

class ValidateSectionTest : public ::testing::TestWithParam<ValidationCase>, public DiscFixture {
 protected:
  ValidateSectionTest() {
    Disc("SCRIPTS/EXAMPLES.TXT", "MD %INSTALLPATH%\\NOTES\n");
    fs.AddDirectory("D:\\CODE1");
  }
};

TEST_P(ValidateSectionTest, WarnsExactly) {
  const ValidationCase& c = GetParam();
  SetupConfig config;
  config.SetSetting(SETTING_FILESCOMPRESSED, "NO");
  config.SetSetting(SETTING_USEUNDERSCORES, "NO");
  config.m_nSections = 1;
  TestSection section;
  section.Set(c.key, c.value);
  for (int k = 0; k < SECTION_KEY_COUNT; ++k) config.SetSectionValue(k, section.values[k]);

  std::vector<ConfigFinding> findings = config.ValidateSetupIni(fs, code_page);

  std::vector<std::string> expected = c.warnings;
  if (!expected.empty()) expected.push_back(SUMMARY);
  EXPECT_EQ(Texts(findings), expected);
}

const std::string NAME_63(63, 'n');
const std::string NAME_64(64, 'n');

INSTANTIATE_TEST_SUITE_P(
    Checks, ValidateSectionTest,
    ::testing::Values(
        ValidationCase{"valid", KEY_CODEDIR, "CODE1", {}},
        ValidationCase{"codedir_control",
                       KEY_CODEDIR,
                       "CO\x01"
                       "DE",
                       {IllegalCharacter("CO\x01"
                                         "DE",
                                         '\x01')}},
        ValidationCase{"codedir_allowed_marks", KEY_CODEDIR, "A\\B%<>|\"C", {}},
        ValidationCase{"percent_inserted_literally",
                       KEY_CODEDIR,
                       "50%s%d%n*",
                       {IllegalCharacter("50%s%d%n*", '*')}},
        ValidationCase{"destdir_macro", KEY_DESTDIR, "%PROGRAMS%\\Quillby Reader", {}},
        ValidationCase{"destdir_forward_slash", KEY_DESTDIR, "C:/Quillby", {NoDrive("C:/Quillby")}},
        ValidationCase{"destdir_drive_only", KEY_DESTDIR, "C:", {NoDrive("C:")}},
        ValidationCase{"destdir_root", KEY_DESTDIR, "C:\\", {}},
        ValidationCase{
            "destdir_question", KEY_DESTDIR, "C:\\Books?\\Q", {IllegalCharacter("Books?\\Q", '?')}},
        ValidationCase{"destdir_both_checks",
                       KEY_DESTDIR,
                       "Quil*by",
                       {NoDrive("Quil*by"), IllegalCharacter("l*by", '*')}},
        ValidationCase{"location_desktop_mixed_case", KEY_SHORTCUTLOCATION, "Desktop", {}},
        ValidationCase{"location_upper_cased_by_code_page",
                       KEY_SHORTCUTLOCATION,
                       "B\xFCro",
                       {BadLocation("B\xDCRO")}},
        ValidationCase{"size_lower_bound", KEY_FILESIZE, "60000", {}},
        ValidationCase{"size_upper_bound", KEY_FILESIZE, "620000000", {}},
        ValidationCase{"size_below", KEY_FILESIZE, "59999", {SizeOutOfRange("59999")}},
        ValidationCase{"size_above", KEY_FILESIZE, "620000001", {SizeOutOfRange("620000001")}},
        ValidationCase{"size_thousands_separator",
                       KEY_FILESIZE,
                       "1,500,000",
                       {BadSizeCharacter("1,500,000", ','), SizeOutOfRange("1,500,000")}},
        ValidationCase{"size_empty", KEY_FILESIZE, "", {SizeOutOfRange("")}},
        ValidationCase{"size_overflowing",
                       KEY_FILESIZE,
                       "99999999999999999999",
                       {SizeOutOfRange("99999999999999999999")}},
        ValidationCase{"script_exists", KEY_COMMANDFILE, "SCRIPTS\\EXAMPLES.TXT", {}},
        ValidationCase{"script_is_directory", KEY_COMMANDFILE, "SCRIPTS", {}},
        ValidationCase{"script_null_is_a_name", KEY_COMMANDFILE, "NULL", {NoScript("NULL")}},
        // A folder missing on the way makes the script as missing as the file itself.
        ValidationCase{"script_in_missing_directory",
                       KEY_COMMANDFILE,
                       "SCRIPT\\EXAMPLES.TXT",
                       {NoScript("SCRIPT\\EXAMPLES.TXT")}},
        ValidationCase{"script_percent", KEY_COMMANDFILE, "%s.TXT", {NoScript("%s.TXT")}},
        ValidationCase{"name_63", KEY_PRODUCTNAME, NAME_63, {}}),
    [](const ::testing::TestParamInfo<ValidationCase>& info) {
      return std::string(info.param.name);
    });

class ValidateSetupIniTest : public ::testing::Test, public DiscFixture {
 protected:
  void Load(const std::vector<TestSection>& sections) {
    Disc("SETUP.INI", IniText(sections));
    findings = config.LoadSetupIni(fs);
    ASSERT_TRUE(findings.empty());
    findings = config.ValidateSetupIni(fs, code_page);
  }
  SetupConfig config;
  std::vector<ConfigFinding> findings;
};

ConfigFinding At(std::string text, size_t line, std::string section, std::string key) {
  return {"Error!", std::move(text), "SETUP.INI", line, std::move(section), std::move(key)};
}

// The file as IniText writes it: [Setup] on line 1 and its six keys, then each section's
// header and its nine keys, CodeDir first. Sections in order, one summary after them all.
TEST_F(ValidateSetupIniTest, ChecksRunInOrderAndEachPointsAtItsKey) {
  Load({TestSection()
            .Set(KEY_CODEDIR, "A:B")
            .Set(KEY_DESTDIR, "x?")
            .Set(KEY_SHORTCUTLOCATION, "Start")
            .Set(KEY_FILESIZE, "1x")
            .Set(KEY_COMMANDFILE, "GONE.TXT")
            .Set(KEY_PRODUCTNAME, NAME_64),
        TestSection(), TestSection().Set(KEY_DESTDIR, "Books")});
  EXPECT_EQ(findings, (std::vector<ConfigFinding>{
                          At(IllegalCharacter("A:B", ':'), 9, "Section1", "CodeDir"),
                          At(NoDrive("x?"), 10, "Section1", "DestDir"),
                          At(BadLocation("START"), 12, "Section1", "ShortcutLocation"),
                          At(BadSizeCharacter("1x", 'x'), 14, "Section1", "FileSize"),
                          At(SizeOutOfRange("1x"), 14, "Section1", "FileSize"),
                          At(NoScript("GONE.TXT"), 16, "Section1", "CommandFile"),
                          At(LongName(NAME_64), 11, "Section1", "ProductName"),
                          At(NoDrive("Books"), 30, "Section3", "DestDir"),
                          At(SUMMARY, 0, "", ""),
                      }));
}

TEST_F(ValidateSetupIniTest, EmptyLocationBecomesNullAndOthersKeepTheirCase) {
  Load({TestSection().Set(KEY_SHORTCUTLOCATION, ""),
        TestSection().Set(KEY_SHORTCUTLOCATION, "my Documents")});
  EXPECT_TRUE(findings.empty());
  EXPECT_EQ(config.GetSectionValue(0, KEY_SHORTCUTLOCATION), "NULL");
  EXPECT_EQ(config.GetSectionValue(1, KEY_SHORTCUTLOCATION), "my Documents");
}

TEST(ValidateFlagsTest, YesInAnyCaseSetsTheFlag) {
  const struct {
    const char* compressed;
    const char* underscores;
    bool files_compressed;
    bool use_underscores;
  } cases[] = {{"YES", "NO", true, false}, {"yes", "Yes", true, true}, {"", "YES ", false, false}};
  DiscFixture disc;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.compressed) + "/" + c.underscores);
    SetupConfig config;
    config.SetSetting(SETTING_FILESCOMPRESSED, c.compressed);
    config.SetSetting(SETTING_USEUNDERSCORES, c.underscores);
    EXPECT_TRUE(config.ValidateSetupIni(disc.fs, disc.code_page).empty());
    EXPECT_EQ(config.m_bFilesCompressed, c.files_compressed);
    EXPECT_EQ(config.m_bUseUnderscores, c.use_underscores);
  }
}

}  // namespace
}  // namespace setup
