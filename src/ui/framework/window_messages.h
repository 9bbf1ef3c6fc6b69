#pragma once

#include <cstdint>

namespace setup {

// Message numbers and notification codes the dialogs exchange, with the values of the
// window system the program was designed for, so the private messages keep their numbers.
inline constexpr uint32_t MSG_COMMAND = 0x0111;
inline constexpr uint32_t MSG_USER = 0x0400;
// Sent by the option check list to its parent; wParam = MAKEWPARAM(id, code), lParam = the
// list's window handle.
inline constexpr uint32_t WM_CHECKLIST_CLICK = MSG_USER + 5;

// Dialog results and the ids of the standard buttons.
inline constexpr int ID_OK = 1;
inline constexpr int ID_CANCEL = 2;
inline constexpr int ID_YES = 6;
// Controls without an id of their own (icons).
inline constexpr int IDC_STATIC = -1;

// Notification codes carried by MSG_COMMAND.
inline constexpr int NOTIFY_CLICKED = 0;
inline constexpr int NOTIFY_LIST_SELCHANGE = 1;
inline constexpr int NOTIFY_COMBO_SELCHANGE = 1;
inline constexpr int CLBN_CHKCHANGE = 40;
inline constexpr int NOTIFY_EDIT_CHANGE = 0x0300;

inline constexpr uintptr_t MakeWParam(int low, int high) {
  return (static_cast<uintptr_t>(static_cast<uint16_t>(high)) << 16) | static_cast<uint16_t>(low);
}
inline constexpr int LowWord(uintptr_t w) { return static_cast<int>(w & 0xFFFF); }
inline constexpr int HighWord(uintptr_t w) { return static_cast<int>((w >> 16) & 0xFFFF); }

}  // namespace setup
