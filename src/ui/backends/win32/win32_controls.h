#pragma once

#include <windows.h>

#include <string>

#include "platform/code_page.h"
#include "ui/framework/controls.h"

namespace setup {

class CDialog;

// What every Win32 control shares: one child window of the dialog, its id and kind.
template <class Interface>
class Win32ControlBase : public Interface {
 public:
  Win32ControlBase(const ControlTemplate& control, HWND window, const CodePage& code_page)
      : id_(control.id), kind_(control.kind), window_(window), code_page_(code_page) {}

  int id() const override { return id_; }
  ControlKind kind() const override { return kind_; }
  void Show(bool visible) override { ShowWindow(window_, visible ? SW_SHOW : SW_HIDE); }
  // Its own flag, whether or not the dialog is shown yet.
  bool IsVisible() const override { return (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0; }
  void Enable(bool enabled) override { EnableWindow(window_, enabled); }
  bool IsEnabled() const override { return IsWindowEnabled(window_) != FALSE; }
  Rect GetRect() const override;
  Size MeasureText(const std::string& text) const override;
  HWND window() const { return window_; }

 protected:
  int id_;
  ControlKind kind_;
  HWND window_;
  const CodePage& code_page_;
};

// Push buttons, statics, group boxes and icons: the window's own text.
class Win32PlainControl : public Win32ControlBase<Control> {
 public:
  using Win32ControlBase::Win32ControlBase;
  void SetText(const std::string& text) override;
  std::string GetText() const override;
};

// A single-line edit. Every change of its text notifies the dialog (NOTIFY_EDIT_CHANGE) with
// the caret already past a typed character, so the dialog's filter sees what was typed.
// Positions are byte offsets into the code-page text, whatever the edit counts them in.
class Win32Edit : public Win32ControlBase<EditControl> {
 public:
  Win32Edit(const ControlTemplate& control, HWND window, CDialog& dialog, const CodePage& code_page)
      : Win32ControlBase(control, window, code_page), dialog_(dialog) {}
  void SetText(const std::string& text) override;
  std::string GetText() const override;
  std::pair<int, int> GetSel() const override;
  void SetSel(int start, int end) override;
  void ScrollCaret() override { SendMessageW(window_, EM_SCROLLCARET, 0, 0); }
  // The edit reported EN_CHANGE.
  void OnChanged();

 private:
  int ByteOffset(int position) const;
  int Position(int byte_offset) const;

  CDialog& dialog_;
  bool setting_text_ = false;  // SetText notifies once, with the caret at 0
};

// A progress bar from 0 to 100 percent.
class Win32Progress : public Win32ControlBase<ProgressControl> {
 public:
  Win32Progress(const ControlTemplate& control, HWND window, const CodePage& code_page);
  void SetText(const std::string&) override {}
  std::string GetText() const override { return ""; }
  void SetPos(int percent) override;
  int GetPos() const override;
};

// A drop-down list. Only the user's choice (CBN_SELCHANGE) notifies the dialog.
class Win32Combo : public Win32ControlBase<ComboControl> {
 public:
  using Win32ControlBase::Win32ControlBase;
  void SetText(const std::string&) override {}  // a drop-down list has no text of its own
  std::string GetText() const override { return GetLBText(GetCurSel()); }
  int AddString(const std::string& text) override;
  int GetCount() const override;
  std::string GetLBText(int index) const override;
  int FindStringExact(const std::string& text) const override;
  void SetCurSel(int index) override;
  int GetCurSel() const override;
};

}  // namespace setup
