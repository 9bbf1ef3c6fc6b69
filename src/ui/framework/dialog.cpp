#include "ui/framework/dialog.h"

namespace setup {

CDialog::CDialog(WindowSystem& window_system, DialogTemplate dialog_template)
    : m_windowSystem(window_system), m_template(std::move(dialog_template)) {}

CDialog::~CDialog() {
  if (m_pWindow != nullptr) m_windowSystem.DestroyWindow(*this);
}

int CDialog::DoModal() {
  m_bEnded = false;
  m_nResult = 0;
  m_nEndedBy = 0;
  return m_windowSystem.RunModal(*this);
}

bool CDialog::Create() {
  m_bEnded = false;
  return m_windowSystem.CreateModeless(*this);
}

void CDialog::DestroyWindow() {
  if (m_pWindow != nullptr) m_windowSystem.DestroyWindow(*this);
}

void CDialog::EndDialog(int result) {
  m_bEnded = true;
  m_nResult = result;
  if (m_nUserCommand != 0) m_nEndedBy = m_nUserCommand;
  m_windowSystem.EndModal(*this, result);
}

bool CDialog::OnInitDialog() { return true; }
void CDialog::OnOK() { EndDialog(ID_OK); }
void CDialog::OnCancel() { EndDialog(ID_CANCEL); }
void CDialog::PostNcDestroy() {}
void CDialog::OnPaint(Canvas&) {}

intptr_t CDialog::WindowProc(uint32_t message, uintptr_t wparam, intptr_t lparam) {
  if (message == MSG_COMMAND) {
    OnCommand(LowWord(wparam), HighWord(wparam));
    return 0;
  }
  auto it = m_messages.find(message);
  if (it == m_messages.end()) return 0;
  // A copy: the handler may end the dialog and the dialog may register no more handlers,
  // but the map must not be walked while the handler runs.
  MessageHandler handler = it->second;
  return handler(wparam, lparam);
}

void CDialog::UserCommand(int id, int code) {
  int outer = m_nUserCommand;
  m_nUserCommand = id;
  OnCommand(id, code);
  m_nUserCommand = outer;
}

void CDialog::OnCommand(int id, int code) {
  auto it = m_commands.find({id, code});
  if (it != m_commands.end()) {
    CommandHandler handler = it->second;
    handler();
    return;
  }
  if (code != NOTIFY_CLICKED) return;
  if (id == ID_OK) OnOK();
  if (id == ID_CANCEL) OnCancel();
}

intptr_t CDialog::OnNotify(int id, const TreeNotify& notify) {
  auto it = m_notifies.find({id, notify.code});
  if (it == m_notifies.end()) return 0;
  NotifyHandler handler = it->second;
  return handler(notify);
}

void CDialog::AttachWindow(DialogWindow* window) {
  m_pWindow = window;
  m_hWnd = window ? window->handle() : 0;
}

void CDialog::DetachWindow() {
  m_pWindow = nullptr;
  m_hWnd = 0;
}

WindowHandle CDialog::GetSafeHwnd() const { return m_hWnd; }

std::string CDialog::AnswerName() const {
  if (m_nEndedBy != 0) {
    const ControlTemplate* button = m_template.Find(m_nEndedBy);
    if (button != nullptr && !button->answer.empty()) return button->answer;
  }
  if (m_nResult == ID_OK) return "OK";
  if (m_nResult == ID_CANCEL) return "Cancel";
  return std::to_string(m_nResult);
}

void CDialog::SetCaptionText(const std::string& text) {
  if (m_pWindow) m_pWindow->SetCaption(text);
}

std::string CDialog::GetCaptionText() const { return m_pWindow ? m_pWindow->GetCaption() : ""; }

Control* CDialog::GetDlgItem(int id) const {
  return m_pWindow ? m_pWindow->GetControl(id) : nullptr;
}

void CDialog::SetControlText(int id, const std::string& text) {
  if (Control* control = GetDlgItem(id)) control->SetText(text);
}

std::string CDialog::GetControlText(int id) const {
  Control* control = GetDlgItem(id);
  return control ? control->GetText() : "";
}

void CDialog::ShowDlgItem(int id, bool visible) {
  if (Control* control = GetDlgItem(id)) control->Show(visible);
}

void CDialog::EnableDlgItem(int id, bool enabled) {
  if (Control* control = GetDlgItem(id)) control->Enable(enabled);
}

void CDialog::GotoDlgCtrl(int id) {
  if (m_pWindow) m_pWindow->SetFocus(id);
}

void CDialog::CenterWindow() {
  if (m_pWindow) m_pWindow->CenterWindow();
}

EditControl* CDialog::GetEdit(int id) const { return dynamic_cast<EditControl*>(GetDlgItem(id)); }
ComboControl* CDialog::GetCombo(int id) const {
  return dynamic_cast<ComboControl*>(GetDlgItem(id));
}
ListControl* CDialog::GetList(int id) const { return dynamic_cast<ListControl*>(GetDlgItem(id)); }
TreeControl* CDialog::GetTree(int id) const { return dynamic_cast<TreeControl*>(GetDlgItem(id)); }

void CDialog::Post(uint32_t message, uintptr_t wparam, intptr_t lparam) {
  WindowHandle handle = GetSafeHwnd();
  if (handle != 0) m_windowSystem.Post(handle, message, wparam, lparam);
}

intptr_t CDialog::Send(uint32_t message, uintptr_t wparam, intptr_t lparam) {
  return WindowProc(message, wparam, lparam);
}

MessageBoxResult CDialog::ShowMessage(const std::string& text, const std::string& caption,
                                      MessageBoxIcon icon, MessageBoxButtons buttons) {
  return m_windowSystem.MessageBoxes().ShowMessageBox(
      MessageBoxRequest{caption, text, icon, buttons});
}

void CDialog::OnCommandId(int id, int code, CommandHandler handler) {
  m_commands[{id, code}] = std::move(handler);
}

void CDialog::OnMessageId(uint32_t message, MessageHandler handler) {
  m_messages[message] = std::move(handler);
}

void CDialog::OnNotifyId(int id, int code, NotifyHandler handler) {
  m_notifies[{id, code}] = std::move(handler);
}

}  // namespace setup
