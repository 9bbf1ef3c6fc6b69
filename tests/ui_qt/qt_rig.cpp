#include "qt_rig.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "ui_fixture.h"

namespace setup::testing {

QApplication& App() {
  static int argc = 1;
  static char name[] = "ui_qt_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own exit-time clean-up of input devices must not run after it.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

QtRig::QtRig() {
  App();
  FillTexts(config);
  ws.SetShownHook([this](CDialog& shown) {
    auto it = actions.find(shown.ClassName());
    if (it == actions.end()) return;
    std::function<void(CDialog&)> action = it->second;
    QTimer::singleShot(0, [action, &shown] { action(shown); });
  });
}

void QtRig::Click(CDialog& dialog, int id) {
  if (auto* button = Widget<QPushButton>(dialog, id)) button->click();
}

void QtRig::Key(QWidget* widget, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &release);
}

void QtRig::Type(QWidget* widget, const QString& text) {
  for (QChar c : text) Key(widget, c.toUpper().unicode(), QString(c));
}

void QtRig::MouseClick(QWidget* widget, QPoint at) {
  QPointF local(at);
  QPointF global(widget->mapToGlobal(at));
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

}  // namespace setup::testing

// Read by the leak checker of sanitized builds: fontconfig frees its pattern caches only in
// FcFini, which Qt never calls.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
