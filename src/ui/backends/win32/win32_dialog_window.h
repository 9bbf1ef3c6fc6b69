#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "ui/framework/dialog.h"
#include "ui/framework/window_system.h"

namespace setup {

// A dialog template realized by the dialog manager (CreateDialogIndirectParamW), hidden
// until the window system shows it. Its controls are the template's child windows, in
// template order. Buttons, Enter (the focused or default button) and Esc (ID_CANCEL) reach
// the dialog as the user's commands; the window manager's close request is ignored, as the
// dialogs have no close box. Its client area is painted by the dialog's paint routine.
class Win32DialogWindow : public DialogWindow {
 public:
  // `owner` (may be null) is disabled by the window system while this dialog runs modal.
  Win32DialogWindow(CDialog& dialog, WindowHandle handle, HWND owner, const CodePage& code_page,
                    int glyph_width);
  ~Win32DialogWindow() override;
  Win32DialogWindow(const Win32DialogWindow&) = delete;
  Win32DialogWindow& operator=(const Win32DialogWindow&) = delete;

  // False when the dialog manager could not build the window.
  bool created() const { return hwnd_ != nullptr; }

  WindowHandle handle() const override { return handle_; }
  void SetCaption(const std::string& text) override;
  std::string GetCaption() const override;
  Control* GetControl(int id) override;
  std::vector<Control*> Controls() override;
  Control* CreateControl(const ControlTemplate& control) override;
  void SetFocus(int id) override;
  int GetFocus() const override;
  void CenterWindow() override;
  Rect GetClientRect() const override;
  void SetNormalRect(const Rect& rect) override;
  bool IsMinimized() const override;
  void SetIcon(int icon) override;
  void Invalidate() override;
  DialogBaseUnits BaseUnits() const override;

  HWND hwnd() const { return hwnd_; }
  CDialog& dialog() const { return dialog_; }
  // The child window of the control `id`, or nullptr.
  HWND WindowOf(int id) const;

 private:
  struct Realized {
    std::unique_ptr<Control> control;
    HWND window;
  };
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void OnCommand(int id, int code, HWND sender);
  Control* Wrap(const ControlTemplate& control, HWND window);
  const Realized* Find(HWND window) const;
  // The static that introduces a control at `control` (pixels): the nearest one ending left
  // of it on its line or above it; nullptr when none does.
  HWND LabelOf(const Rect& control) const;

  CDialog& dialog_;
  WindowHandle handle_;
  const CodePage& code_page_;
  int glyph_width_;
  HWND hwnd_ = nullptr;
  bool destroying_ = false;
  std::vector<Realized> controls_;
  std::vector<HICON> icons_;  // the icon controls' and the caption's, freed with the window
};

}  // namespace setup
