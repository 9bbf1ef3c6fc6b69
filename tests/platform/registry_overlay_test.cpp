#include "platform/registry_overlay.h"

#include <gtest/gtest.h>

#include "platform/registry_file.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

constexpr char KEY[] = "HKEY_LOCAL_MACHINE\\Software\\Uninstall\\Quillby";

class RegistryOverlayTest : public ::testing::Test {
 protected:
  RegistryOverlayTest() {
    path = temp.WriteFile("registry.reg",
                          "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Uninstall\\Quillby]\r\n"
                          "\"DisplayName\"=\"Quillby\"\r\n");
    base.emplace(*RegistryFile::Open(path));
  }
  testing::TempDir temp;
  std::string path;
  std::optional<RegistryFile> base;
};

TEST_F(RegistryOverlayTest, ReadsThroughAndKeepsChangesInMemory) {
  RegistryOverlay overlay(&*base);
  EXPECT_EQ(overlay.QueryValue(KEY, "displayname"), "Quillby");
  ASSERT_TRUE(overlay.SetValue(KEY, "DisplayName", "Quillby Reader").ok());
  ASSERT_TRUE(overlay.SetValue("HKEY_CURRENT_USER\\New\\Key", "Value", "data").ok());
  ASSERT_TRUE(overlay.CreateKey("HKEY_CURRENT_USER\\Empty").ok());

  EXPECT_EQ(overlay.QueryValue(KEY, "DISPLAYNAME"), "Quillby Reader");
  EXPECT_EQ(overlay.QueryValue("hkey_current_user\\new\\key", "value"), "data");
  EXPECT_EQ(overlay.QueryValue(KEY, "Missing"), std::nullopt);
  // Keys made in memory, and their parents, exist; a name that only starts alike does not.
  EXPECT_TRUE(overlay.KeyExists("HKEY_CURRENT_USER\\Empty"));
  EXPECT_TRUE(overlay.KeyExists("HKEY_CURRENT_USER\\New"));
  EXPECT_FALSE(overlay.KeyExists("HKEY_CURRENT_USER\\Ne"));
  EXPECT_TRUE(overlay.KeyExists("HKEY_LOCAL_MACHINE\\Software"));

  // Neither the store beneath nor its file changed.
  EXPECT_EQ(base->QueryValue(KEY, "DisplayName"), "Quillby");
  EXPECT_FALSE(base->KeyExists("HKEY_CURRENT_USER\\Empty"));
  EXPECT_EQ(temp.ReadFile("registry.reg"),
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Uninstall\\Quillby]\r\n"
            "\"DisplayName\"=\"Quillby\"\r\n");
}

TEST_F(RegistryOverlayTest, WithoutABaseOnlyItsOwnChangesExist) {
  RegistryOverlay overlay(nullptr);
  EXPECT_FALSE(overlay.KeyExists(KEY));
  EXPECT_EQ(overlay.QueryValue(KEY, "DisplayName"), std::nullopt);
  overlay.SetValue(KEY, "DisplayName", "Quillby");
  EXPECT_EQ(overlay.QueryValue(KEY, "DisplayName"), "Quillby");
}

TEST_F(RegistryOverlayTest, DeletionHidesTheBaseAndListsFollowIt) {
  RegistryOverlay overlay(&*base);
  const std::string parent = "HKEY_LOCAL_MACHINE\\Software\\Uninstall";
  ASSERT_TRUE(overlay.SetValue(parent + "\\Atlas\\Maps", "Value", "data").ok());
  ASSERT_TRUE(overlay.CreateKey(parent + "\\QUILLBY").ok());
  // The base's spelling wins; a key only made below another is listed once, by its parent.
  EXPECT_EQ(overlay.SubKeyNames(parent), (std::vector<std::string>{"Quillby", "Atlas"}));

  ASSERT_TRUE(overlay.DeleteKey(parent + "\\quillby").ok());
  ASSERT_TRUE(overlay.DeleteKey(parent + "\\Atlas").ok());
  EXPECT_FALSE(overlay.KeyExists(KEY));
  EXPECT_EQ(overlay.QueryValue(KEY, "DisplayName"), std::nullopt);
  EXPECT_FALSE(overlay.KeyExists(parent + "\\Atlas\\Maps"));
  EXPECT_EQ(overlay.SubKeyNames(parent), std::vector<std::string>{});
  EXPECT_EQ(base->QueryValue(KEY, "DisplayName"), "Quillby");
}

}  // namespace
}  // namespace setup
