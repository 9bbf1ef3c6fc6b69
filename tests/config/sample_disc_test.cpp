// The sample disc shipped under examples/ must load cleanly and its texts must fit the
// arguments the dialogs give them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/setup_config.h"
#include "platform/drive_map.h"
#include "platform/host_file_system.h"

namespace setup {
namespace {

// The printf conversions of a text, in order ("%%" is none).
std::string Conversions(const std::string& text) {
  std::string found;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (text[i + 1] != '%') found.push_back(text[i + 1]);
    ++i;
  }
  return found;
}

class SampleDiscTest : public ::testing::Test {
 protected:
  SampleDiscTest() {
    DriveMap drives;
    drives.Map('D', std::string(SETUP_SOURCE_DIR) + "/examples/sample_disc", DriveType::CdRom);
    fs = NewHostFileSystem(drives, code_page, "D:\\");
  }

  CodePage code_page;
  std::unique_ptr<FileSystem> fs;
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

TEST_F(SampleDiscTest, FormatTextsTakeTheirArguments) {
  config.Load(*fs, code_page);
  const struct {
    int text;
    const char* conversions;
  } FORMATS[] = {
      {TEXT_WELCOMETEXT, "s"},         {TEXT_FINISHEDTEXT, "s"},        {TEXT_NOROOMTEXT, "c"},
      {TEXT_CONFIRMREPLACETEXT1, "s"}, {TEXT_CONFIRMREPLACETEXT3, "s"}, {TEXT_UPDATINGTEXT, "s"},
      {TEXT_SPACEREQUIRED, "cs"},      {TEXT_SPACEAVAILABLE, "cs"},     {TEXT_DESCRIPTIONTEXT, "s"},
  };
  for (const auto& format : FORMATS) {
    EXPECT_EQ(Conversions(config.GetText(format.text)), format.conversions)
        << TEXT_KEY_NAMES[format.text];
  }
  for (int i = 0; i < TEXT_COUNT; ++i) {
    bool is_format = false;
    for (const auto& format : FORMATS) is_format |= format.text == i;
    if (!is_format) {
      EXPECT_EQ(Conversions(config.GetText(i)), "") << TEXT_KEY_NAMES[i];
    }
  }
}

}  // namespace
}  // namespace setup
