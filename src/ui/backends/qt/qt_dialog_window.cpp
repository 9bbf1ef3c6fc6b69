#include "ui/backends/qt/qt_dialog_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <cmath>
#include <limits>

#include "ui/backends/qt/qt_canvas.h"
#include "ui/backends/qt/qt_check_list.h"
#include "ui/backends/qt/qt_controls.h"
#include "ui/backends/qt/qt_images.h"
#include "ui/backends/qt/qt_text.h"
#include "ui/backends/qt/qt_tree.h"

namespace setup {

namespace {

constexpr char ID_PROPERTY[] = "controlId";

// Whether `label` introduces `control`: it ends left of it on the same line, or above it
// without starting to its right. Returns the distance, or max when it does not.
int LabelDistance(const QRect& label, const QRect& control) {
  bool same_line = label.top() < control.bottom() && label.bottom() > control.top();
  if (same_line && label.right() <= control.left()) return control.left() - label.right();
  if (label.bottom() <= control.top() + 2 && label.left() <= control.left() + 4)
    return (control.top() - label.bottom()) + (control.left() - label.left());
  return std::numeric_limits<int>::max();
}

}  // namespace

QtDialogWidget::QtDialogWidget(CDialog& dialog, const CodePage& code_page)
    : QDialog(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),  // no close box
      dialog_(dialog),
      code_page_(code_page) {}

void QtDialogWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    dialog_.UserCommand(ID_CANCEL, NOTIFY_CLICKED);
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    int id = focused ? focused->property(ID_PROPERTY).toInt()
                     : dialog_.dialog_template().DefaultButton();
    dialog_.UserCommand(id != 0 ? id : ID_OK, NOTIFY_CLICKED);
    return;
  }
  QDialog::keyPressEvent(event);
}

void QtDialogWidget::reject() { dialog_.UserCommand(ID_CANCEL, NOTIFY_CLICKED); }

void QtDialogWidget::closeEvent(QCloseEvent* event) { event->ignore(); }

void QtDialogWidget::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  QtCanvas canvas(painter, Size{width(), height()}, code_page_, font());
  dialog_.OnPaint(canvas);
}

QFont QtDialogWindow::TemplateFont(const DialogTemplate& dialog_template) {
  QFont font;
  font.setFamilies(QtCanvas::Families(dialog_template.font_face));
  font.setPointSize(dialog_template.font_points);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

DialogBaseUnits QtDialogWindow::MeasureBaseUnits(const QFont& font) {
  QFontMetrics metrics(font);
  const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  int cx = static_cast<int>(std::lround(metrics.horizontalAdvance(letters) / 52.0));
  return DialogBaseUnits{std::max(1, cx), std::max(1, metrics.height())};
}

QtDialogWindow::QtDialogWindow(CDialog& dialog, WindowHandle handle, const CodePage& code_page,
                               int glyph_width)
    : dialog_(dialog), handle_(handle), code_page_(code_page), glyph_width_(glyph_width) {
  const DialogTemplate& t = dialog.dialog_template();
  widget_ = std::make_unique<QtDialogWidget>(dialog, code_page);
  QFont font = TemplateFont(t);
  widget_->setFont(font);
  base_ = MeasureBaseUnits(font);
  widget_->setWindowTitle(ToQt(code_page_, t.caption));
  widget_->setWindowIcon(QIcon(IconPixmap(ICON_APPLICATION, ICON_SIZE)));
  Size size = DialogUnitsToPixels(t.size, base_);
  widget_->setFixedSize(size.cx, size.cy);
  // Controls are created in template order, which is also their tab order.
  for (const ControlTemplate& control : t.controls) {
    Add(control, DialogUnitsToPixels(control.rect, base_));
  }
}

QtDialogWindow::~QtDialogWindow() {
  controls_.clear();
  widget_.reset();
}

Control* QtDialogWindow::Add(const ControlTemplate& control, Rect pixels) {
  QWidget* parent = widget_.get();
  QWidget* made = nullptr;
  std::unique_ptr<Control> wrapper;
  QString text = ToQt(code_page_, control.text);
  switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
      auto* button = new QPushButton(text, parent);
      button->setDefault(control.kind == ControlKind::DefPushButton);
      button->setAutoDefault(false);
      QObject::connect(button, &QPushButton::clicked,
                       [this, id = control.id] { dialog_.UserCommand(id, NOTIFY_CLICKED); });
      made = button;
      break;
    }
    case ControlKind::GroupBox:
      made = new QGroupBox(text, parent);
      break;
    case ControlKind::Icon: {
      auto* label = new QLabel(parent);
      label->setPixmap(IconPixmap(control.icon, ICON_SIZE));
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      made = label;
      // An icon control takes the size of its icon, whatever the template says.
      pixels.right = pixels.left + ICON_SIZE;
      pixels.bottom = pixels.top + ICON_SIZE;
      break;
    }
    case ControlKind::Static: {
      auto* label = new QLabel(text, parent);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setTextFormat(Qt::PlainText);
      made = label;
      break;
    }
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(text, parent);
      wrapper = std::make_unique<QtEdit>(control, edit, dialog_, code_page_);
      made = edit;
      break;
    }
    case ControlKind::ComboDropList: {
      auto* combo = new QComboBox(parent);
      wrapper = std::make_unique<QtCombo>(control, combo, dialog_, code_page_);
      made = combo;
      // Narrow lists ("[C]" in 26 units) keep their text beside a slim arrow.
      combo->setStyleSheet("QComboBox { padding: 0px 2px; } QComboBox::drop-down { width: 12px; }");
      // The template's height includes the dropped-down list; closed, it is one line high.
      pixels.bottom = pixels.top + std::min(pixels.Height(), combo->sizeHint().height());
      break;
    }
    case ControlKind::TreeView: {
      auto* tree = new QTreeWidget(parent);
      wrapper = std::make_unique<QtTree>(control, tree, dialog_, code_page_);
      made = tree;
      break;
    }
    case ControlKind::CheckList: {
      auto list = std::make_unique<QtCheckList>(control, parent, glyph_width_, code_page_);
      made = list->widget();
      wrapper = std::move(list);
      break;
    }
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar(parent);
      wrapper = std::make_unique<QtProgress>(control, bar, code_page_);
      made = bar;
      break;
    }
  }
  made->setGeometry(ToQRect(pixels));
  made->setVisible(!control.hidden);
  made->setProperty(ID_PROPERTY, control.id);
  if (!text.isEmpty()) made->setAccessibleName(WithoutMnemonics(text));
  if (!wrapper) wrapper = std::make_unique<QtPlainControl>(control, made, code_page_);
  controls_.push_back(std::move(wrapper));
  widgets_.push_back(made);
  return controls_.back().get();
}

void QtDialogWindow::NameUnlabelledControls() {
  for (QWidget* control : widgets_) {
    if (!control->accessibleName().isEmpty()) continue;
    QString name = widget_->windowTitle();
    QLabel* introduced_by = nullptr;
    int best = std::numeric_limits<int>::max();
    for (QWidget* candidate : widgets_) {
      auto* label = qobject_cast<QLabel*>(candidate);
      if (label == nullptr || label == control || label->text().isEmpty()) continue;
      int distance = LabelDistance(label->geometry(), control->geometry());
      if (distance < best) {
        best = distance;
        name = WithoutMnemonics(label->text());
        introduced_by = label;
      }
    }
    control->setAccessibleName(name);
    // The label's mnemonic, if it has one, moves the focus to the control it introduces.
    if (introduced_by && control->focusPolicy() & Qt::TabFocus) introduced_by->setBuddy(control);
  }
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
  return Add(control, control.rect);
}

void QtDialogWindow::SetFocus(int id) {
  if (id == 0) {
    widget_->setFocus();
    return;
  }
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i]->id() == id) widgets_[i]->setFocus();
  }
}

QWidget* QtDialogWindow::WidgetOf(int id) const {
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i]->id() == id) return widgets_[i];
  }
  return nullptr;
}

int QtDialogWindow::GetFocus() const {
  QWidget* focused = widget_->focusWidget();
  return focused ? focused->property(ID_PROPERTY).toInt() : 0;
}

void QtDialogWindow::CenterWindow() {
  // The owner of every centred dialog is the screen-filling backdrop, so centring on the
  // screen's work area is centring on the owner.
  QScreen* screen = widget_->screen() ? widget_->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect area = screen->availableGeometry();
  widget_->move(area.center() - widget_->rect().center());
}

Rect QtDialogWindow::GetClientRect() const {
  return Rect{0, 0, widget_->width(), widget_->height()};
}

void QtDialogWindow::SetNormalRect(const Rect& rect) {
  // The rectangle includes the caption; Qt places the client area below it.
  int caption = widget_->style()->pixelMetric(QStyle::PM_TitleBarHeight);
  widget_->setFixedSize(std::max(1, rect.Width()), std::max(1, rect.Height() - caption));
  widget_->move(rect.left, rect.top + caption);
}

bool QtDialogWindow::IsMinimized() const { return widget_->isMinimized(); }

void QtDialogWindow::SetIcon(int icon) {
  widget_->setWindowIcon(QIcon(IconPixmap(icon, ICON_SIZE)));
}

void QtDialogWindow::Invalidate() { widget_->update(); }

}  // namespace setup
