#include "ui/framework/message_box_dlg.h"

#include <algorithm>

#include "ui/framework/canvas.h"

namespace setup {

namespace {

constexpr int BUTTON_WIDTH = 50;
constexpr int BUTTON_GAP = 6;
constexpr int TEXT_LEFT_WITH_ICON = 41;
constexpr int TEXT_LEFT = 10;
constexpr int TEXT_WIDTH = 180;
constexpr int CHARS_PER_LINE = 40;

int IconOf(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::Warning:
      return ICON_WARNING;
    case MessageBoxIcon::Error:
      return ICON_ERROR;
    case MessageBoxIcon::Information:
      return ICON_INFORMATION;
    case MessageBoxIcon::Question:
      return ICON_QUESTION;
    case MessageBoxIcon::None:
      break;
  }
  return 0;
}

// Lines the text takes in TEXT_WIDTH dialog units, roughly: the layout only needs room.
int LineCount(const std::string& text) {
  int lines = 1;
  int column = 0;
  for (char c : text) {
    if (c == '\n' || ++column > CHARS_PER_LINE) {
      ++lines;
      column = 0;
    }
  }
  return std::min(lines, 40);
}

}  // namespace

int MessageBoxButtonId(MessageBoxResult result) {
  switch (result) {
    case MessageBoxResult::Ok:
      return 1;
    case MessageBoxResult::Cancel:
      return 2;
    case MessageBoxResult::Retry:
      return 4;
    case MessageBoxResult::Yes:
      return 6;
    case MessageBoxResult::No:
      return 7;
  }
  return 1;
}

DialogTemplate MessageBoxTemplate(const MessageBoxRequest& request) {
  DialogTemplate t;
  t.caption = request.caption;
  t.centered = true;
  int icon = IconOf(request.icon);
  int text_left = icon != 0 ? TEXT_LEFT_WITH_ICON : TEXT_LEFT;
  int text_height = LineCount(request.text) * 8;
  int width = text_left + TEXT_WIDTH + 10;
  int buttons_top = 10 + std::max(text_height, icon != 0 ? 20 : 0) + 10;
  t.size = Size{width, buttons_top + 14 + 7};
  if (icon != 0) {
    ControlTemplate control = Ctl(-1, ControlKind::Icon, "", 10, 10, 18, 20);
    control.icon = icon;
    t.controls.push_back(control);
  }
  t.controls.push_back(
      Ctl(0xFFFF, ControlKind::Static, request.text, text_left, 10, TEXT_WIDTH, text_height));
  auto buttons = ButtonsOf(request.buttons);
  int row = static_cast<int>(buttons.size()) * (BUTTON_WIDTH + BUTTON_GAP) - BUTTON_GAP;
  int x = (width - row) / 2;
  for (size_t i = 0; i < buttons.size(); ++i) {
    t.controls.push_back(Ctl(MessageBoxButtonId(buttons[i]),
                             i == 0 ? ControlKind::DefPushButton : ControlKind::PushButton,
                             ButtonName(buttons[i]), x, buttons_top, BUTTON_WIDTH, 14,
                             ButtonName(buttons[i])));
    x += BUTTON_WIDTH + BUTTON_GAP;
  }
  return t;
}

CMessageBoxDlg::CMessageBoxDlg(WindowSystem& window_system, const MessageBoxRequest& request)
    : CDialog(window_system, MessageBoxTemplate(request)), m_request(request) {
  for (MessageBoxResult button : ButtonsOf(request.buttons)) {
    int id = MessageBoxButtonId(button);
    if (id != ID_OK && id != ID_CANCEL)
      OnCommandId(id, NOTIFY_CLICKED, [this, id] { EndDialog(id); });
  }
}

void CMessageBoxDlg::OnCancel() {
  auto buttons = ButtonsOf(m_request.buttons);
  if (std::find(buttons.begin(), buttons.end(), MessageBoxResult::Cancel) != buttons.end()) {
    EndDialog(ID_CANCEL);
  } else if (buttons.size() == 1) {
    EndDialog(ID_OK);
  }
}

MessageBoxResult CMessageBoxDlg::Answer() const {
  for (MessageBoxResult button : ButtonsOf(m_request.buttons)) {
    if (MessageBoxButtonId(button) == result()) return button;
  }
  return ButtonsOf(m_request.buttons).front();
}

}  // namespace setup
