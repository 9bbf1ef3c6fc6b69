#include "ui/dialogs/option_check_list_box.h"

#include <gtest/gtest.h>

#include "ui/backends/headless/headless_controls.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::HeadlessRig;

// The host dialog's own id for its list.
constexpr int LIST_ID = 4000;

struct Notification {
  int id;
  int code;
  int last_clicked;
  int selection;
  int check;
  bool operator==(const Notification&) const = default;
};

// A dialog that hosts the list as the Options dialog does and records its notifications.
class ListHostDlg : public CDialog {
 public:
  explicit ListHostDlg(WindowSystem& ws) : CDialog(ws, WelcomeTemplate()), list(ws) {
    OnMessageId(WM_CHECKLIST_CLICK, [this](uintptr_t w, intptr_t) {
      ListControl* control = list.list();
      int last = list.m_nLastClicked;
      seen.push_back(
          {LowWord(w), HighWord(w), last, control->GetCurSel(), control->GetCheck(last)});
      return intptr_t{0};
    });
  }
  const char* ClassName() const override { return "ListHostDlg"; }
  bool OnInitDialog() override {
    list.Create(DialogFont(), Rect{10, 10, 273, 110}, *this, LIST_ID);
    list.AddString("Book\t1.50 MBytes");
    list.AddString("Samples\t12 Bytes");
    list.AddString("Extras");
    return true;
  }

  COptionCheckListBox list;
  std::vector<Notification> seen;
};

TEST(OptionCheckListBoxTest, ClicksAndTheirNotifications) {
  struct Case {
    const char* name;
    Point point;
    bool double_click;
    std::vector<Notification> expected;
  };
  // Items are 13 pixels high; the box is hit while x < m_cxCheck + 2 = 13.
  const Case cases[] = {
      {"last pixel of the box", {12, 2}, false, {{LIST_ID, CLBN_CHKCHANGE, 0, 0, 1}}},
      {"first pixel of the text", {13, 2}, false, {{LIST_ID, NOTIFY_LIST_SELCHANGE, 0, -1, 0}}},
      {"below the last item", {50, 60}, false, {}},
      {"double click on a box",
       {3, 28},
       true,
       {{LIST_ID, CLBN_CHKCHANGE, 2, 2, 1}, {LIST_ID, CLBN_CHKCHANGE, 2, 2, 0}}},
  };
  for (const Case& c : cases) {
    HeadlessRig rig;
    ListHostDlg host(rig.ws);
    rig.user.When("ListHostDlg", [&](UserDriver& d) {
      auto* list = dynamic_cast<HeadlessList*>(d.dialog().GetDlgItem(LIST_ID));
      if (c.double_click) {
        list->DoubleClick(c.point);
      } else {
        list->Click(c.point);
      }
      d.PressEsc();
    });
    host.DoModal();
    EXPECT_EQ(host.seen, c.expected) << c.name;
  }
}

TEST(OptionCheckListBoxTest, DrawsNameLeftAndSizeRight) {
  HeadlessRig rig;
  ListHostDlg host(rig.ws);
  Image image;
  rig.user.When("ListHostDlg", [&](UserDriver& d) {
    d.ClickListItem(LIST_ID, 1, false);  // select "Samples"
    image = rig.ws.WindowOf(d.dialog())->Render();
    d.PressEsc();
  });
  host.DoModal();
  // The list's client area starts at (11, 11) inside its border.
  auto at = [&](int x, int y) { return image.At(11 + x, 11 + y); };
  const int width = 261;
  EXPECT_EQ(at(20, 0), SYSCOLOR_WINDOWTEXT);  // "B" of Book at x = 20
  EXPECT_EQ(at(19, 0), SYSCOLOR_WINDOW);
  EXPECT_EQ(at(width - 1 - 1, 0), SYSCOLOR_WINDOWTEXT);  // "s" of MBytes ends at the right edge
  EXPECT_EQ(at(20, 13), SYSCOLOR_HIGHLIGHTTEXT);         // the selected item
  EXPECT_EQ(at(19, 13), SYSCOLOR_HIGHLIGHT);
  EXPECT_EQ(at(width - 2, 26), SYSCOLOR_WINDOW);  // "Extras" has no right-hand text
  EXPECT_EQ(at(20, 26), SYSCOLOR_WINDOWTEXT);
}

}  // namespace
}  // namespace setup
