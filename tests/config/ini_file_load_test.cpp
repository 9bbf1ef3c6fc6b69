#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "config/ini_file.h"
#include "config_fixture.h"
#include "platform/file_system_wrapper.h"
#include "support/memory_files.h"

namespace setup {
namespace {

class IniFileLoadTest : public ::testing::Test, public testing::DiscFixture {};

// Hands out its text a few bytes per read, failing at an offset as a scratched disc might.
class TrickleFileSystem : public FileSystemWrapper {
 public:
  TrickleFileSystem(FileSystem* target, std::string text, size_t step, size_t fail_at)
      : FileSystemWrapper(target), text_(std::move(text)), step_(step), fail_at_(fail_at) {}
  Result<std::unique_ptr<ReadableFile>> OpenForRead(const std::string&) override {
    return std::unique_ptr<ReadableFile>(new testing::MemoryReadableFile(text_, step_, fail_at_));
  }

 private:
  std::string text_;
  size_t step_;
  size_t fail_at_;
};

TEST_F(IniFileLoadTest, ReadsAFileThatComesAByteAtATime) {
  const std::string text =
      "[Setup]\r\nName = \"A B\" \r\n\r\n[Other]\rKey=" + std::string(5000, 'v') + "\r\nLast=1";
  TrickleFileSystem trickle(&fs, text, 1, SIZE_MAX);
  IniFile ini = IniFile::Load(trickle, "SETUP.INI");
  EXPECT_EQ(ini.Find("setup", "name"), "A B");
  EXPECT_EQ(ini.Find("other", "key"), std::string(4095, 'v'));
  EXPECT_EQ(ini.Find("other", "last"), "1");
  // A CR LF pair split between two reads ends one line.
  EXPECT_EQ(ini.LineOf("setup", "name"), 2u);
  EXPECT_EQ(ini.LineOf("other"), 4u);
  EXPECT_EQ(ini.LineOf("other", "key"), 5u);
  EXPECT_EQ(ini.LineOf("other", "last"), 6u);
}

TEST_F(IniFileLoadTest, AReadErrorGivesDefaults) {
  TrickleFileSystem trickle(&fs, "[Setup]\nMainProdName=Book\n" + std::string(100, ';'), 8, 25);
  IniFile ini = IniFile::Load(trickle, "SETUP.INI");
  EXPECT_EQ(ini.GetString("Setup", "MainProdName", "Error"), "Error");
}

TEST_F(IniFileLoadTest, MissingFileOrADirectoryGivesDefaults) {
  EXPECT_EQ(IniFile::Load(fs, ".\\SETUP.INI").GetString("Setup", "MainProdName", "Error"), "Error");
  fs.AddDirectory("D:\\SETUP.INI");
  EXPECT_EQ(IniFile::Load(fs, ".\\SETUP.INI").GetString("Setup", "MainProdName", "Error"), "Error");
}

}  // namespace
}  // namespace setup
