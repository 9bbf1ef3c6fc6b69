#include "app/check_mode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/front_end.h"
#include "support/temp_dir.h"
#include "support/temp_drives.h"

namespace setup {
namespace {

using testing::TempDir;

// One change to a file of the sample disc: the first `from` (every one with `all`) becomes
// `to`.
struct Mutation {
  std::string file;
  std::string from;
  std::string to;
  bool all = false;
};

// The sample disc in a temporary directory (mapped as D:), drive C with the usual folders,
// and `setup --check` run on them in this process.
class CheckDisc {
 public:
  CheckDisc() {
    for (const char* dir : {"c/Desktop", "c/Documents", "c/Favorites", "c/WINDOWS"}) {
      temp.MakeDir(dir);
    }
    testing::WriteHostProfile(temp, {{"Desktop", "C:\\Desktop"},
                                     {"Personal", "C:\\Documents"},
                                     {"Favorites", "C:\\Favorites"},
                                     {"Programs", "C:\\Programs"}});
    std::filesystem::copy(std::string(SETUP_SOURCE_DIR) + "/examples/sample_disc",
                          temp.Join("disc"), std::filesystem::copy_options::recursive);
  }

  void Apply(const Mutation& m) {
    const std::string path = "disc/" + m.file;
    std::string text = temp.ReadFile(path);
    size_t at = text.find(m.from);
    ASSERT_NE(at, std::string::npos) << m.from << " in " << m.file;
    do {
      text.replace(at, m.from.size(), m.to);
      at = text.find(m.from, at + m.to.size());
    } while (m.all && at != std::string::npos);
    temp.WriteFile(path, text);
  }

  int Check(bool json = false) {
    auto host = CreateHost(temp.Join("profile.ini"), temp.Join("disc"));
    EXPECT_TRUE(host.ok()) << host.status().ToString();
    if (!host.ok()) return -1;
    std::ostringstream out;
    int status = RunCheckMode(**host, json, out);
    output = out.str();
    return status;
  }

  TempDir temp;
  std::string output;
};

TEST(CheckModeTest, TheSampleDiscIsClean) {
  CheckDisc disc;
  EXPECT_EQ(disc.Check(), EXIT_FINISHED);
  EXPECT_EQ(disc.output, "");
}

struct LintCase {
  const char* name;
  std::vector<Mutation> mutations;
  std::string output;
};

class LintFindingTest : public ::testing::TestWithParam<LintCase> {};

// Each mutation of the sample disc gives exactly its finding lines and exit status 1.
TEST_P(LintFindingTest, ReportsTheMutation) {
  CheckDisc disc;
  for (const Mutation& m : GetParam().mutations) disc.Apply(m);
  EXPECT_EQ(disc.Check(), EXIT_FAILED);
  EXPECT_EQ(disc.output, GetParam().output);
}

const char EXAMPLES[] = "SCRIPTS/EXAMPLES.TXT";

INSTANTIATE_TEST_SUITE_P(
    Discs, LintFindingTest,
    ::testing::Values(
        LintCase{"empty_code_dir",
                 {{"SETUP.INI", "CodeDir=EXTRAS", "CodeDir="}},
                 "SETUP.INI:32: [Section3] CodeDir: empty, so the install copies the whole disc, "
                 "SETUP.INI included\n"},
        LintCase{"code_dir_not_on_the_disc",
                 {{"SETUP.INI", "CodeDir=EXAMPLES", "CodeDir=MISSING"}},
                 "SETUP.INI:21: [Section2] CodeDir: the folder 'MISSING' is not on the disc\n"},
        LintCase{"files_compressed_perhaps",
                 {{"SETUP.INI", "FilesCompressed=YES", "FilesCompressed=PERHAPS"}},
                 "SETUP.INI:3: [Setup] FilesCompressed: 'PERHAPS' is neither YES nor NO; it is "
                 "read as NO\n"},
        LintCase{"sections_in_words",
                 {{"SETUP.INI", "NumberOfSections=3", "NumberOfSections=three"}},
                 "SETUP.INI:5: [Setup] NumberOfSections: 'three' is not a whole number; it is "
                 "read as 0\n"
                 "SETUP.INI:9: [Section1] never read: NumberOfSections is 0\n"
                 "SETUP.INI:20: [Section2] never read: NumberOfSections is 0\n"
                 "SETUP.INI:31: [Section3] never read: NumberOfSections is 0\n"},
        LintCase{"dest_dir_on_an_unmapped_drive",
                 {{"SETUP.INI", "DestDir=C:\\Quillby\\Extras", "DestDir=Q:\\Quillby\\Extras"}},
                 "SETUP.INI:33: [Section3] DestDir: 'Q:\\Quillby\\Extras' is on drive Q:, which "
                 "is not mapped\n"},
        LintCase{"line_the_reader_skips",
                 {{"SETUP.INI", "VolumeName=QUILLBY\n", "VolumeName=QUILLBY\nVolume QUILLBY\n"}},
                 "SETUP.INI:8: the line is not read: it is neither [Section] nor Key=Value "
                 "inside a section\n"},
        LintCase{"text_missing",
                 {{"SETUP.TXT", "ExitTitle=Exit Setup\r\n", ""}},
                 "SETUP.TXT:1: [SetupText] ExitTitle: missing: the program shows an empty text "
                 "instead\n"},
        LintCase{"text_error_reads_as_missing",
                 {{"SETUP.TXT", "ExitTitle=Exit Setup", "ExitTitle=Error"}},
                 "SETUP.TXT:10: [SetupText] ExitTitle: 'Error' reads as a missing text: the "
                 "program shows an empty text instead\n"},
        LintCase{"text_formats_beyond_the_arguments",
                 {{"SETUP.TXT", "FinishedText=The files of %s are", "FinishedText=Done %s %s %d"}},
                 "SETUP.TXT:16: [SetupText] FinishedText: '%s' has no argument: the program "
                 "passes only the main product name (%s); it is shown as typed\n"
                 "SETUP.TXT:16: [SetupText] FinishedText: '%d' has no argument: the program "
                 "passes only the main product name (%s); it is shown as typed\n"},
        LintCase{"text_format_of_another_kind",
                 {{"SETUP.TXT", "space on drive %c:", "space on drive %s:"}},
                 "SETUP.TXT:18: [SetupText] NoRoomText: '%s' does not fit the drive letter (%c); "
                 "it is shown as typed\n"},
        LintCase{"text_percent_taken_as_a_conversion",
                 {{"SETUP.TXT", "WelcomeText=This program", "WelcomeText=100% of this"}},
                 "SETUP.TXT:7: [SetupText] WelcomeText: '% o' does not fit the main product name "
                 "(%s); it is shown as typed\n"
                 "SETUP.TXT:7: [SetupText] WelcomeText: '%s' has no argument: the program passes "
                 "only the main product name (%s); it is shown as typed\n"},
        LintCase{"script_with_line_feeds_only",
                 {{EXAMPLES, "\r\n", "\n", true}},
                 "SCRIPTS\\EXAMPLES.TXT:1: [Section2] the line ends with a line feed alone, which "
                 "ends no script line: it runs joined to the next line (end lines with CR LF)\n"},
        LintCase{"script_unknown_command",
                 {{EXAMPLES, "MD %INSTALLPATH%", "COPPY %INSTALLPATH%"}},
                 "SCRIPTS\\EXAMPLES.TXT:1: [Section2] COPPY: unknown command: the line does "
                 "nothing\n"},
        LintCase{"script_too_few_arguments",
                 {{EXAMPLES, "NOTES.TXT +R", "NOTES.TXT"}},
                 "SCRIPTS\\EXAMPLES.TXT:3: [Section2] ATTRIB: needs 2 arguments, has 1\n"},
        LintCase{"script_too_many_arguments",
                 {{EXAMPLES, "MD %INSTALLPATH%\\Notes", "MD %INSTALLPATH%\\Notes Old"}},
                 "SCRIPTS\\EXAMPLES.TXT:1: [Section2] MD: takes 1 argument, has 2: the rest are "
                 "ignored\n"},
        LintCase{"script_source_not_on_the_disc",
                 {{EXAMPLES, "SCRIPTS\\NOTES.TXT %INSTALL", "SCRIPTS\\GONE.TXT %INSTALL"}},
                 "SCRIPTS\\EXAMPLES.TXT:2: [Section2] COPY: the source 'D:\\SCRIPTS\\GONE.TXT' is "
                 "not on the disc\n"},
        LintCase{"script_unknown_macro",
                 {{EXAMPLES, "MD %INSTALLPATH%", "MD %INSTALDIR%"}},
                 "SCRIPTS\\EXAMPLES.TXT:1: [Section2] MD: '%INSTALDIR%' is not a known macro: the "
                 "path keeps it as typed\n"},
        LintCase{"script_destination_on_an_unmapped_drive",
                 {{EXAMPLES, "\"%DESKTOP%\\Quillby Notes\"", "Q:\\Notes"}},
                 "SCRIPTS\\EXAMPLES.TXT:4: [Section2] CREATESHORTCUT: 'Q:\\Notes' is on drive Q:, "
                 "which is not mapped\n"},
        // The start-up message first, exactly as start-up shows it; the script it cannot find
        // is not read.
        LintCase{"script_in_a_missing_folder",
                 {{"SETUP.INI", "CommandFile=SCRIPTS\\", "CommandFile=SCRIPT\\"}},
                 "Error!: The script file 'SCRIPT\\EXAMPLES.TXT' in SETUP.INI does not exist.\n\n"
                 "Error!: At least one entry in SETUP.INI is suspicious.\nSetup will continue, "
                 "but the results will be unpredictable.\n\n"},
        LintCase{"messages_come_before_findings",
                 {{"SETUP.INI", "FileSize=120000", "FileSize=5"},
                  {"SETUP.INI", "Uninstall=FALSE", "Uninstall=NOPE"}},
                 "Error!: The '5' entry in SETUP.INI is suspiciously small or large.\n(This "
                 "entry is the total size of the installed files.)\n\n"
                 "Error!: At least one entry in SETUP.INI is suspicious.\nSetup will continue, "
                 "but the results will be unpredictable.\n\n"
                 "SETUP.INI:40: [Section3] Uninstall: 'NOPE' is neither TRUE nor FALSE; it is "
                 "read as FALSE\n"}),
    [](const ::testing::TestParamInfo<LintCase>& info) { return std::string(info.param.name); });

TEST(CheckModeTest, JsonGivesEveryMessageAndFindingAsOneObject) {
  CheckDisc disc;
  disc.Apply({"SETUP.INI", "FileSize=120000", "FileSize=5"});
  disc.Apply({"SETUP.INI", "CodeDir=EXAMPLES", "CodeDir=MISSING"});
  EXPECT_EQ(disc.Check(true), EXIT_FAILED);
  EXPECT_EQ(disc.output,
            "{\"kind\":\"message\",\"file\":\"SETUP.INI\",\"line\":37,\"section\":\"Section3\","
            "\"key\":\"FileSize\",\"caption\":\"Error!\",\"message\":\"The '5' entry in SETUP.INI "
            "is suspiciously small or large.\\n(This entry is the total size of the installed "
            "files.)\"}\n"
            "{\"kind\":\"message\",\"file\":\"SETUP.INI\",\"line\":0,\"section\":\"\",\"key\":"
            "\"\",\"caption\":\"Error!\",\"message\":\"At least one entry in SETUP.INI is "
            "suspicious.\\nSetup will continue, but the results will be unpredictable.\"}\n"
            "{\"kind\":\"lint\",\"file\":\"SETUP.INI\",\"line\":21,\"section\":\"Section2\","
            "\"key\":\"CodeDir\",\"message\":\"the folder 'MISSING' is not on the disc\"}\n");
}

// A missing SETUP.INI or SETUP.TXT ends the check with its message, before any lint.
TEST(CheckModeTest, AMissingStartupFileStopsAfterItsMessage) {
  const std::pair<const char*, std::string> cases[] = {
      {"SETUP.INI",
       "Error!: Warning: The MainProdName key (or its text) is not set in SETUP.INI\n\n"
       "Setup: Can't find Setup.ini. Setup needs this file to continue so it's exiting.\n\n"},
      {"SETUP.TXT",
       "Setup: Can't find Setup.txt. Setup needs this file to continue so it's exiting.\n\n"},
  };
  for (const auto& [removed, output] : cases) {
    CheckDisc disc;
    std::filesystem::remove(disc.temp.Join(std::string("disc/") + removed));
    EXPECT_EQ(disc.Check(), EXIT_STARTUP) << removed;
    EXPECT_EQ(disc.output, output) << removed;
  }
}

TEST(CheckModeTest, ABrokenRegistryIsReportedAfterTheFindingsAndNothingIsWritten) {
  CheckDisc disc;
  disc.temp.WriteFile("registry.reg", "not a registry file\n");
  EXPECT_EQ(disc.Check(), EXIT_FAILED);
  auto host = CreateHost(disc.temp.Join("profile.ini"), disc.temp.Join("disc"));
  ASSERT_TRUE(host.ok());
  EXPECT_EQ(disc.output, (*host)->system().module_file + ": Couldn't open the registry.\n\n");
  EXPECT_EQ(disc.temp.ReadFile("registry.reg"), "not a registry file\n");
}

}  // namespace
}  // namespace setup
