#include "ui/dialogs/browse_dlg.h"

#include <gtest/gtest.h>

#include "support/loaded_code_page.h"
#include "ui/backends/headless/headless_controls.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::HeadlessRig;

// The browse dialog's surroundings, shown in the headless window system.
struct BrowseRig : testing::BrowseSetup {
  explicit BrowseRig(const CodePage& code_page = CodePage()) : BrowseSetup(code_page) {
    rig.code_page = code_page;
  }
  int Run() { return BrowseSetup::Run(rig.ws, rig.code_page); }
  // The texts of an item's children, "" for a placeholder.
  static std::vector<std::string> Children(UserDriver& d, const std::string& path) {
    auto* tree = dynamic_cast<HeadlessTree*>(d.dialog().GetDlgItem(BrowseIds::TREE));
    std::vector<std::string> texts;
    for (TreeItem child :
         tree->Children(path.empty() ? TVI_ROOT : d.FindTreeItem(BrowseIds::TREE, path))) {
      texts.push_back(tree->GetItemText(child));
    }
    return texts;
  }

  HeadlessRig rig;
};

using Texts = std::vector<std::string>;

TEST(BrowseDlgTest, ListsDrivesByTypeWithoutTouchingRemovableOrCdRom) {
  BrowseRig b;
  b.disk.AddDirectory("C:\\Books");
  b.rig.user.When("CBrowseDlg", [&](UserDriver& d) {
    EXPECT_EQ(BrowseRig::Children(d, ""), (Texts{"A:\\", "C:\\", "D:\\"}));
    auto* tree = d.dialog().GetTree(BrowseIds::TREE);
    EXPECT_EQ(tree->GetItemImages(d.FindTreeItem(BrowseIds::TREE, "A:\\")), (std::pair{1, 1}));
    EXPECT_EQ(tree->GetItemImages(d.FindTreeItem(BrowseIds::TREE, "C:\\")), (std::pair{0, 0}));
    EXPECT_EQ(tree->GetItemImages(d.FindTreeItem(BrowseIds::TREE, "D:\\")), (std::pair{2, 2}));
    EXPECT_EQ(tree->GetSelection(), d.FindTreeItem(BrowseIds::TREE, "C:\\"));
    EXPECT_EQ(d.Text(BrowseIds::CURRENT_PATH), "C:\\");
    EXPECT_EQ(BrowseRig::Children(d, "A:\\"), (Texts{""}));
    EXPECT_EQ(BrowseRig::Children(d, "D:\\"), (Texts{""}));
    EXPECT_EQ(BrowseRig::Children(d, "C:\\"), (Texts{""}));
    d.PressEsc();
  });
  EXPECT_EQ(b.Run(), ID_CANCEL);
  EXPECT_EQ(b.fs.searched, (Texts{"C:\\*.*"}));  // only the fixed drive was read
}

// A drive keeps its '+' whatever a reading finds; a folder emptied meanwhile loses it.
TEST(BrowseDlgTest, DrivesKeepTheirPlusAndAFolderEmptiedMeanwhileLosesIt) {
  BrowseRig b;
  b.disk.AddDirectory("C:\\Books\\Old");
  b.rig.user.When("CBrowseDlg", [&](UserDriver& d) {
    auto* tree = d.dialog().GetTree(BrowseIds::TREE);
    d.ExpandTreeItem(BrowseIds::TREE, "A:\\");
    EXPECT_FALSE(tree->IsExpanded(d.FindTreeItem(BrowseIds::TREE, "A:\\")));
    EXPECT_EQ(BrowseRig::Children(d, "A:\\"), (Texts{""}));
    d.ExpandTreeItem(BrowseIds::TREE, "C:\\");
    d.ExpandTreeItem(BrowseIds::TREE, "C:\\Books");
    EXPECT_TRUE(d.CollapseTreeItem(BrowseIds::TREE, "C:\\Books"));
    EXPECT_EQ(BrowseRig::Children(d, "C:\\Books"), (Texts{""}));
    EXPECT_TRUE(d.CollapseTreeItem(BrowseIds::TREE, "C:\\"));
    EXPECT_EQ(BrowseRig::Children(d, "C:\\"), (Texts{""}));
    d.ExpandTreeItem(BrowseIds::TREE, "C:\\");
    b.disk.Remove("C:\\Books\\Old");
    d.ExpandTreeItem(BrowseIds::TREE, "C:\\Books");
    EXPECT_FALSE(tree->IsExpanded(d.FindTreeItem(BrowseIds::TREE, "C:\\Books")));
    EXPECT_EQ(BrowseRig::Children(d, "C:\\Books"), (Texts{}));
    d.PressEsc();
  });
  b.Run();
}

TEST(BrowseDlgTest, ExpandingReadsSortedFoldersLazily) {
  BrowseRig b;
  b.disk.AddDirectory("C:\\beta\\inner");
  b.disk.AddDirectory("C:\\Alpha");
  b.disk.AddDirectory("C:\\GAMMA");
  b.disk.AddDirectory("C:\\_under");
  b.disk.AddDirectory("C:\\9lives");
  b.disk.AddFile("C:\\file.txt", "x");
  b.rig.user.When("CBrowseDlg", [&](UserDriver& d) {
    EXPECT_TRUE(d.ExpandTreeItem(BrowseIds::TREE, "C:\\"));
    EXPECT_EQ(BrowseRig::Children(d, "C:\\"),
              (Texts{"9lives", "Alpha", "beta", "GAMMA", "_under"}));
    EXPECT_EQ(BrowseRig::Children(d, "C:\\beta"), (Texts{""}));  // has a subfolder: '+'
    EXPECT_EQ(BrowseRig::Children(d, "C:\\Alpha"), (Texts{}));   // none: no '+'
    auto* tree = d.dialog().GetTree(BrowseIds::TREE);
    EXPECT_EQ(tree->GetItemImages(d.FindTreeItem(BrowseIds::TREE, "C:\\Alpha")), (std::pair{3, 4}));
    EXPECT_TRUE(d.ExpandTreeItem(BrowseIds::TREE, "C:\\beta"));
    EXPECT_EQ(BrowseRig::Children(d, "C:\\beta"), (Texts{"inner"}));
    d.SelectTreeItem(BrowseIds::TREE, "C:\\beta\\inner");
    EXPECT_EQ(d.Text(BrowseIds::CURRENT_PATH), "C:\\beta\\inner");
    d.Click(ID_OK);
  });
  EXPECT_EQ(b.Run(), ID_OK);
  EXPECT_EQ(b.dialog->m_selectedPath, "C:\\beta\\inner");
}

TEST(BrowseDlgTest, NewDirectoryIsAppendedOnOk) {
  struct Case {
    const char* select;
    const char* typed;
    const char* result;
  };
  const Case cases[] = {
      {"C:\\", "Demo", "C:\\Demo"},
      {"C:\\Books", "", "C:\\Books"},
  };
  for (const Case& c : cases) {
    BrowseRig b;
    b.disk.AddDirectory("C:\\Books");
    b.rig.user.When("CBrowseDlg", [&](UserDriver& d) {
      d.ExpandTreeItem(BrowseIds::TREE, "C:\\");
      d.SelectTreeItem(BrowseIds::TREE, c.select);
      d.Type(BrowseIds::NEW_DIRECTORY, c.typed);
      d.Click(ID_OK);
    });
    EXPECT_EQ(b.Run(), ID_OK);
    EXPECT_EQ(b.dialog->m_selectedPath, c.result) << c.select << " + " << c.typed;
  }
}

// A folder answer is split at the backslashes of its own, never at a second byte 0x5C, and
// its folders are matched with the ASCII letters' case ignored but never a second byte's:
// 'ヂ' (0x83 0x61) is not 'ア' (0x83 0x41). What is not on the disk is typed as the new
// directory, whose filter refuses a two-byte character whole.
TEST(BrowseDlgTest, DoubleByteFolderAnswersTable) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\\x95\x5C\\\x83\x5C", "C:\\\x95\x5C\\\x83\x5C"},
      {"c:\\\x95\x5C\\\x83\x5C\\demo", "C:\\\x95\x5C\\\x83\x5C\\demo"},
      {"C:\\\x83\x41", "C:\\\x83\x41"},
      {"C:\\\x83\x61", "C:\\"},
      {"C:\\\x83\x61\\x", "C:\\x"},
  };
  for (const auto& [answer, chosen] : cases) {
    BrowseRig b(testing::LoadedCodePage(932));
    b.disk.AddDirectory("C:\\\x95\x5C\\\x83\x5C");
    b.disk.AddDirectory("C:\\\x83\x41");
    b.rig.user.When("CBrowseDlg",
                    [answer = answer](UserDriver& d) { CBrowseDlg::GiveAnswer(d, answer); });
    EXPECT_EQ(b.Run(), ID_OK) << answer;
    EXPECT_EQ(b.dialog->m_selectedPath, chosen) << answer;
  }
}

// The caret ends after what was kept. In Shift-JIS a two-byte character goes whole, its second
// byte a letter ('ア' = 0x83 0x41) or 0x5C ('表') alike, and the caret steps back over both bytes.
TEST(BrowseDlgTest, NewDirectoryFilterRemovesRefusedCharactersAtTheCaret) {
  const struct {
    int code_page;
    const char* typed;
    const char* kept;
  } cases[] = {
      {1252, "My-Dir", "MyDir"},
      {1252, "#$%&'()", "#$%&'()"},
      {1252, "x_y.z!{}~", "xyz"},
      {1252, "caf\xe9", "caf"},
      {932,
       "a\x83\x41"
       "b",
       "ab"},
      {932,
       "\x95\x5C"
       "Demo",
       "Demo"},
      {932, "x\x83\x61", "x"},
  };
  for (const auto& c : cases) {
    BrowseRig b(c.code_page == 932 ? testing::LoadedCodePage(932) : CodePage());
    std::pair<int, int> caret;
    b.rig.user.When("CBrowseDlg", [&](UserDriver& d) {
      d.Type(BrowseIds::NEW_DIRECTORY, c.typed);
      caret = d.dialog().GetEdit(BrowseIds::NEW_DIRECTORY)->GetSel();
      d.PressEsc();
    });
    b.Run();
    EXPECT_EQ(b.dialog->m_newDirectory, c.kept) << c.typed;
    int expected = static_cast<int>(std::string(c.kept).size());
    EXPECT_EQ(caret, (std::pair{expected, expected})) << c.typed;
  }
}

TEST(BrowseDlgTest, RefusedCharacterInTheMiddleKeepsTheCaretInPlace) {
  BrowseRig b;
  b.rig.user.When("CBrowseDlg", [&](UserDriver& d) {
    d.Type(BrowseIds::NEW_DIRECTORY, "abcd");
    d.dialog().GetEdit(BrowseIds::NEW_DIRECTORY)->SetSel(2, 2);
    d.Type(BrowseIds::NEW_DIRECTORY, ".");
    EXPECT_EQ(d.Text(BrowseIds::NEW_DIRECTORY), "abcd");
    EXPECT_EQ(d.dialog().GetEdit(BrowseIds::NEW_DIRECTORY)->GetSel(), (std::pair{2, 2}));
    d.PressEsc();
  });
  b.Run();
}

int Measure(const std::string& text) { return static_cast<int>(text.size()) * 6; }

// In Shift-JIS "C:\表\ソ\能" (second bytes 0x5C) and "C:\アaイ" (second bytes 'A', 'C') the
// dots replace and the loop removes whole characters, never one byte of two.
TEST(BrowseDlgTest, ShortenPathTable) {
  struct Case {
    int code_page;
    const char* path;
    int width;
    const char* shown;
  };
  const Case cases[] = {
      {1252, "C:\\Books", 100, "C:\\Books"},
      {1252, "abcdefghij", 0, "a..."},  // ends when no character is left after the dots
      {1252, "abc", 0, "..."},
      {1252, "ab", 0, "ab"},
      {1252, "", 0, ""},
      {932, "C:\\\x95\x5C\\\x83\x5C\\\x94\x5C", 54, "C:\\...\\\x94\x5C"},
      {932, "C:\\\x95\x5C\\\x83\x5C\\\x94\x5C", 48, "C:...\x94\x5C"},
      {932, "C:\\\x95\x5C\\\x83\x5C\\\x94\x5C", 0, "C..."},
      {932,
       "C:\\\x83\x41"
       "a\x83\x43",
       42, "C:...\x83\x43"},
      {932, "\x83\x41\x83\x43", 0, "\x83\x41\x83\x43"},
  };
  const CodePage shift_jis = testing::LoadedCodePage(932);
  for (const Case& c : cases) {
    const CodePage& code_page = c.code_page == 932 ? shift_jis : CodePage();
    std::string shown = CBrowseDlg::ShortenPath(c.path, c.width, Measure, code_page);
    EXPECT_EQ(shown, c.shown) << c.path << " in " << c.width;
  }
}

}  // namespace
}  // namespace setup
