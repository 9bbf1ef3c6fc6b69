#include "ui/backends/qt/qt_dialog_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <cmath>

namespace setup {

namespace {

QString ToQt(const CodePage& code_page, const std::string& text) {
  return QString::fromStdString(code_page.ToUtf8(text));
}

std::string FromQt(const CodePage& code_page, const QString& text) {
  return code_page.FromUtf8(text.toStdString());
}

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

QStyle::StandardPixmap PixmapOf(int icon) {
  switch (icon) {
    case ICON_WARNING:
      return QStyle::SP_MessageBoxWarning;
    case ICON_ERROR:
      return QStyle::SP_MessageBoxCritical;
    case ICON_QUESTION:
    case ICON_REPLACE:
      return QStyle::SP_MessageBoxQuestion;
    default:
      return QStyle::SP_MessageBoxInformation;
  }
}

// Statics, group boxes, icons and push buttons: one widget each.
class QtControl : public Control {
 public:
  QtControl(const ControlTemplate& control, QWidget* widget, const CodePage& code_page)
      : id_(control.id), kind_(control.kind), widget_(widget), code_page_(code_page) {}
  int id() const override { return id_; }
  ControlKind kind() const override { return kind_; }
  void SetText(const std::string& text) override {
    QString q = ToQt(code_page_, text);
    if (auto* label = qobject_cast<QLabel*>(widget_)) label->setText(q);
    if (auto* button = qobject_cast<QPushButton*>(widget_)) button->setText(q);
    if (auto* box = qobject_cast<QGroupBox*>(widget_)) box->setTitle(q);
  }
  std::string GetText() const override {
    if (auto* label = qobject_cast<QLabel*>(widget_)) return FromQt(code_page_, label->text());
    if (auto* button = qobject_cast<QPushButton*>(widget_))
      return FromQt(code_page_, button->text());
    if (auto* box = qobject_cast<QGroupBox*>(widget_)) return FromQt(code_page_, box->title());
    return "";
  }
  void Show(bool visible) override { widget_->setVisible(visible); }
  bool IsVisible() const override { return !widget_->isHidden(); }
  void Enable(bool enabled) override { widget_->setEnabled(enabled); }
  bool IsEnabled() const override { return widget_->isEnabled(); }
  Rect GetRect() const override {
    QRect g = widget_->geometry();
    return Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
  }
  Size MeasureText(const std::string& text) const override {
    QFontMetrics metrics(widget_->font());
    return Size{metrics.horizontalAdvance(ToQt(code_page_, text)), metrics.height()};
  }
  QWidget* widget() const { return widget_; }

 protected:
  int id_;
  ControlKind kind_;
  QWidget* widget_;
  const CodePage& code_page_;
};

class QtEdit : public EditControl {
 public:
  QtEdit(const ControlTemplate& control, QLineEdit* edit, CDialog& dialog,
         const CodePage& code_page)
      : base_(control, edit, code_page), edit_(edit), dialog_(dialog), code_page_(code_page) {
    // Only the user's typing notifies here; SetText notifies itself.
    QObject::connect(edit, &QLineEdit::textEdited,
                     [&dialog, id = control.id] { dialog.OnCommand(id, EN_CHANGE); });
  }
  int id() const override { return base_.id(); }
  ControlKind kind() const override { return base_.kind(); }
  void SetText(const std::string& text) override {
    edit_->setText(ToQt(code_page_, text));
    edit_->setCursorPosition(0);
    dialog_.OnCommand(id(), EN_CHANGE);
  }
  std::string GetText() const override { return FromQt(code_page_, edit_->text()); }
  void Show(bool visible) override { base_.Show(visible); }
  bool IsVisible() const override { return base_.IsVisible(); }
  void Enable(bool enabled) override { base_.Enable(enabled); }
  bool IsEnabled() const override { return base_.IsEnabled(); }
  Rect GetRect() const override { return base_.GetRect(); }
  Size MeasureText(const std::string& text) const override { return base_.MeasureText(text); }
  std::pair<int, int> GetSel() const override {
    if (!edit_->hasSelectedText()) return {edit_->cursorPosition(), edit_->cursorPosition()};
    return {edit_->selectionStart(), edit_->selectionEnd()};
  }
  void SetSel(int start, int end) override { edit_->setSelection(start, end - start); }
  void ScrollCaret() override {}

 private:
  QtControl base_;
  QLineEdit* edit_;
  CDialog& dialog_;
  const CodePage& code_page_;
};

bool IsSupportedKind(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
    case ControlKind::Static:
    case ControlKind::GroupBox:
    case ControlKind::Icon:
    case ControlKind::Edit:
      return true;
    default:
      return false;
  }
}

}  // namespace

QtDialogWidget::QtDialogWidget(CDialog& dialog, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),  // no close box
      dialog_(dialog) {}

void QtDialogWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    dialog_.UserCommand(IDCANCEL, BN_CLICKED);
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    int id = focused ? focused->property("controlId").toInt()
                     : dialog_.dialog_template().DefaultButton();
    dialog_.UserCommand(id != 0 ? id : IDOK, BN_CLICKED);
    return;
  }
  QDialog::keyPressEvent(event);
}

void QtDialogWidget::reject() { dialog_.UserCommand(IDCANCEL, BN_CLICKED); }

void QtDialogWidget::closeEvent(QCloseEvent* event) { event->ignore(); }

QFont QtDialogWindow::TemplateFont(const DialogTemplate& dialog_template) {
  QFont font(QString::fromStdString(dialog_template.font_face), dialog_template.font_points);
  return font;
}

DialogBaseUnits QtDialogWindow::MeasureBaseUnits(const QFont& font) {
  QFontMetrics metrics(font);
  const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  int cx = static_cast<int>(std::lround(metrics.horizontalAdvance(letters) / 52.0));
  return DialogBaseUnits{std::max(1, cx), std::max(1, metrics.height())};
}

bool QtDialogWindow::Supports(const DialogTemplate& dialog_template) {
  for (const ControlTemplate& control : dialog_template.controls) {
    if (!IsSupportedKind(control.kind)) return false;
  }
  return true;
}

QtDialogWindow::QtDialogWindow(CDialog& dialog, WindowHandle handle, const CodePage& code_page)
    : dialog_(dialog), handle_(handle), code_page_(code_page) {
  const DialogTemplate& t = dialog.dialog_template();
  widget_ = std::make_unique<QtDialogWidget>(dialog, nullptr);
  QFont font = TemplateFont(t);
  widget_->setFont(font);
  base_ = MeasureBaseUnits(font);
  widget_->setWindowTitle(ToQt(code_page_, t.caption));
  Size size = DialogUnitsToPixels(t.size, base_);
  widget_->setFixedSize(size.cx, size.cy);
  for (const ControlTemplate& control : t.controls) {
    Add(control, DialogUnitsToPixels(control.rect, base_));
  }
}

QtDialogWindow::~QtDialogWindow() {
  controls_.clear();
  widget_.reset();
}

Control* QtDialogWindow::Add(const ControlTemplate& control, const Rect& pixels) {
  QWidget* made = nullptr;
  std::unique_ptr<Control> wrapper;
  QString text = ToQt(code_page_, control.text);
  switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
      auto* button = new QPushButton(text, widget_.get());
      button->setDefault(control.kind == ControlKind::DefPushButton);
      button->setAutoDefault(false);
      QObject::connect(button, &QPushButton::clicked,
                       [this, id = control.id] { dialog_.UserCommand(id, BN_CLICKED); });
      made = button;
      break;
    }
    case ControlKind::GroupBox:
      made = new QGroupBox(text, widget_.get());
      break;
    case ControlKind::Icon: {
      auto* label = new QLabel(widget_.get());
      int side = std::min(pixels.Width(), pixels.Height());
      label->setPixmap(widget_->style()->standardIcon(PixmapOf(control.icon)).pixmap(side, side));
      made = label;
      break;
    }
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(text, widget_.get());
      wrapper = std::make_unique<QtEdit>(control, edit, dialog_, code_page_);
      made = edit;
      break;
    }
    default: {
      auto* label = new QLabel(text, widget_.get());
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      made = label;
    }
  }
  made->setGeometry(ToQRect(pixels));
  made->setVisible(!control.hidden);
  made->setProperty("controlId", control.id);
  if (!wrapper) wrapper = std::make_unique<QtControl>(control, made, code_page_);
  controls_.push_back(std::move(wrapper));
  return controls_.back().get();
}

void QtDialogWindow::SetCaption(const std::string& text) {
  widget_->setWindowTitle(ToQt(code_page_, text));
}

std::string QtDialogWindow::GetCaption() const {
  return FromQt(code_page_, widget_->windowTitle());
}

Control* QtDialogWindow::GetControl(int id) {
  if (id == IDC_STATIC) return nullptr;
  for (auto& control : controls_) {
    if (control->id() == id) return control.get();
  }
  return nullptr;
}

std::vector<Control*> QtDialogWindow::Controls() {
  std::vector<Control*> all;
  for (auto& control : controls_) all.push_back(control.get());
  return all;
}

Control* QtDialogWindow::CreateControl(const ControlTemplate& control) {
  if (!IsSupportedKind(control.kind)) return nullptr;
  return Add(control, control.rect);
}

void QtDialogWindow::SetFocus(int id) {
  for (auto& control : controls_) {
    if (control->id() != id) continue;
    if (auto* q = dynamic_cast<QtControl*>(control.get())) q->widget()->setFocus();
  }
}

int QtDialogWindow::GetFocus() const {
  QWidget* focused = widget_->focusWidget();
  return focused ? focused->property("controlId").toInt() : 0;
}

void QtDialogWindow::CenterWindow() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect area = screen->availableGeometry();
  widget_->move(area.center() - widget_->rect().center());
}

Rect QtDialogWindow::GetClientRect() const {
  return Rect{0, 0, widget_->width(), widget_->height()};
}

void QtDialogWindow::SetNormalRect(const Rect& rect) { widget_->setGeometry(ToQRect(rect)); }

bool QtDialogWindow::IsMinimized() const { return widget_->isMinimized(); }

void QtDialogWindow::SetIcon(int icon) {
  widget_->setWindowIcon(widget_->style()->standardIcon(PixmapOf(icon)));
}

void QtDialogWindow::Invalidate() { widget_->update(); }

}  // namespace setup
