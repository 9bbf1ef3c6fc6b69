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

}  // namespace
}  // namespace setup
