// The sample disc shipped under examples/ must load cleanly (`setup --check` on it, which
// also fits its texts to the dialogs' arguments, is an app test).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/setup_config.h"
#include "platform/drive_map.h"
#include "platform/posix_file_system.h"

namespace setup {
namespace {

class SampleDiscTest : public ::testing::Test {
 protected:
  SampleDiscTest() {
    DriveMap drives;
    drives.Map('D', std::string(SETUP_SOURCE_DIR) + "/examples/sample_disc", DriveType::CdRom);
    fs = std::make_unique<PosixFileSystem>(drives, code_page, "D:\\");
  }

  CodePage code_page;
  std::unique_ptr<PosixFileSystem> fs;
  SetupConfig config;
};

TEST_F(SampleDiscTest, LoadsWithoutAnyWarning) {
  std::vector<ConfigFinding> findings = config.Load(*fs, code_page);
  EXPECT_TRUE(findings.empty()) << findings.front().text;
  EXPECT_TRUE(config.m_bValid);
  EXPECT_EQ(config.m_nSections, 3);
  // The sample shows both disc-wide settings at work.
  EXPECT_TRUE(config.m_bFilesCompressed);
  EXPECT_TRUE(config.m_bUseUnderscores);
  EXPECT_TRUE(config.m_bChangeFolderButton);
  for (int i = 0; i < TEXT_COUNT; ++i) EXPECT_NE(config.GetText(i), "") << TEXT_KEY_NAMES[i];
  for (int s = 0; s < config.m_nSections; ++s) {
    auto code_dir = fs->GetAttributes(config.GetSectionValue(s, KEY_CODEDIR));
    ASSERT_TRUE(code_dir.ok()) << config.GetSectionValue(s, KEY_CODEDIR);
    EXPECT_NE(*code_dir & ATTRIB_DIRECTORY, 0u);
  }
}

}  // namespace
}  // namespace setup
