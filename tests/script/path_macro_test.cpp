#include "script/path_macro.h"

#include <gtest/gtest.h>

#include "config/setup_keys.h"
#include "support/loaded_code_page.h"

namespace setup {
namespace {

class PathMacroTest : public ::testing::Test {
 protected:
  PathMacroTest() {
    folders_[FOLDER_SYSTEM] = "C:\\WINDOWS\\SYSTEM";
    folders_[FOLDER_WINDOWS] = "C:\\WINDOWS";
    folders_[FOLDER_STARTDIR] = "D:\\";
    folders_[FOLDER_DESKTOP] = "C:\\Desktop";
    folders_[FOLDER_FAVORITES] = "C:\\Favorites";
    folders_[FOLDER_PERSONAL] = "C:\\My Documents";
    folders_[FOLDER_MYPICTURES] = "";
    folders_[FOLDER_STARTMENU] = "C:\\Start Menu";
    folders_[FOLDER_PROGRAMS] = "C:\\Start Menu\\Programs";
    config_.m_nSections = 2;
    config_.m_nCurrentSection = 1;
    config_.SetSectionValue(KEY_DESTDIR, "C:\\Books\\Demo");
  }

  std::string Expand(std::string path) {
    ExpandPathMacro(path, config_, folders_, code_page_);
    return path;
  }

  SetupConfig config_;
  SpecialFolders folders_;
  CodePage code_page_;
};

TEST_F(PathMacroTest, ExpandsTheLeadingMacro) {
  struct Case {
    std::string path;
    std::string expanded;
  };
  const Case cases[] = {
      {"%PROGRAMS%", "C:\\Start Menu\\Programs"},
      {"%programs%\\Demo", "C:\\Start Menu\\Programs\\Demo"},
      {"%PROGRAMS%Demo", "C:\\Start Menu\\Programs\\Demo"},
      {"%SYSTEM%\\x.dll", "C:\\WINDOWS\\SYSTEM\\x.dll"},
      {"%WINDOWS%", "C:\\WINDOWS"},
      {"%DESKTOP%\\Books", "C:\\Desktop\\Books"},
      {"%FAVORITES%", "C:\\Favorites"},
      {"%MYDOCUMENTS%\\a", "C:\\My Documents\\a"},
      {"%MY DOCUMENTS%\\a", "C:\\My Documents\\a"},
      {"%my pictures%", ""},
      {"%MYPICTURES%\\x", "\\x"},
      {"%STARTMENU%", "C:\\Start Menu"},
      {"C:\\%WINDOWS%\\x", "C:\\%WINDOWS%\\x"},
      {"%WINDOWS%\\%SYSTEM%", "C:\\WINDOWS\\%SYSTEM%"},
      {"%foo%bar", "%FOO%\\bar"},
      {"%abc\\x", "%ABC\\X"},
      {"%", "%"},
      {"%%x", "%%\\x"},
      {"", ""},
      {"plain\\path", "plain\\path"},
      {"%STARTDIR%", "D:"},
      {"%INSTALLPATH%", "C:\\Books\\Demo"},
      {"%INSTALLDIR%", "Books\\Demo"},
      {"%INSTALLDRIVE%", "C"},
      {"%INSTALLDRIVE%\\x", "C\\x"},
      {"%\xe4pfel%x", "%\xc4PFEL%\\x"},  // upper-cased in the code page
  };
  for (const auto& c : cases) EXPECT_EQ(Expand(c.path), c.expanded) << c.path;
}

TEST_F(PathMacroTest, ARootKeepsItsBackslashAndDoublesWithTheRest) {
  folders_[FOLDER_WINDOWS] = "C:\\";
  EXPECT_EQ(Expand("%WINDOWS%\\x"), "C:\\\\x");
  EXPECT_EQ(Expand("%WINDOWS%x"), "C:\\x");
}

// '表' is 0x95 0x5C in Shift-JIS: a folder that ends in it has no trailing backslash, and a
// macro holding a second byte in 'a'..'z' is upper-cased around it.
TEST_F(PathMacroTest, DoubleByteFoldersKeepTheirLastCharacter) {
  code_page_ = testing::LoadedCodePage(932);
  folders_[FOLDER_STARTDIR] = "D:\\\x95\x5C\\";
  folders_[FOLDER_PROGRAMS] = "C:\\\x95\x5C";
  config_.SetSectionValue(KEY_DESTDIR, "C:\\\x83\x5C");
  struct Case {
    std::string path;
    std::string expanded;
  };
  const Case cases[] = {
      {"%STARTDIR%", "D:\\\x95\x5C"},
      {"%PROGRAMS%Demo", "C:\\\x95\x5C\\Demo"},
      {"%INSTALLPATH%\x94\x5C", "C:\\\x83\x5C\\\x94\x5C"},
      {"%INSTALLDIR%\\a", "\x83\x5C\\a"},
      {"%a\x83\x61"
       "b%x",
       "%A\x83\x61"
       "B%\\x"},
  };
  for (const auto& c : cases) EXPECT_EQ(Expand(c.path), c.expanded) << c.path;
}

TEST_F(PathMacroTest, InstallMacrosFollowTheCurrentSection) {
  config_.SetSectionValue(KEY_DESTDIR, "\\\\server\\share\\Demo");
  EXPECT_EQ(Expand("%INSTALLDIR%"), "\\\\server\\share\\Demo");
  config_.m_nCurrentSection = 0;
  config_.SetSectionValue(KEY_DESTDIR, "E:\\Other");
  EXPECT_EQ(Expand("%INSTALLPATH%"), "E:\\Other");
  EXPECT_EQ(Expand("%INSTALLDIR%"), "Other");
  config_.SetSectionValue(KEY_DESTDIR, "");
  EXPECT_EQ(Expand("%INSTALLDRIVE%"), "");
  EXPECT_EQ(Expand("%INSTALLDIR%"), "");
}

TEST_F(PathMacroTest, ValuesAreReadWhenExpanded) {
  EXPECT_EQ(Expand("%DESKTOP%"), "C:\\Desktop");
  folders_[FOLDER_DESKTOP] = "E:\\Elsewhere";
  EXPECT_EQ(Expand("%DESKTOP%"), "E:\\Elsewhere");
}

}  // namespace
}  // namespace setup
