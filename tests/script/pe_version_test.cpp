#include "script/pe_version.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "pe_builder.h"
#include "script/file_version.h"

namespace setup {
namespace {

using testing::BuildPeImage;
using testing::PeImage;
using testing::PeLayout;
using testing::PutLe16;
using testing::PutLe32;

std::optional<std::string> FileVersionOf(const std::string& image) {
  return FindPeVersionString(image, "040904E4", "FileVersion");
}

TEST(PeVersionTest, OnlyTheUsEnglishAnsiTableCounts) {
  struct Case {
    std::string table;
    uint32_t name_id;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"040904E4", 1, "1.2.3"},      {"040904e4", 1, "1.2.3"},  // keys match without regard to case
      {"040704B0", 1, std::nullopt}, {"040904B0", 1, std::nullopt},
      {"040904E4", 2, std::nullopt},  // not the version resource
  };
  for (const auto& c : cases) {
    PeLayout layout;
    layout.table = c.table;
    layout.version_name_id = c.name_id;
    EXPECT_EQ(FileVersionOf(BuildPeImage(layout).bytes), c.expected) << c.table << " " << c.name_id;
  }
}

TEST(PeVersionTest, FilesWithoutAVersionResourceHaveNone) {
  PeLayout layout;
  layout.file_version.reset();
  EXPECT_EQ(FileVersionOf(BuildPeImage(layout).bytes), std::nullopt);
  EXPECT_EQ(FileVersionOf("just some text, not a program"), std::nullopt);
}

TEST(PeVersionTest, EveryTruncationIsHandled) {
  PeLayout layout;
  layout.product_name_length = 3;
  std::string image = BuildPeImage(layout).bytes;
  for (size_t length = 0; length <= image.size(); ++length) {
    auto version = FileVersionOf(image.substr(0, length));
    if (version) {
      EXPECT_EQ(*version, "1.2.3") << length;
    }
  }
}

TEST(PeVersionTest, CorruptStructuresGiveNoVersion) {
  struct Corruption {
    const char* what;
    void (*apply)(PeImage&);
  };
  const Corruption corruptions[] = {
      {"e_lfanew far outside", [](PeImage& i) { PutLe32(i.bytes, i.e_lfanew_at, 0xFFFFFFF0); }},
      {"neither PE32 nor PE32+", [](PeImage& i) { PutLe16(i.bytes, 0x44 + 20, 0x107); }},
      {"data outside the section", [](PeImage& i) { PutLe32(i.bytes, i.data_entry, 0xFFFFFF00); }},
      {"data size beyond the file",
       [](PeImage& i) { PutLe32(i.bytes, i.data_entry + 4, 0x7FFFFFFF); }},
      {"data before the section", [](PeImage& i) { PutLe32(i.bytes, i.data_entry, 0x10); }},
      {"type directory loops to the root",
       [](PeImage& i) { PutLe32(i.bytes, i.resource_root + 20, 0x80000000u); }},
      {"name directory loops to itself",
       [](PeImage& i) { PutLe32(i.bytes, i.type_directory + 20, 0x80000018u); }},
      {"directory offset far outside",
       [](PeImage& i) { PutLe32(i.bytes, i.type_directory + 20, 0xFFFFFFFFu); }},
      {"language entry is a directory",
       [](PeImage& i) { PutLe32(i.bytes, i.name_directory + 20, 0x80000000u | 48); }},
      {"block longer than its data", [](PeImage& i) { PutLe16(i.bytes, i.version_block, 0xFFFF); }},
      {"block shorter than a node", [](PeImage& i) { PutLe16(i.bytes, i.version_block, 2); }},
      {"unterminated root key", [](PeImage& i) { PutLe16(i.bytes, i.version_block, 6 + 4); }},
  };
  for (const auto& corruption : corruptions) {
    PeImage image = BuildPeImage(PeLayout{});
    corruption.apply(image);
    EXPECT_EQ(FileVersionOf(image.bytes), std::nullopt) << corruption.what;
  }
}

TEST(PeVersionTest, AbsurdEntryCountsStopAtTheSectionEnd) {
  PeImage image = BuildPeImage(PeLayout{});
  PutLe16(image.bytes, image.resource_root + 12, 0xFFFF);
  PutLe16(image.bytes, image.type_directory + 14, 0xFFFF);
  // The named entries come first, so the id entries are not where the count says.
  auto version = FileVersionOf(image.bytes);
  if (version) {
    EXPECT_EQ(*version, "1.2.3");
  }
  PutLe16(image.bytes, image.resource_root + 12, 0);
  EXPECT_EQ(FileVersionOf(image.bytes), "1.2.3");
}

TEST(PeVersionTest, LongVersionTextsAreCut) {
  PeLayout layout;
  layout.file_version = std::string(400, '9');
  EXPECT_EQ(FileVersionOf(BuildPeImage(layout).bytes), std::string(255, '9'));
}

std::string ReadHostFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(PeVersionTest, ReadsTheBuiltFixtures) {
  struct Fixture {
    const char* file;
    std::optional<std::string> text;
    FileVersion version;
  };
  const Fixture fixtures[] = {
      {"ver_1_10_0.dll", "1.10.0", {1, 10, 0}},     {"ver_spaces.dll", " 3 . 1 . 4", {3, 1, 4}},
      {"ver_de_only.dll", std::nullopt, {0, 0, 0}}, {"ver32_1_2_5.dll", "1.2.5", {1, 2, 5}},
      {"no_version.dll", std::nullopt, {0, 0, 0}},
  };
  for (const auto& fixture : fixtures) {
    std::string image = ReadHostFile(std::string(SETUP_PE_FIXTURES) + "/" + fixture.file);
    ASSERT_FALSE(image.empty()) << fixture.file;
    auto text = FileVersionOf(image);
    EXPECT_EQ(text, fixture.text) << fixture.file;
    EXPECT_EQ(ParseFileVersionText(text.value_or("")), fixture.version) << fixture.file;
  }
}

}  // namespace
}  // namespace setup
