#include "ui/backends/win32/win32_window_system.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>
#include <vector>

#include "config/setup_texts.h"
#include "ui/dialogs/confirm_replace_dlg.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/dialog_templates.h"
#include "ui/dialogs/option_check_list_box.h"
#include "ui/framework/transcript_writer.h"

namespace setup {
namespace {

constexpr uint32_t WM_TEST_DONE = MSG_USER + 40;
constexpr uint32_t WM_TEST_COUNT = MSG_USER + 41;

// A window system with an in-memory transcript.
struct Rig {
  CodePage code_page;
  std::ostringstream transcript;
  TranscriptWriter writer{code_page, &transcript, nullptr};
  Win32WindowSystem ws{code_page, &writer};

  HWND Window(const CDialog& dialog) { return ws.WindowOf(dialog)->hwnd(); }
  // A click on the real button, delivered by the dialog's modal loop as a person's would be.
  void PostClick(const CDialog& dialog, int id) {
    HWND button = ws.WindowOf(dialog)->WindowOf(id);
    PostMessageW(Window(dialog), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  }
};

// Ends with ID_OK on WM_TEST_DONE and counts WM_TEST_COUNT.
class WaitingDlg : public CDialog {
 public:
  WaitingDlg(WindowSystem& ws, DialogTemplate dialog_template = WelcomeTemplate())
      : CDialog(ws, std::move(dialog_template)) {
    OnMessageId(WM_TEST_DONE, [this](uintptr_t, intptr_t) {
      EndDialog(ID_OK);
      return intptr_t{0};
    });
    OnMessageId(WM_TEST_COUNT, [this](uintptr_t, intptr_t) {
      ++m_nCounted;
      return intptr_t{0};
    });
  }
  const char* ClassName() const override { return "WaitingDlg"; }
  int m_nCounted = 0;
};

void FillTexts(SetupConfig& config) {
  config.SetText(TEXT_CONFIRMREPLACETITLE, "Confirm File Replace");
  config.SetText(TEXT_CONFIRMREPLACETEXT1, "This folder already contains a file called '%s'.");
  config.SetText(TEXT_CONFIRMREPLACETEXT2, "Would you like to replace the existing file");
  config.SetText(TEXT_CONFIRMREPLACETEXT3, "modified on %s");
  config.SetText(TEXT_CONFIRMREPLACETEXT4, "with this one?");
  config.SetText(TEXT_YESTOALLTITLE, "Yes to &All");
  config.SetText(TEXT_YESTOALLBUTTON, "&Yes");
  config.SetText(TEXT_CANCELBUTTON, "Cancel");
  config.SetText(TEXT_BYTES, "Bytes");
  config.SetText(TEXT_KBYTES, "KBytes");
  config.SetText(TEXT_MBYTES, "MBytes");
  config.m_bValid = true;
}

TEST(Win32WindowSystemTest, ADialogIsBuiltFromItsTemplateByTheDialogManager) {
  Rig rig;
  SetupConfig config;
  FillTexts(config);
  CConfirmReplaceDlg dialog(rig.ws, config, "READ_ME.TXT", 1536, 0, FILETIME_UNIX_EPOCH,
                            FILETIME_UNIX_EPOCH, [](FileTime t) { return t; });
  rig.ws.SetShownHook([&](CDialog& shown) {
    HWND window = rig.Window(shown);
    RECT units{0, 0, 4, 8};
    MapDialogRect(window, &units);
    const DialogBaseUnits base = shown.window()->BaseUnits();
    EXPECT_EQ(base.cx, units.right);
    EXPECT_EQ(base.cy, units.bottom);
    for (const ControlTemplate& control : shown.dialog_template().controls) {
      if (control.id == IDC_STATIC) continue;
      EXPECT_EQ(shown.GetDlgItem(control.id)->GetRect(), DialogUnitsToPixels(control.rect, base))
          << control.id;
    }
    // Tab order is template order; the default button is the template's; no close box.
    std::vector<int> tab_order;
    HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
    HWND at = first;
    do {
      tab_order.push_back(GetDlgCtrlID(at));
      at = GetNextDlgTabItem(window, at, FALSE);
    } while (at != nullptr && at != first && tab_order.size() < 10);
    EXPECT_EQ(tab_order, (std::vector<int>{ConfirmReplaceIds::YES, ConfirmReplaceIds::YES_TO_ALL,
                                           ConfirmReplaceIds::NO, ConfirmReplaceIds::CANCEL}));
    EXPECT_EQ(LOWORD(SendMessageW(window, DM_GETDEFID, 0, 0)), ConfirmReplaceIds::YES);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_EQ(shown.GetControlText(ConfirmReplaceIds::FILE_TEXT),
              "This folder already contains a file called 'READ_ME.TXT'.");
    rig.PostClick(shown, ConfirmReplaceIds::NO);
  });
  EXPECT_EQ(dialog.DoModal(), ID_OK);
  EXPECT_TRUE(dialog.m_bNo);
  EXPECT_NE(rig.transcript.str().find(R"("kind":"CConfirmReplaceDlg")"), std::string::npos);
  EXPECT_NE(rig.transcript.str().find(R"("answer":"No")"), std::string::npos);
}

TEST(Win32WindowSystemTest, EnterPressesTheFocusedButtonAndEscCancels) {
  struct Case {
    const char* what;
    WPARAM key;
    int result;
  };
  // The exit confirmation starts with the focus on Continue (ID_OK), the first button.
  const Case cases[] = {
      {"Enter", VK_RETURN, ExitIds::CONTINUE},
      {"Esc", VK_ESCAPE, ID_CANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    WaitingDlg dialog(rig.ws, ExitTemplate());
    rig.ws.SetShownHook([&](CDialog& shown) {
      HWND focused = GetFocus();
      PostMessageW(focused ? focused : rig.Window(shown), WM_KEYDOWN, c.key, 1);
    });
    EXPECT_EQ(dialog.DoModal(), c.result);
  }
}

TEST(Win32WindowSystemTest, APostToADestroyedWindowIsDroppedAndHandlesAreNotReused) {
  Rig rig;
  WaitingDlg gone(rig.ws);
  ASSERT_TRUE(gone.Create());
  const WindowHandle gone_handle = gone.GetSafeHwnd();
  gone.DestroyWindow();
  WaitingDlg live(rig.ws);
  WindowHandle live_handle = 0;
  rig.ws.SetShownHook([&](CDialog& shown) {
    live_handle = shown.GetSafeHwnd();
    rig.ws.Post(gone_handle, WM_TEST_COUNT, 0, 0);
    rig.ws.Post(live_handle, WM_TEST_COUNT, 0, 0);
    rig.ws.Post(live_handle, WM_TEST_DONE, 0, 0);
  });
  EXPECT_EQ(live.DoModal(), ID_OK);
  EXPECT_NE(live_handle, gone_handle);
  EXPECT_EQ(gone.m_nCounted, 0);
  EXPECT_EQ(live.m_nCounted, 1);
}

TEST(Win32WindowSystemTest, AWorkersDialogsAndBoxesAreAnsweredOnTheUiThread) {
  Rig rig;
  const std::thread::id main_thread = std::this_thread::get_id();
  std::vector<std::thread::id> shown_on;
  std::thread worker;
  MessageBoxResult answer = MessageBoxResult::Retry;
  int worker_result = 0;
  WaitingDlg from_worker(rig.ws);
  rig.ws.SetShownHook([&](CDialog& shown) {
    shown_on.push_back(std::this_thread::get_id());
    if (&shown == &from_worker) {
      rig.PostClick(shown, ID_OK);
      return;
    }
    if (std::string(shown.ClassName()) == "MessageBox") {
      rig.PostClick(shown, ID_CANCEL);
      return;
    }
    const WindowHandle handle = shown.GetSafeHwnd();
    worker = std::thread([&, handle] {
      answer = rig.ws.MessageBoxes().ShowMessageBox(
          {"Setup", "From the worker", MessageBoxIcon::Warning, MessageBoxButtons::OkCancel});
      worker_result = from_worker.DoModal();
      rig.ws.Post(handle, WM_TEST_DONE, 0, 0);
    });
  });
  WaitingDlg dialog(rig.ws);
  EXPECT_EQ(dialog.DoModal(), ID_OK);
  worker.join();
  EXPECT_EQ(answer, MessageBoxResult::Cancel);
  EXPECT_EQ(worker_result, ID_OK);
  EXPECT_EQ(shown_on, (std::vector<std::thread::id>(3, main_thread)));
  EXPECT_NE(
      rig.transcript.str().find(
          R"({"kind":"MessageBox","caption":"Setup","text":"From the worker","icon":"warning","buttons":["OK","Cancel"],"answer":"Cancel"})"),
      std::string::npos);
}

// A dialog with the options' check list and a record of what the list tells it.
class ListDlg : public CDialog {
 public:
  static constexpr int LIST_ID = 1010;
  explicit ListDlg(WindowSystem& ws, DialogTemplate dialog_template = WelcomeTemplate())
      : CDialog(ws, std::move(dialog_template)), m_list(ws) {
    OnMessageId(WM_CHECKLIST_CLICK, [this](uintptr_t wparam, intptr_t) {
      m_codes.push_back(HighWord(wparam));
      return intptr_t{0};
    });
  }
  const char* ClassName() const override { return "ListDlg"; }
  bool OnInitDialog() override {
    m_list.Create(DialogFont(), Rect{10, 20, 200, 90}, *this, LIST_ID);
    for (const char* item : {"Book\t1.50 MBytes", "Samples\t1.50 KBytes", "Extras"}) {
      m_list.AddString(item);
    }
    return true;
  }
  COptionCheckListBox m_list;
  std::vector<int> m_codes;
};

TEST(Win32WindowSystemTest, AClickOnTheGlyphTogglesTheCheckAndOnTheTextSelects) {
  struct Case {
    const char* what;
    bool on_glyph;
    int code;
    int check;
  };
  const Case cases[] = {
      {"the glyph", true, CLBN_CHKCHANGE, 1},
      {"the text", false, NOTIFY_LIST_SELCHANGE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    ListDlg dialog(rig.ws);
    rig.ws.SetShownHook([&](CDialog& shown) {
      ListControl* list = shown.GetList(ListDlg::LIST_ID);
      ASSERT_NE(list, nullptr);
      const Rect item = list->GetItemRect(1);
      const int x = c.on_glyph ? item.left + 2 : item.left + rig.ws.CheckGlyphWidth() + 12;
      HWND window = rig.ws.WindowOf(shown)->WindowOf(ListDlg::LIST_ID);
      const LPARAM at = MAKELPARAM(x, item.top + item.Height() / 2);
      SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
      SendMessageW(window, WM_LBUTTONUP, 0, at);
      EXPECT_EQ(dialog.m_codes, std::vector<int>{c.code});
      EXPECT_EQ(list->GetCheck(1), c.check);
      EXPECT_EQ(list->GetCurSel(), 1);
      rig.PostClick(shown, ID_OK);
    });
    EXPECT_EQ(dialog.DoModal(), ID_OK);
  }
}

TEST(Win32WindowSystemTest, AListMadeAtRunTimeComesRightAfterItsLabelInZOrder) {
  // Assistive technology names the list after the static just before it.
  constexpr int LABEL_ID = 1020;
  DialogTemplate with_label = WelcomeTemplate();
  // First in the template, so other controls stand between it and a list made last.
  with_label.controls.insert(with_label.controls.begin(),
                             Ctl(LABEL_ID, ControlKind::Static, "Options:", 5, 2, 40, 8));
  Rig rig;
  ListDlg dialog(rig.ws, with_label);
  rig.ws.SetShownHook([&](CDialog& shown) {
    Win32DialogWindow* window = rig.ws.WindowOf(shown);
    EXPECT_EQ(GetWindow(window->WindowOf(ListDlg::LIST_ID), GW_HWNDPREV),
              window->WindowOf(LABEL_ID));
    rig.PostClick(shown, ID_OK);
  });
  EXPECT_EQ(dialog.DoModal(), ID_OK);
}

}  // namespace
}  // namespace setup
