#pragma once

#include <string>

#include "platform/code_page.h"
#include "ui/backends/headless/headless_controls.h"
#include "ui/framework/dialog.h"
#include "ui/framework/user_driver.h"

namespace setup {

class HeadlessWindow;

// The scripted user's hands on a dialog realized in memory.
class HeadlessUserDriver : public UserDriver {
 public:
  HeadlessUserDriver(CDialog& dialog, HeadlessWindow& window, const CodePage& code_page, int turn)
      : dialog_(dialog), window_(window), code_page_(code_page), turn_(turn) {}

  CDialog& dialog() override { return dialog_; }
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
  HeadlessList* List(int id) const;
  HeadlessTree* Tree(int id) const;

  CDialog& dialog_;
  HeadlessWindow& window_;
  const CodePage& code_page_;
  int turn_;
};

}  // namespace setup
