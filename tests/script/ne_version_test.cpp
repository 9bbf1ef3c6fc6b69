#include "script/ne_version.h"

#include <gtest/gtest.h>

#include "ne_builder.h"
#include "pe_builder.h"
#include "script/file_version.h"

namespace setup {
namespace {

using testing::BuildNeImage;
using testing::NeImage;
using testing::NeLayout;
using testing::PutLe16;
using testing::PutLe32;

std::optional<std::string> FileVersionOf(const std::string& image) {
  return FindNeVersionString(image, "040904E4", "FileVersion");
}

TEST(NeVersionTest, OnlyTheUsEnglishAnsiTableOfTheVersionResourceCounts) {
  struct Case {
    std::string table;
    uint16_t name_id;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"040904E4", 1, "1.2.3"},      {"040904e4", 1, "1.2.3"},  // keys match without regard to case
      {"040704B0", 1, std::nullopt}, {"040904B0", 1, std::nullopt},
      {"040904E4", 2, std::nullopt},  // not the version resource
  };
  for (const auto& c : cases) {
    NeLayout layout;
    layout.table = c.table;
    layout.version_name_id = c.name_id;
    EXPECT_EQ(FileVersionOf(BuildNeImage(layout).bytes), c.expected) << c.table << " " << c.name_id;
  }
}

TEST(NeVersionTest, OtherFilesHaveNone) {
  NeLayout layout;
  layout.file_version.reset();
  EXPECT_EQ(FileVersionOf(BuildNeImage(layout).bytes), std::nullopt);
  EXPECT_EQ(FileVersionOf("just some text, not a program"), std::nullopt);
  // A 32-bit file is not read as a 16-bit one.
  EXPECT_EQ(FileVersionOf(testing::BuildPeImage(testing::PeLayout{}).bytes), std::nullopt);
}

TEST(NeVersionTest, EveryTruncationIsHandled) {
  NeLayout layout;
  layout.product_name_length = 3;
  const std::string image = BuildNeImage(layout).bytes;
  for (size_t length = 0; length < image.size(); ++length) {
    EXPECT_EQ(FileVersionOf(image.substr(0, length)), std::nullopt) << length;
  }
  EXPECT_EQ(FileVersionOf(image), "1.2.3");
}

TEST(NeVersionTest, CorruptStructuresGiveNoVersion) {
  struct Corruption {
    const char* what;
    void (*apply)(NeImage&);
  };
  const Corruption corruptions[] = {
      {"e_lfanew far outside", [](NeImage& i) { PutLe32(i.bytes, i.e_lfanew_at, 0xFFFFFFF0); }},
      {"e_lfanew at the last bytes",
       [](NeImage& i) {
         PutLe32(i.bytes, i.e_lfanew_at, static_cast<uint32_t>(i.bytes.size() - 2));
       }},
      {"no NE signature", [](NeImage& i) { i.bytes[i.ne_header + 1] = 'X'; }},
      {"resource table far outside",
       [](NeImage& i) { PutLe16(i.bytes, i.ne_header + 0x24, 0xFFFF); }},
      {"alignment shift huge", [](NeImage& i) { PutLe16(i.bytes, i.resource_table, 0xFFFF); }},
      {"alignment shift past 4 GiB", [](NeImage& i) { PutLe16(i.bytes, i.resource_table, 17); }},
      {"resource count huge before the version type",
       [](NeImage& i) { PutLe16(i.bytes, i.first_type + 2, 0xFFFF); }},
      {"resource offset past the end",
       [](NeImage& i) { PutLe16(i.bytes, i.version_name, 0xFFFF); }},
      {"resource longer than the file",
       [](NeImage& i) { PutLe16(i.bytes, i.version_name + 2, 0xFFFF); }},
      {"block longer than its resource",
       [](NeImage& i) { PutLe16(i.bytes, i.version_block, 0xFFFF); }},
      {"block shorter than a node", [](NeImage& i) { PutLe16(i.bytes, i.version_block, 4); }},
      {"unterminated root key", [](NeImage& i) { PutLe16(i.bytes, i.version_block, 4 + 8); }},
      {"no version resource after all", [](NeImage& i) { PutLe16(i.bytes, i.version_type, 0); }},
  };
  for (const auto& corruption : corruptions) {
    NeImage image = BuildNeImage(NeLayout{});
    corruption.apply(image);
    EXPECT_EQ(FileVersionOf(image.bytes), std::nullopt) << corruption.what;
  }
}

TEST(NeVersionTest, AHugeCountOnTheVersionTypeStopsAtItsEntry) {
  // The version resource is the type's first entry: the count is never walked further.
  NeImage image = BuildNeImage(NeLayout{});
  PutLe16(image.bytes, image.version_type + 2, 0xFFFF);
  EXPECT_EQ(FileVersionOf(image.bytes), "1.2.3");
}

TEST(NeVersionTest, LongVersionTextsAreCut) {
  NeLayout layout;
  layout.file_version = std::string(400, '9');
  EXPECT_EQ(FileVersionOf(BuildNeImage(layout).bytes), std::string(255, '9'));
}

}  // namespace
}  // namespace setup
