#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QWidget>
#include <algorithm>
#include <string>

#include "platform/code_page.h"
#include "ui/framework/controls.h"

namespace setup {

class CDialog;

// What every Qt control shares: one widget (owned by the dialog widget), its id and kind.
template <class Interface>
class QtControlBase : public Interface {
 public:
  QtControlBase(const ControlTemplate& control, QWidget* widget, const CodePage& code_page)
      : id_(control.id), kind_(control.kind), widget_(widget), code_page_(code_page) {}

  int id() const override { return id_; }
  ControlKind kind() const override { return kind_; }
  void Show(bool visible) override { widget_->setVisible(visible); }
  bool IsVisible() const override { return !widget_->isHidden(); }
  void Enable(bool enabled) override { widget_->setEnabled(enabled); }
  bool IsEnabled() const override { return widget_->isEnabled(); }
  Rect GetRect() const override;
  Size MeasureText(const std::string& text) const override;
  QWidget* widget() const { return widget_; }

 protected:
  int id_;
  ControlKind kind_;
  QWidget* widget_;
  const CodePage& code_page_;
};

// Push buttons, statics, group boxes and icons. Setting a text also renames the control for
// assistive technology.
class QtPlainControl : public QtControlBase<Control> {
 public:
  using QtControlBase::QtControlBase;
  void SetText(const std::string& text) override;
  std::string GetText() const override;
};

// A single-line edit. The user's typing notifies the dialog (NOTIFY_EDIT_CHANGE) with the caret
// already past the typed character, so the dialog's filter sees what was typed. Positions are
// byte offsets into the code-page text, whatever Qt counts them in.
class QtEdit : public QtControlBase<EditControl> {
 public:
  QtEdit(const ControlTemplate& control, QLineEdit* edit, CDialog& dialog,
         const CodePage& code_page);
  void SetText(const std::string& text) override;
  std::string GetText() const override;
  std::pair<int, int> GetSel() const override;
  void SetSel(int start, int end) override;
  void ScrollCaret() override {}  // QLineEdit keeps its caret in view itself

 private:
  // The byte offset of Qt's `position`, and the first Qt position at or past `byte_offset`.
  int ByteOffset(int position) const;
  int Position(int byte_offset) const;

  QLineEdit* edit_;
  CDialog& dialog_;
};

// A progress bar from 0 to 100 percent, without a text in it.
class QtProgress : public QtControlBase<ProgressControl> {
 public:
  QtProgress(const ControlTemplate& control, QProgressBar* bar, const CodePage& code_page);
  void SetText(const std::string&) override {}
  std::string GetText() const override { return ""; }
  void SetPos(int percent) override { bar_->setValue(std::clamp(percent, 0, 100)); }
  int GetPos() const override { return bar_->value(); }

 private:
  QProgressBar* bar_;
};

// A drop-down list. Only the user's choice sends NOTIFY_COMBO_SELCHANGE.
class QtCombo : public QtControlBase<ComboControl> {
 public:
  QtCombo(const ControlTemplate& control, QComboBox* combo, CDialog& dialog,
          const CodePage& code_page);
  void SetText(const std::string&) override {}  // a drop-down list has no text of its own
  std::string GetText() const override;
  int AddString(const std::string& text) override;
  int GetCount() const override { return combo_->count(); }
  std::string GetLBText(int index) const override;
  int FindStringExact(const std::string& text) const override;
  void SetCurSel(int index) override;
  int GetCurSel() const override { return combo_->currentIndex(); }

 private:
  QComboBox* combo_;
  bool sorted_;
};

}  // namespace setup
