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

// Appends a comment line so that the text's next byte is at `offset`, leaving the line's
// break (`line_end`) to the caller.
void PadTo(std::string& text, size_t offset) {
  text += ";";
  text.append(offset - text.size(), 'p');
}

TEST_F(IniFileLoadTest, LinesAcrossReadChunksAreWhole) {
  // The reader takes 64 KiB at a time: put a CR LF pair and a long value across each seam.
  const size_t CHUNK = 64 * 1024;
  std::string text = "[s]\n";
  for (size_t seam = CHUNK; seam <= 4 * CHUNK; seam += CHUNK) {
    PadTo(text, seam - 1);
    text += "\r\n";  // CR before the seam, LF after it
    text += "a" + std::to_string(seam) + "=after\n";
    PadTo(text, seam + CHUNK / 2 - 2000);
    text += "\nk" + std::to_string(seam) + "=" + std::string(5000, 'v') + "\n";
  }
  text += "last=1";
  Disc("SETUP.INI", text);
  IniFile ini = IniFile::Load(fs, "SETUP.INI");
  for (size_t seam = CHUNK; seam <= 4 * CHUNK; seam += CHUNK) {
    EXPECT_EQ(ini.Find("s", "a" + std::to_string(seam)), "after");
    EXPECT_EQ(ini.Find("s", "k" + std::to_string(seam)), std::string(4095, 'v'));
  }
  EXPECT_EQ(ini.Find("s", "last"), "1");
}

}  // namespace
}  // namespace setup
