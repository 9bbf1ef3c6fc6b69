#pragma once

#include <QDialog>
#include <QFont>
#include <memory>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "ui/framework/dialog.h"
#include "ui/framework/window_system.h"

namespace setup {

// The QDialog a template is realized as: Enter presses the focused or default button, Esc
// and the window manager's close request send ID_CANCEL to the dialog, which decides. Its
// background is painted by the dialog's paint routine, when the dialog has one.
class QtDialogWidget : public QDialog {
  Q_OBJECT
 public:
  QtDialogWidget(CDialog& dialog, const CodePage& code_page);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  CDialog& dialog_;
  const CodePage& code_page_;
};

// A dialog template realized with Qt widgets, placed in pixels converted from dialog units
// with the dialog font's metrics. Texts are converted from the code page for display.
class QtDialogWindow : public DialogWindow {
 public:
  QtDialogWindow(CDialog& dialog, WindowHandle handle, const CodePage& code_page, int glyph_width);
  ~QtDialogWindow() override;

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
  DialogBaseUnits BaseUnits() const override { return base_; }

  QtDialogWidget* widget() const { return widget_.get(); }
  CDialog& dialog() const { return dialog_; }
  // The widget of the control `id`, or nullptr.
  QWidget* WidgetOf(int id) const;
  // Names each control without a text of its own after the label that introduces it (the
  // nearest static to its left or above), as screen readers expect; call once the dialog
  // has put its texts in.
  void NameUnlabelledControls();
  // The dialog font's base units: average width of the letters and the font height.
  static DialogBaseUnits MeasureBaseUnits(const QFont& font);
  static QFont TemplateFont(const DialogTemplate& dialog_template);

 private:
  Control* Add(const ControlTemplate& control, Rect pixels);

  CDialog& dialog_;
  WindowHandle handle_;
  const CodePage& code_page_;
  int glyph_width_;
  DialogBaseUnits base_;
  std::unique_ptr<QtDialogWidget> widget_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<QWidget*> widgets_;  // the widget of each control, in the same order
};

}  // namespace setup
