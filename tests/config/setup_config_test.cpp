#include "config/setup_config.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>
#include <vector>

#include "config_fixture.h"

namespace setup {
namespace {

using testing::DiscFixture;
using testing::TestSection;
using testing::Texts;

std::string MissingGlobal(const std::string& key) {
  return "Warning: The " + key + " key (or its text) is not set in SETUP.INI";
}

std::string MissingInSection(const std::string& key, int n) {
  return "Warning: The " + key + " key (or its text) in Section" + std::to_string(n) +
         " is not set in SETUP.INI";
}

const char TOO_MANY_SECTIONS[] =
    "Warning: The NumberOfSections entry in SETUP.INI is too large. (The maximum number of "
    "sections is 20.) Any sections beyond the maximum will be ignored.";

class LoadSetupIniTest : public ::testing::Test, public DiscFixture {
 protected:
  void Load(const std::string& ini_text) {
    Disc("SETUP.INI", ini_text);
    findings = config.LoadSetupIni(fs);
  }

  SetupConfig config;
  std::vector<ConfigFinding> findings;
};

TEST_F(LoadSetupIniTest, MissingFileNamesTheFirstKeyOnly) {
  findings = config.LoadSetupIni(fs);
  EXPECT_EQ(Texts(findings), std::vector<std::string>{MissingGlobal("MainProdName")});
  EXPECT_FALSE(config.m_bIniLoaded);
  EXPECT_EQ(config.m_nSections, 0);
}

// Where each loading finding points: the line of the key it is about (also of a key that
// says "Error"), or of the section header when the key is missing (0 when the section is
// missing too).
struct LoadFindingCase {
  const char* name;
  std::string ini;
  std::vector<ConfigFinding> expected;
};

class LoadFindingTest : public LoadSetupIniTest,
                        public ::testing::WithParamInterface<LoadFindingCase> {};

TEST_P(LoadFindingTest, SaysWhatAndWhere) {
  Load(GetParam().ini);
  EXPECT_EQ(findings, GetParam().expected);
}

ConfigFinding IniFinding(std::string text, size_t line, std::string section, std::string key) {
  return {"Error!", std::move(text), "SETUP.INI", line, std::move(section), std::move(key)};
}

const char SETUP_25_SECTIONS[] =
    "; Quillby\r\n\r\n[setup]\r\nMainProdName=x\r\nFilesCompressed=NO\r\nUseUnderscores=NO\r\n"
    "NumberOfSections = 25\r\nChangeFolderButton=TRUE\r\nVolumeName=Q\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadFindingTest,
    ::testing::Values(
        LoadFindingCase{"no_setup_section",
                        "[Other]\nMainProdName=x\n",
                        {IniFinding(MissingGlobal("MainProdName"), 0, "Setup", "MainProdName")}},
        LoadFindingCase{
            "global_key_missing",
            "\n[Setup]\nMainProdName=x\nFilesCompressed=NO\n",
            {IniFinding(MissingGlobal("UseUnderscores"), 2, "Setup", "UseUnderscores")}},
        LoadFindingCase{
            "key_that_says_error",
            "[Setup]\nMainProdName=x\nFilesCompressed=Error\n",
            {IniFinding(MissingGlobal("FilesCompressed"), 3, "Setup", "FilesCompressed")}},
        LoadFindingCase{"too_many_sections_then_section_missing",
                        SETUP_25_SECTIONS,
                        {IniFinding(TOO_MANY_SECTIONS, 7, "Setup", "NumberOfSections"),
                         IniFinding(MissingInSection("CodeDir", 1), 0, "Section1", "CodeDir")}},
        LoadFindingCase{"section_key_missing",
                        std::string(SETUP_25_SECTIONS) + "[Section1]\nCodeDir=CODE\n",
                        {IniFinding(TOO_MANY_SECTIONS, 7, "Setup", "NumberOfSections"),
                         IniFinding(MissingInSection("DestDir", 1), 10, "Section1", "DestDir")}}),
    [](const ::testing::TestParamInfo<LoadFindingCase>& info) {
      return std::string(info.param.name);
    });

// How the number is read is ParseDecimal's; here only how the count is bounded.
TEST_F(LoadSetupIniTest, NumberOfSectionsCountsTheSectionsRead) {
  const struct {
    const char* written;
    int sections;
    bool warned;
  } cases[] = {{"0", 0, false},   {"-3", 0, false}, {"1", 1, false},
               {"20", 20, false}, {"21", 20, true}, {"99999999999999999999", 20, true}};
  std::vector<TestSection> given(21);
  for (int s = 0; s < 21; ++s) given[s].Set(KEY_CODEDIR, "CODE" + std::to_string(s + 1));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    std::string text = IniText(given);
    text.replace(text.find("NumberOfSections=21"), 19,
                 std::string("NumberOfSections=") + c.written);
    Disc("SETUP.INI", text);
    SetupConfig fresh;
    EXPECT_EQ(Texts(fresh.LoadSetupIni(fs)),
              c.warned ? std::vector<std::string>{TOO_MANY_SECTIONS} : std::vector<std::string>{});
    EXPECT_EQ(fresh.m_nSections, c.sections);
    // Only the sections counted are read.
    for (int s = 0; s < 20; ++s) {
      EXPECT_EQ(fresh.GetSectionValue(s, KEY_CODEDIR), s < c.sections ? given[s].values[0] : "")
          << s;
    }
  }
}

TEST_F(LoadSetupIniTest, OnlyTrueInAnyCaseEnablesTheChangeFolderButton) {
  const std::pair<const char*, bool> cases[] = {
      {"TRUE", true}, {"true", true}, {"YES", false}, {"TRUEX", false}, {"", false}};
  for (const auto& [written, enabled] : cases) {
    std::string text = IniText({});
    text.replace(text.find("ChangeFolderButton=TRUE"), 23,
                 std::string("ChangeFolderButton=") + written);
    Disc("SETUP.INI", text);
    SetupConfig fresh;
    fresh.LoadSetupIni(fs);
    EXPECT_EQ(fresh.m_bChangeFolderButton, enabled) << written;
  }
}

TEST(ParseDecimalTest, ReadsAsAtoiWithoutOverflow) {
  const std::pair<const char*, int> cases[] = {
      {"", 0},
      {"  \t42", 42},
      {"+5", 5},
      {"12abc", 12},
      {"- 5", 0},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"-2147483648", INT_MIN},
      {"-2147483649", INT_MIN},
      {"00000000000000000000000012", 12},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseDecimal(text), value) << text;
}

class LoadSetupTextsTest : public ::testing::Test, public DiscFixture {
 protected:
  SetupConfig config;
};

// Every key by its documented name, in the order of the texts' numbers.
const char DOCUMENTED_TEXT_KEYS[] =
    "OkButton CancelButton ScreenMessage AppName WelcomeTitle WelcomeText InstallTitle "
    "InstallText ExitTitle ExitText InstallingTitle InstallingText1 InstallingText2 "
    "FinishedTitle FinishedText NoRoomTitle NoRoomText ConfirmReplaceTitle ConfirmReplaceText1 "
    "ConfirmReplaceText2 ConfirmReplaceText3 ConfirmReplaceText4 YesToAllTitle YesToAllButton "
    "NoButton ChangeDirTitle SetupFailedTitle SetupFailedText LongFilenameProblemText "
    "ProblemInstallingText BrowseTitle BrowseText1 BrowseText2 CreateDirText UninstallText "
    "UninstallProblemText ContinueButton ExitButton ChangeDirButton FolderText UpdatingTitle "
    "UpdatingText OptionsTitle InstructionText OptionStatic FolderTitle SpaceRequired "
    "SpaceAvailable DescriptionStatic DescriptionText Bytes KBytes MBytes NoChange "
    "UpdateRegistryError";

TEST_F(LoadSetupTextsTest, LoadsEveryTextByItsKey) {
  std::istringstream keys(DOCUMENTED_TEXT_KEYS);
  std::string text = "[SetupText]\n";
  std::string key;
  for (int i = 0; keys >> key; ++i) text += key + "=text " + std::to_string(i) + "\n";
  Disc("SETUP.TXT", text);
  config.LoadSetupTexts(fs);
  for (int i = 0; i < TEXT_COUNT; ++i) EXPECT_EQ(config.GetText(i), "text " + std::to_string(i));
  EXPECT_EQ(config.GetText(TEXT_COUNT), "");
}

TEST_F(LoadSetupTextsTest, MissingTextsAreEmpty) {
  Disc("setup.txt",
       "[setuptext]\nWelcomeTitle=Error\nWelcomeText=error\nOkButton=\n"
       "ExitText=\"  Sure?  \"\nNoRoomText=" +
           std::string(5000, 'n') + "\n");
  config.LoadSetupTexts(fs);
  EXPECT_EQ(config.GetText(TEXT_WELCOMETITLE), "");
  EXPECT_EQ(config.GetText(TEXT_WELCOMETEXT), "error");
  EXPECT_EQ(config.GetText(TEXT_OKBUTTON), "");
  EXPECT_EQ(config.GetText(TEXT_CANCELBUTTON), "");
  EXPECT_EQ(config.GetText(TEXT_EXITTEXT), "  Sure?  ");
  EXPECT_EQ(config.GetText(TEXT_NOROOMTEXT), std::string(4095, 'n'));
}

class ConstructionTest : public ::testing::Test, public DiscFixture {};

TEST_F(ConstructionTest, IncompleteIniSkipsValidation) {
  std::string text = IniText({TestSection().Set(KEY_SHORTCUTLOCATION, "")});
  text.erase(text.find("Uninstall=TRUE"));
  text.replace(text.find("FilesCompressed=NO"), 18, "FilesCompressed=YES");
  Disc("SETUP.INI", text);
  Disc("SETUP.TXT", "[SetupText]\nOkButton=OK\n");
  SetupConfig config;
  std::vector<ConfigFinding> findings = config.Load(fs, code_page);
  EXPECT_EQ(Texts(findings), std::vector<std::string>{MissingInSection("Uninstall", 1)});
  EXPECT_FALSE(config.m_bValid);
  EXPECT_TRUE(config.m_bTextsLoaded);
  EXPECT_EQ(config.GetText(TEXT_OKBUTTON), "OK");
  EXPECT_EQ(config.GetSectionValue(KEY_SHORTCUTLOCATION), "");
  EXPECT_FALSE(config.m_bFilesCompressed);
}

TEST(SetupConfigAccessTest, NamedSectionsLeaveTheCursorAloneAndBadIndexesAreHarmless) {
  SetupConfig config;
  config.m_nCurrentSection = 2;
  config.SetSectionValue(0, KEY_DESTDIR, "C:\\First");
  config.SetSectionValue(KEY_DESTDIR, "C:\\Third");
  EXPECT_EQ(config.m_nCurrentSection, 2);
  EXPECT_EQ(config.GetSectionValue(0, KEY_DESTDIR), "C:\\First");
  EXPECT_EQ(config.GetSectionValue(2, KEY_DESTDIR), "C:\\Third");
  EXPECT_EQ(config.GetSectionValue(KEY_DESTDIR), "C:\\Third");
  EXPECT_EQ(config.GetSectionValue(MAX_SECTIONS, KEY_DESTDIR), "");
  EXPECT_EQ(config.GetSectionValue(-1, KEY_DESTDIR), "");
  // Out-of-range cursors and indexes are harmless.
  config.m_nCurrentSection = MAX_SECTIONS;
  config.SetSectionValue(KEY_DESTDIR, "x");
  EXPECT_EQ(config.GetSectionValue(KEY_DESTDIR), "");
  config.m_nCurrentSection = -1;
  EXPECT_EQ(config.GetSectionValue(KEY_DESTDIR), "");
  EXPECT_EQ(config.GetSetting(-1), "");
  EXPECT_EQ(config.GetText(TEXT_SLOTS), "");
  config.m_nCurrentSection = 19;
  config.SetSectionValue(KEY_UNINSTALL, "TRUE");
  EXPECT_EQ(config.GetSectionValue(KEY_UNINSTALL), "TRUE");
}

}  // namespace
}  // namespace setup
