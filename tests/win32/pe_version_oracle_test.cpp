// Our version reader against version.dll on the same images: GetFileVersionInfo and
// VerQueryValue's "\StringFileInfo\040904E4\FileVersion" is what FindPeVersionString finds.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "script/pe_version.h"

namespace setup {
namespace {

std::optional<std::string> SystemFileVersion(const std::string& file) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
  if (size == 0) return std::nullopt;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(file.c_str(), 0, size, data.data())) return std::nullopt;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), "\\StringFileInfo\\040904E4\\FileVersion",
                      reinterpret_cast<void**>(&value), &length)) {
    return std::nullopt;
  }
  return std::string(value, length > 0 && value[length - 1] == '\0' ? length - 1 : length);
}

std::string FileBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Each image with the version its name promises (none: no string in that table).
struct VersionCase {
  const char* file;
  std::optional<std::string> version;
};

class PeVersionOracleTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(PeVersionOracleTest, FindsTheVersionTheSystemFinds) {
  const std::string file = std::string(SETUP_PE_FIXTURES) + "/" + GetParam().file;
  const std::string image = FileBytes(file);
  ASSERT_FALSE(image.empty()) << file;
  EXPECT_EQ(SystemFileVersion(file), GetParam().version);
  EXPECT_EQ(FindPeVersionString(image, "040904E4", "FileVersion"), GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, PeVersionOracleTest,
                         ::testing::Values(VersionCase{"ver_1_2_3.dll", "1.2.3"},
                                           VersionCase{"ver_1_10_0.dll", "1.10.0"},
                                           VersionCase{"ver_2_0.dll", "2.0"},
                                           VersionCase{"ver_7_dot_.dll", "7."},
                                           VersionCase{"ver_spaces.dll", " 3 . 1 . 4"},
                                           VersionCase{"ver32_1_2_5.dll", "1.2.5"},
                                           VersionCase{"ver_de_only.dll", std::nullopt},
                                           VersionCase{"no_version.dll", std::nullopt}));

}  // namespace
}  // namespace setup
