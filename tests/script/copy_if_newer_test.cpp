#include "script/copy_if_newer.h"

#include "ne_builder.h"
#include "pe_builder.h"
#include "script/file_version.h"
#include "script_fixture.h"

namespace setup::testing {
namespace {

class CopyIfNewerTest : public ScriptFixture {
 protected:
  // A file with the given version text in the table (nullopt: a file without version).
  std::string VersionedFile(const std::optional<std::string>& version,
                            const std::string& table = "040904E4") {
    if (!version) return "plain text without version";
    PeLayout layout;
    layout.file_version = version;
    layout.table = table;
    return BuildPeImage(layout).bytes;
  }
};

TEST_F(CopyIfNewerTest, ReplacesOnlyALowerInstalledVersion) {
  struct Case {
    std::optional<std::string> source;
    std::optional<std::string> installed;
    bool copied;
  };
  const Case cases[] = {
      {"4.0.1381.4", "4.0.1381.2", false},  // the fourth field does not count
      {"4.0.1382", "4.0.1381", true},
      {"3.9.9", "4.0.0", false},
      {"4.71", "4.5", false},  // both 4.0.0
      {"1.2.3", "1.2.3", false},
      {"1.10.0", "1.9.0", true},  // numbers, not text
      {"1.0.0", std::nullopt, true},
      {std::nullopt, "1.0.0", false},
      {std::nullopt, std::nullopt, false},
      {"0.0.0", "-1.5.0", true},  // fields compare as signed numbers
  };
  for (const auto& c : cases) {
    std::string source = VersionedFile(c.source);
    std::string installed = VersionedFile(c.installed) + "(installed)";
    temp_.WriteFile("d/f.dll", source);
    temp_.WriteFile("c/f.dll", installed);
    CopyIfNewer(*fs_, messages_, "D:\\f.dll", "C:\\f.dll");
    EXPECT_EQ(temp_.ReadFile("c/f.dll"), c.copied ? source : installed)
        << c.source.value_or("none") << " over " << c.installed.value_or("none");
  }
  EXPECT_TRUE(Texts().empty());
}

TEST_F(CopyIfNewerTest, ResourceSectionsFarIntoTheFileAreRead) {
  struct Case {
    uint32_t section_offset;
    size_t padding;
  };
  // Past the first read, and straddling it.
  const Case cases[] = {{0x60000, 10}, {0x40000 - 0x200, 3000}};
  for (const auto& c : cases) {
    PeLayout layout;
    layout.file_version = "6.5.4";
    layout.section_file_offset = c.section_offset;
    layout.product_name_length = c.padding;
    temp_.WriteFile("d/far.dll", BuildPeImage(layout).bytes);
    FileVersion version;
    ReadFileVersion(*fs_, messages_, "D:\\far.dll", version);
    EXPECT_EQ(version, (FileVersion{6, 5, 4})) << c.section_offset;
  }
}

TEST_F(CopyIfNewerTest, Reads16BitFilesThroughTheFileSystem) {
  struct Case {
    uint16_t shift;
    size_t gap;
    size_t padding;
  };
  // Near the start; past the first read; straddling it.
  const Case cases[] = {{4, 0, 10}, {9, 0x50000, 10}, {9, 0x40000 - 0x420, 3000}};
  for (const auto& c : cases) {
    NeLayout layout;
    layout.file_version = "6.5.4";
    layout.alignment_shift = c.shift;
    layout.gap = c.gap;
    layout.product_name_length = c.padding;
    const NeImage image = BuildNeImage(layout);
    temp_.WriteFile("d/old16.dll", image.bytes);
    FileVersion version;
    ReadFileVersion(*fs_, messages_, "D:\\old16.dll", version);
    EXPECT_EQ(version, (FileVersion{6, 5, 4})) << c.gap;
    // A file cut short inside its version resource has none.
    temp_.WriteFile("d/old16.dll", image.bytes.substr(0, image.version_block + 40));
    ReadFileVersion(*fs_, messages_, "D:\\old16.dll", version);
    EXPECT_EQ(version, (FileVersion{0, 0, 0})) << c.gap;
  }
}

TEST(FileVersionTextTest, ReadsFieldsAsDecimalConversionsDo) {
  struct Case {
    std::string text;
    FileVersion version;
  };
  const Case cases[] = {
      {"1.2.3", {1, 2, 3}}, {"4.0.1381.4", {4, 0, 1381}}, {"4.71", {4, 0, 0}},
      {"7.", {7, 0, 0}},    {" 3 . 1 . 4", {3, 1, 4}},    {"5", {0, 0, 0}},
      {"", {0, 0, 0}},      {"+2.-3.4x", {2, -3, 4}},     {"a.b.c", {0, 0, 0}},
      {"1..5", {1, 0, 5}},  {"4, 0, 1381, 1", {0, 0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseFileVersionText(c.text), c.version) << c.text;
}

}  // namespace
}  // namespace setup::testing
