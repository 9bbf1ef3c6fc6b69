#include "app/check_mode.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/front_end.h"
#include "support/temp_dir.h"
#include "support/temp_drives.h"

namespace setup {
namespace {

using testing::TempDir;

const char SETUP_TXT[] = "[SetupText]\nOkButton=OK\n";

// One section, valid unless a case changes a line of it.
std::string SetupIni(const std::string& file_size, const std::string& dest_dir) {
  return "[Setup]\nMainProdName=Quillby\nFilesCompressed=NO\nUseUnderscores=NO\n"
         "NumberOfSections=1\nChangeFolderButton=TRUE\nVolumeName=Q\n[Section1]\nCodeDir=CODE\n"
         "DestDir=" +
         dest_dir +
         "\nProductName=Quillby\nShortcutLocation=NULL\nShortcutName=Quillby\nFileSize=" +
         file_size + "\nInstallByDefault=TRUE\nCommandFile=\nUninstall=FALSE\n";
}

const char SUMMARY[] =
    "Error!: At least one entry in SETUP.INI is suspicious.\nSetup will continue, but the results "
    "will be unpredictable.\n\n";

struct CheckCase {
  const char* name;
  const char* setup_ini;  // nullptr: no SETUP.INI
  const char* setup_txt;  // nullptr: no SETUP.TXT
  bool broken_registry;
  // "MODULE" stands for the program file's path, the caption of the registry message.
  std::string output;
  int status;
};

class CheckModeTest : public ::testing::TestWithParam<CheckCase> {};

// Each message as a box's caption and text, in the order start-up shows them, then the
// status that says whether any was shown.
TEST_P(CheckModeTest, PrintsEveryMessageInOrder) {
  const CheckCase& c = GetParam();
  TempDir temp;
  temp.MakeDir("c");
  temp.MakeDir("disc");
  testing::WriteHostProfile(temp, {{"Desktop", "C:\\Desktop"}});
  if (c.broken_registry) temp.WriteFile("registry.reg", "not a registry file\n");
  if (c.setup_ini) temp.WriteFile("disc/SETUP.INI", c.setup_ini);
  if (c.setup_txt) temp.WriteFile("disc/SETUP.TXT", c.setup_txt);
  auto env = CreateHost(temp.Join("profile.ini"), temp.Join("disc"));
  ASSERT_TRUE(env.ok()) << env.status().ToString();

  std::ostringstream out;
  EXPECT_EQ(RunCheckMode(**env, out), c.status);

  std::string expected = c.output;
  if (size_t at = expected.find("MODULE"); at != std::string::npos) {
    expected.replace(at, 6, (*env)->system().module_file);
  }
  EXPECT_EQ(out.str(), expected);
}

const std::string VALID = SetupIni("100000", "C:\\Quillby");
const std::string SMALL_AND_BARE = SetupIni("5", "Quillby");

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckModeTest,
    ::testing::Values(
        CheckCase{"clean", VALID.c_str(), SETUP_TXT, false, "", EXIT_FINISHED},
        CheckCase{"suspicious_entries", SMALL_AND_BARE.c_str(), SETUP_TXT, false,
                  "Error!: The 'Quillby' entry in SETUP.INI looks suspicious.\nIt should be an "
                  "entry like 'C:\\Quillby'.\n\n"
                  "Error!: The '5' entry in SETUP.INI is suspiciously small or large.\n(This "
                  "entry is the total size of the installed files.)\n\n" +
                      std::string(SUMMARY),
                  EXIT_FAILED},
        CheckCase{"findings_before_the_registry", SMALL_AND_BARE.c_str(), SETUP_TXT, true,
                  "Error!: The 'Quillby' entry in SETUP.INI looks suspicious.\nIt should be an "
                  "entry like 'C:\\Quillby'.\n\n"
                  "Error!: The '5' entry in SETUP.INI is suspiciously small or large.\n(This "
                  "entry is the total size of the installed files.)\n\n" +
                      std::string(SUMMARY) + "MODULE: Couldn't open the registry.\n\n",
                  EXIT_FAILED},
        CheckCase{"no_setup_ini", nullptr, SETUP_TXT, false,
                  "Error!: Warning: The MainProdName key (or its text) is not set in "
                  "SETUP.INI\n\n"
                  "Setup: Can't find Setup.ini. Setup needs this file to continue so it's "
                  "exiting.\n\n",
                  EXIT_STARTUP},
        CheckCase{"no_setup_txt_after_the_findings", SMALL_AND_BARE.c_str(), nullptr, false,
                  "Error!: The 'Quillby' entry in SETUP.INI looks suspicious.\nIt should be an "
                  "entry like 'C:\\Quillby'.\n\n"
                  "Error!: The '5' entry in SETUP.INI is suspiciously small or large.\n(This "
                  "entry is the total size of the installed files.)\n\n" +
                      std::string(SUMMARY) +
                      "Setup: Can't find Setup.txt. Setup needs this file to continue so it's "
                      "exiting.\n\n",
                  EXIT_STARTUP}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace setup
