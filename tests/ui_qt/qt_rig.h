#pragma once

#include <QApplication>
#include <QWidget>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "config/setup_config.h"
#include "platform/code_page.h"
#include "ui/backends/qt/qt_window_system.h"
#include "ui/framework/transcript_writer.h"

namespace setup::testing {

// The process's QApplication (offscreen in tests).
QApplication& App();

// A Qt window system with an in-memory transcript. A test says what to do when a dialog of a
// class is shown; the action runs once the dialog's modal loop is running, as a user's would.
struct QtRig {
  QtRig();
  void When(const std::string& kind, std::function<void(CDialog&)> action) {
    actions[kind] = std::move(action);
  }
  // The realized Qt widget of a control.
  template <class W>
  W* Widget(CDialog& dialog, int id) {
    for (auto* widget : ws.WindowOf(dialog)->widget()->findChildren<W*>()) {
      if (widget->property("controlId").toInt() == id) return widget;
    }
    return nullptr;
  }
  QWidget* Window(CDialog& dialog) { return ws.WindowOf(dialog)->widget(); }
  // A click on the real push button.
  void Click(CDialog& dialog, int id);
  // A key pressed and released on `widget`; `text` is what it types.
  static void Key(QWidget* widget, int key, const QString& text = {});
  // Types each character of `text` into `widget`.
  static void Type(QWidget* widget, const QString& text);
  // Left button pressed and released at `at` (widget coordinates).
  static void MouseClick(QWidget* widget, QPoint at);

  CodePage code_page;
  std::ostringstream transcript;
  TranscriptWriter writer{code_page, &transcript, nullptr};
  QtWindowSystem ws{code_page, &writer};
  std::map<std::string, std::function<void(CDialog&)>> actions;
  // The usual texts, for the dialogs a test shows.
  SetupConfig config;
};

}  // namespace setup::testing
