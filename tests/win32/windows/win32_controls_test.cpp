#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ui/backends/win32/win32_user_driver.h"
#include "ui/backends/win32/win32_window_system.h"
#include "ui/framework/transcript_writer.h"

namespace setup {
namespace {

constexpr int TREE_ID = 100;
constexpr int COMBO_ID = 101;
constexpr int EDIT_ID = 102;

DialogTemplate ControlsTemplate() {
  DialogTemplate t;
  t.caption = "Controls";
  t.size = Size{200, 160};
  t.controls = {Ctl(TREE_ID, ControlKind::TreeView, "", 5, 5, 120, 80),
                Ctl(COMBO_ID, ControlKind::ComboDropList, "", 130, 5, 40, 60),
                Ctl(EDIT_ID, ControlKind::Edit, "", 5, 100, 120, 14),
                Ctl(ID_OK, ControlKind::DefPushButton, "OK", 5, 130, 50, 14, "OK")};
  t.controls[1].sorted = true;
  return t;
}

// Records what its controls tell it; vetoes expanding while m_bVeto is set.
class ControlsDlg : public CDialog {
 public:
  explicit ControlsDlg(WindowSystem& ws) : CDialog(ws, ControlsTemplate()) {
    OnNotifyId(TREE_ID, TVN_ITEMEXPANDING, [this](const TreeNotify& n) {
      m_events.push_back("expanding " + std::to_string(n.item));
      return intptr_t{m_bVeto ? 1 : 0};
    });
    OnNotifyId(TREE_ID, TVN_SELCHANGED, [this](const TreeNotify& n) {
      m_events.push_back("selected " + std::to_string(n.item));
      return intptr_t{0};
    });
    OnCommandId(COMBO_ID, NOTIFY_COMBO_SELCHANGE, [this] { m_events.push_back("picked"); });
    OnCommandId(EDIT_ID, NOTIFY_EDIT_CHANGE, [this] {
      m_events.push_back("edit " + GetControlText(EDIT_ID) + " at " +
                         std::to_string(GetEdit(EDIT_ID)->GetSel().first));
    });
  }
  const char* ClassName() const override { return "ControlsDlg"; }
  std::vector<std::string> m_events;
  bool m_bVeto = false;
};

struct Rig {
  CodePage code_page;
  std::ostringstream transcript;
  TranscriptWriter writer{code_page, &transcript, nullptr};
  Win32WindowSystem ws{code_page, &writer};
  ControlsDlg dialog{ws};

  // Runs `act` on the shown dialog, then ends it.
  void Run(const std::function<void(Win32UserDriver&)>& act) {
    ws.SetShownHook([&](CDialog& shown) {
      Win32UserDriver driver(*ws.WindowOf(shown), code_page, 0);
      act(driver);
      shown.EndDialog(ID_OK);
    });
    EXPECT_EQ(dialog.DoModal(), ID_OK);
  }
};

TEST(Win32ControlsTest, TheTreeAsksBeforeOpeningAndMovesTheSelectionUpWhenItsItemGoes) {
  Rig rig;
  rig.Run([&](Win32UserDriver& driver) {
    TreeControl* tree = rig.dialog.GetTree(TREE_ID);
    const TreeItem root = tree->InsertItem(TVI_ROOT, "C:\\", 0, 0);
    const TreeItem child = tree->InsertItem(root,
                                            "\xDC"
                                            "bungen",
                                            3, 4);  // Übungen in 1252
    EXPECT_EQ(tree->GetItemText(child),
              "\xDC"
              "bungen");
    EXPECT_EQ(tree->GetItemImages(child), (std::pair<int, int>{3, 4}));
    // Found without regard to case, as the code page cases letters.
    EXPECT_EQ(driver.FindTreeItem(TREE_ID,
                                  "c:\\\xFC"
                                  "BUNGEN"),
              child);

    rig.dialog.m_bVeto = true;
    EXPECT_TRUE(driver.ExpandTreeItem(TREE_ID, "C:\\"));
    EXPECT_FALSE(tree->IsExpanded(root));
    rig.dialog.m_bVeto = false;
    EXPECT_TRUE(driver.ExpandTreeItem(TREE_ID, "C:\\"));
    EXPECT_TRUE(tree->IsExpanded(root));

    EXPECT_TRUE(driver.SelectTreeItem(TREE_ID,
                                      "C:\\\xDC"
                                      "bungen"));
    tree->SelectItem(child);  // already selected: nobody is told
    tree->DeleteItem(child);
    EXPECT_EQ(tree->GetSelection(), root);
    EXPECT_EQ(tree->GetChild(root), 0u);
    const std::string r = std::to_string(root);
    const std::string c = std::to_string(child);
    EXPECT_EQ(rig.dialog.m_events, (std::vector<std::string>{"expanding " + r, "expanding " + r,
                                                             "selected " + c, "selected " + r}));
  });
}

TEST(Win32ControlsTest, OnlyTheUsersChoiceInTheDropDownListNotifies) {
  Rig rig;
  rig.Run([&](Win32UserDriver& driver) {
    ComboControl* combo = rig.dialog.GetCombo(COMBO_ID);
    combo->AddString("[D]");
    combo->AddString("[C]");
    EXPECT_EQ(combo->GetLBText(0), "[C]");
    EXPECT_EQ(combo->GetCurSel(), -1);
    combo->SetCurSel(1);
    EXPECT_EQ(combo->GetText(), "[D]");
    EXPECT_TRUE(rig.dialog.m_events.empty());
    EXPECT_TRUE(driver.PickCombo(COMBO_ID, "[c]"));
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_FALSE(driver.PickCombo(COMBO_ID, "[E]"));
    EXPECT_EQ(rig.dialog.m_events, std::vector<std::string>{"picked"});
  });
}

TEST(Win32ControlsTest, TheEditNotifiesOnceASetTextAndOnceATypedCharacter) {
  Rig rig;
  rig.Run([&](Win32UserDriver& driver) {
    rig.dialog.SetControlText(EDIT_ID, "ab");
    EXPECT_TRUE(driver.Type(EDIT_ID, "x\xE9"));
    EXPECT_EQ(rig.dialog.GetControlText(EDIT_ID),
              "x\xE9"
              "ab");
    EXPECT_EQ(rig.dialog.m_events, (std::vector<std::string>{"edit ab at 0", "edit xab at 1",
                                                             "edit x\xE9"
                                                             "ab at 2"}));
  });
}

}  // namespace
}  // namespace setup
