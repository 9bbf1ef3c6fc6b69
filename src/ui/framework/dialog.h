#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "ui/framework/dialog_template.h"
#include "ui/framework/message_box.h"
#include "ui/framework/window_messages.h"
#include "ui/framework/window_system.h"

namespace setup {

// The base of every dialog: a template, the window system that realizes it, and the
// handlers the dialog class registers by control id and message (its message map).
//
// Running a dialog: the install sequence calls DoModal() on the UI thread and gets the
// result of EndDialog; the install worker may call DoModal() too, and the call is carried to
// the UI thread and blocks the worker until the user has answered. Modeless dialogs
// (backdrop, updating) use Create() and DestroyWindow(). Control access is valid between
// OnInitDialog and the end of the dialog, on the UI thread.
class CDialog {
 public:
  CDialog(WindowSystem& window_system, DialogTemplate dialog_template);
  virtual ~CDialog();
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // The class name: the transcript's "kind".
  virtual const char* ClassName() const = 0;

  int DoModal();
  bool Create();
  void DestroyWindow();
  // Ends a modal run with `result` once the current handler returns.
  void EndDialog(int result);

  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  // Called when the window has gone (after DestroyWindow or the end of a modal run).
  virtual void PostNcDestroy();
  // The paint routine; the base draws nothing.
  virtual void OnPaint(Canvas& canvas);

  // Entry points for backends. WindowProc dispatches MSG_COMMAND to OnCommand and other
  // messages to the registered message handlers (0 when none).
  intptr_t WindowProc(uint32_t message, uintptr_t wparam, intptr_t lparam);
  // A command from the user (button click, Enter as ID_OK, Esc as ID_CANCEL): remembered to
  // name the answer, then dispatched like any command.
  void UserCommand(int id, int code);
  void OnCommand(int id, int code);
  intptr_t OnNotify(int id, const TreeNotify& notify);
  void AttachWindow(DialogWindow* window);
  void DetachWindow();

  DialogWindow* window() const { return m_pWindow; }
  WindowHandle GetSafeHwnd() const;
  WindowSystem& window_system() const { return m_windowSystem; }
  const DialogTemplate& dialog_template() const { return m_template; }
  bool IsEnded() const { return m_bEnded; }
  int result() const { return m_nResult; }
  // How the transcript names the way the dialog ended: the template's name of the button
  // that ended it ("Yes", "Continue"), else "OK" or "Cancel" by the result.
  std::string AnswerName() const;

  // Control access by id; all are harmless no-ops (or empty) for an id the dialog lacks.
  void SetCaptionText(const std::string& text);
  std::string GetCaptionText() const;
  void SetControlText(int id, const std::string& text);
  std::string GetControlText(int id) const;
  void ShowDlgItem(int id, bool visible);
  void EnableDlgItem(int id, bool enabled);
  void GotoDlgCtrl(int id);
  void CenterWindow();
  Control* GetDlgItem(int id) const;
  EditControl* GetEdit(int id) const;
  ComboControl* GetCombo(int id) const;
  ListControl* GetList(int id) const;
  TreeControl* GetTree(int id) const;

  // Any thread (the install worker posts its end this way); delivered on the UI thread,
  // dropped once the window has gone.
  void Post(uint32_t message, uintptr_t wparam = 0, intptr_t lparam = 0);
  // Same thread, at once.
  intptr_t Send(uint32_t message, uintptr_t wparam = 0, intptr_t lparam = 0);
  // The application's message box: caption "Setup", warning icon, OK unless told otherwise.
  MessageBoxResult ShowMessage(const std::string& text, const std::string& caption = APP_CAPTION,
                               MessageBoxIcon icon = MessageBoxIcon::Warning,
                               MessageBoxButtons buttons = MessageBoxButtons::Ok);

 protected:
  using CommandHandler = std::function<void()>;
  using MessageHandler = std::function<intptr_t(uintptr_t, intptr_t)>;
  using NotifyHandler = std::function<intptr_t(const TreeNotify&)>;
  // Message map entries.
  void OnCommandId(int id, int code, CommandHandler handler);
  void OnMessageId(uint32_t message, MessageHandler handler);
  void OnNotifyId(int id, int code, NotifyHandler handler);

 private:
  WindowSystem& m_windowSystem;
  DialogTemplate m_template;
  DialogWindow* m_pWindow = nullptr;
  std::atomic<WindowHandle> m_hWnd{0};  // read by other threads to post messages
  bool m_bEnded = false;
  int m_nResult = 0;
  int m_nUserCommand = 0;  // the user's command being handled, 0 outside one
  int m_nEndedBy = 0;      // the user's command during which EndDialog was called
  std::map<std::pair<int, int>, CommandHandler> m_commands;
  std::map<uint32_t, MessageHandler> m_messages;
  std::map<std::pair<int, int>, NotifyHandler> m_notifies;
};

}  // namespace setup
