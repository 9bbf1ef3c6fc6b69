#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/code_page.h"
#include "ui/backends/win32/win32_controls.h"

namespace setup {

// A list box whose items carry a check box (0 clear, 1 set): owner-drawn, the glyph by the
// backend, CheckGlyphWidth() pixels wide, the rest by the owner's DrawItem. Mouse presses,
// double clicks and releases go to the owner's hooks, which decide what a click does; the
// space bar toggles the selected item's check box without telling the owner.
class Win32CheckList : public Win32ControlBase<ListControl> {
 public:
  Win32CheckList(const ControlTemplate& control, HWND window, int glyph_width,
                 const CodePage& code_page);
  ~Win32CheckList() override;
  Win32CheckList(const Win32CheckList&) = delete;
  Win32CheckList& operator=(const Win32CheckList&) = delete;

  void SetText(const std::string&) override {}
  std::string GetText() const override { return GetItemText(GetCurSel()); }
  void SetHooks(ListHooks* hooks) override;
  int AddString(const std::string& text) override;
  int GetCount() const override { return static_cast<int>(items_.size()); }
  std::string GetItemText(int index) const override;
  void SetCheck(int index, int state) override;
  int GetCheck(int index) const override;
  void EnableItem(int index, bool enabled) override;
  bool IsItemEnabled(int index) const override;
  int GetCurSel() const override;
  void SetCurSel(int index) override;
  int GetTopIndex() const override;
  Rect GetItemRect(int index) const override;
  Rect GetClientRect() const override;
  void InvalidateItem(int index) override;
  void DefaultLButtonDown(Point point) override;
  void FocusParent() override;

  // WM_DRAWITEM and WM_MEASUREITEM, as the dialog receives them for this list.
  void DrawItem(const DRAWITEMSTRUCT& draw);
  int ItemHeight() const;
  // Scrolls so the item is in view, as a user would before clicking it.
  void EnsureVisible(int index);
  int glyph_width() const { return glyph_width_; }

 private:
  struct Item {
    std::string text;
    int check = 0;
    bool enabled = true;
  };
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  bool Valid(int index) const { return index >= 0 && index < GetCount(); }

  ListHooks* hooks_ = nullptr;
  int glyph_width_;
  std::vector<Item> items_;
  WNDPROC list_proc_;
};

}  // namespace setup
