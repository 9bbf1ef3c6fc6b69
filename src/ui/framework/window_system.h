#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/framework/canvas.h"
#include "ui/framework/controls.h"
#include "ui/framework/dialog_template.h"
#include "ui/framework/message_box.h"

namespace setup {

class CDialog;
struct DialogSnapshot;

// Identifies a live dialog window; 0 is none. A handle is never reused, so a message posted
// to a window that has gone is dropped.
using WindowHandle = uint64_t;

// The system metrics the backdrop asks for, in pixels.
struct ScreenMetrics {
  int cx_full_screen = 1024;
  int cy_full_screen = 712;
  int cy_caption = 20;
  int cx_icon = ICON_SIZE;
  int cy_icon = ICON_SIZE;
};

// A dialog template realized by a backend. Called on the UI thread only.
class DialogWindow {
 public:
  virtual ~DialogWindow() = default;
  virtual WindowHandle handle() const = 0;
  virtual void SetCaption(const std::string& text) = 0;
  virtual std::string GetCaption() const = 0;
  // nullptr when the dialog has no control with that id.
  virtual Control* GetControl(int id) = 0;
  // Every control with an id, in creation order.
  virtual std::vector<Control*> Controls() = 0;
  // Adds a control at run time; its rectangle is in pixels (client coordinates).
  virtual Control* CreateControl(const ControlTemplate& control) = 0;
  virtual void SetFocus(int id) = 0;
  virtual int GetFocus() const = 0;
  // Centres the dialog on its owner (the screen when it has none).
  virtual void CenterWindow() = 0;
  virtual Rect GetClientRect() const = 0;
  // The restored ("normal") window rectangle, caption included.
  virtual void SetNormalRect(const Rect& rect) = 0;
  virtual bool IsMinimized() const = 0;
  virtual void SetIcon(int icon) = 0;
  // Asks for the dialog's paint routine to run.
  virtual void Invalidate() = 0;
  virtual DialogBaseUnits BaseUnits() const = 0;
};

// Told about every dialog and message box a user is shown (the transcript, the console).
class DialogObserver {
 public:
  virtual ~DialogObserver() = default;
  // A dialog has been initialised and is now shown; returns a ticket for OnDialogEnded.
  // Modeless dialogs get no OnDialogEnded.
  virtual int OnDialogShown(const DialogSnapshot& snapshot, bool modeless) = 0;
  // A modal dialog ended; `snapshot` is what it showed at that moment.
  virtual void OnDialogEnded(int ticket, const DialogSnapshot& snapshot,
                             const std::string& answer) = 0;
  virtual void OnMessageBox(const MessageBoxRequest& request, MessageBoxResult answer) = 0;
};

// The window system a backend provides: realizes dialog templates, runs modal loops, carries
// messages between threads and shows message boxes.
//
// Threads: there is one UI thread (the one that runs the install sequence). RunModal and
// message boxes called from another thread (the install worker) are marshalled to the UI
// thread and block the caller until the user has answered; they are served while the UI
// thread runs a modal loop (the progress dialog's). Post may be called from any
// thread; the message is delivered on the UI thread by the running modal loop.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Builds the dialog's window from its template, calls OnInitDialog and runs until the
  // dialog calls EndDialog; returns the dialog's result. Any thread (see above).
  virtual int RunModal(CDialog& dialog) = 0;
  // Creates the dialog modeless and calls OnInitDialog; it stays until DestroyWindow.
  // UI thread only. Returns false when the window could not be built.
  virtual bool CreateModeless(CDialog& dialog) = 0;
  virtual void DestroyWindow(CDialog& dialog) = 0;
  // Called by CDialog::EndDialog: the modal loop of `dialog` ends after the current handler.
  virtual void EndModal(CDialog& dialog, int result) = 0;
  // Any thread. Dropped when no window has the handle (any more).
  virtual void Post(WindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) = 0;
  // Runs `task` on the UI thread and waits for it; runs it at once on the UI thread.
  virtual void InvokeOnUiThread(const std::function<void()>& task) = 0;
  virtual bool IsUiThread() const = 0;

  // Every message box of the program; callable from any thread.
  virtual MessageBoxService& MessageBoxes() = 0;

  virtual ScreenMetrics Metrics() const = 0;
  // The width in pixels of one check-box glyph the check lists draw (their hit test uses it).
  virtual int CheckGlyphWidth() const = 0;
  virtual bool CanCreateFont(const Font& font) const = 0;
};

}  // namespace setup
