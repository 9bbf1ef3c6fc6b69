#pragma once

#include <windows.h>

#include <string>

#include "platform/code_page.h"
#include "ui/backends/win32/win32_dialog_window.h"
#include "ui/framework/user_driver.h"

namespace setup {

// The scripted user's hands on real controls: buttons report their click, Enter and Esc go
// through the dialog manager, characters are typed into the edit and mouse presses into the
// check list, so each control's own handling (the edit's character filter, the list's
// hooks, the tree's expand veto) runs as for a person.
class Win32UserDriver : public UserDriver {
 public:
  Win32UserDriver(Win32DialogWindow& window, const CodePage& code_page, int turn)
      : window_(window), code_page_(code_page), turn_(turn) {}

  CDialog& dialog() override { return window_.dialog(); }
  int turn() const override { return turn_; }
  const CodePage& code_page() const override { return code_page_; }

  bool Click(int id) override;
  bool PressEnter() override;
  bool PressEsc() override;
  bool PressDefault() override;
  bool ClickListItem(int id, int index, bool on_check_box) override;
  bool PickCombo(int id, const std::string& text) override;
  TreeItem FindTreeItem(int id, const std::string& path) override;
  bool ExpandTreeItem(int id, const std::string& path) override;
  bool CollapseTreeItem(int id, const std::string& path) override;
  bool SelectTreeItem(int id, const std::string& path) override;
  bool Type(int id, const std::string& text) override;

 private:
  // The child window of a visible, enabled control, or nullptr.
  HWND UsableWindow(int id) const;
  // A key as the dialog manager sees it from the message loop.
  void PressKey(WPARAM key);

  Win32DialogWindow& window_;
  const CodePage& code_page_;
  int turn_;
};

}  // namespace setup
