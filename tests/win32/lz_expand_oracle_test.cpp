// Our expanding copy against LZ32.dll's on the same files: what the system's own
// LZOpenFile and LZCopy write is what ExpandFile must write.

#include <windows.h>
// After <windows.h>, whose types it uses.
#include <lzexpand.h>

#include <gtest/gtest.h>

#include <string>

#include "install/lz_expand.h"
#include "platform/host_file_system.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::TempDir;

// The system's expansion of `source` into `destination` (host paths); false when it fails.
bool SystemExpand(const std::string& source, const std::string& destination) {
  OFSTRUCT source_info{};
  OFSTRUCT destination_info{};
  INT from = LZOpenFileA(const_cast<char*>(source.c_str()), &source_info, OF_READ);
  if (from < 0) return false;
  INT to = LZOpenFileA(const_cast<char*>(destination.c_str()), &destination_info, OF_CREATE);
  if (to < 0) {
    LZClose(from);
    return false;
  }
  const LONG copied = LZCopy(from, to);
  LZClose(from);
  LZClose(to);
  return copied >= 0;
}

class LzExpandOracleTest : public ::testing::TestWithParam<const char*> {};

TEST_P(LzExpandOracleTest, ExpandsAsTheSystemDoes) {
  TempDir out;
  DriveMap drives;
  drives.Map('D', std::string(SETUP_SOURCE_DIR) + "/examples/sample_disc", DriveType::CdRom);
  drives.Map('C', out.path(), DriveType::Fixed);
  auto fs = NewHostFileSystem(drives, CodePage(), "D:\\");

  const std::string name = GetParam();
  ASSERT_TRUE(ExpandFile(*fs, "D:\\" + name, "C:\\ours.bin").ok());
  const std::string disc_file = std::string(SETUP_SOURCE_DIR) + "/examples/sample_disc/" + name;
  ASSERT_TRUE(SystemExpand(disc_file, out.Join("system.bin"))) << disc_file;
  EXPECT_EQ(out.ReadFile("ours.bin"), out.ReadFile("system.bin"));
  EXPECT_GT(out.ReadFile("ours.bin").size(), 0u);
}

// Compressed files (the examples, the uninstaller) and plain ones, copied unchanged by both.
INSTANTIATE_TEST_SUITE_P(SampleDisc, LzExpandOracleTest,
                         ::testing::Values("EXAMPLES\\EXAMPLE1.TXT", "EXAMPLES\\EXAMPLE2.TXT",
                                           "ZORUNIN.EXE", "READER\\READ_ME.TXT", "SETUP.INI"));

}  // namespace
}  // namespace setup
