#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/backends/headless/image_canvas.h"
#include "ui/framework/dialog.h"
#include "ui/framework/window_system.h"

namespace setup {

// A dialog template realized in memory: controls hold their texts and states, notifications
// go straight to the dialog, and paint routines draw into an Image.
class HeadlessWindow : public DialogWindow {
 public:
  HeadlessWindow(CDialog& dialog, WindowHandle handle, int check_glyph_width, int caption_height);
  ~HeadlessWindow() override;

  WindowHandle handle() const override { return handle_; }
  void SetCaption(const std::string& text) override { caption_ = text; }
  std::string GetCaption() const override { return caption_; }
  Control* GetControl(int id) override;
  std::vector<Control*> Controls() override;
  Control* CreateControl(const ControlTemplate& control) override;
  void SetFocus(int id) override { focus_ = id; }
  int GetFocus() const override { return focus_; }
  void CenterWindow() override { centered_ = true; }
  Rect GetClientRect() const override;
  void SetNormalRect(const Rect& rect) override { normal_rect_ = rect; }
  bool IsMinimized() const override { return minimized_; }
  void SetIcon(int icon) override { icon_ = icon; }
  void Invalidate() override { ++invalidations_; }
  DialogBaseUnits BaseUnits() const override { return DialogBaseUnits{}; }

  CDialog& dialog() { return dialog_; }
  bool centered() const { return centered_; }
  int icon() const { return icon_; }
  Rect normal_rect() const { return normal_rect_; }
  void SetMinimized(bool minimized) { minimized_ = minimized; }
  int check_glyph_width() const { return check_glyph_width_; }
  // Runs the dialog's paint routine, then draws the owner-drawn lists, into a new image of
  // the client area.
  Image Render();

 private:
  Control* Add(const ControlTemplate& control, Rect pixels);

  CDialog& dialog_;
  WindowHandle handle_;
  int check_glyph_width_;
  int caption_height_;
  std::string caption_;
  std::vector<std::unique_ptr<Control>> controls_;
  int focus_ = 0;
  bool centered_ = false;
  bool minimized_ = false;
  int icon_ = 0;
  int invalidations_ = 0;
  Size client_;
  Rect normal_rect_;
};

}  // namespace setup
