#include <windows.h>

#include <cstdio>

#include "platform/console_attach.h"

namespace setup {

namespace {

bool HasHandle(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

// A windowed program starts without a console; the one its parent runs in is borrowed, so
// that --help, --check and unattended runs print where they were typed. Streams the parent
// redirected keep their files.
void AttachToParentConsole() {
  const bool has_output = HasHandle(STD_OUTPUT_HANDLE);
  const bool has_error = HasHandle(STD_ERROR_HANDLE);
  const bool has_input = HasHandle(STD_INPUT_HANDLE);
  if (has_output && has_error && has_input) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (!has_output && freopen("CONOUT$", "w", stdout) == nullptr) return;
  if (!has_error && freopen("CONOUT$", "w", stderr) != nullptr) setvbuf(stderr, nullptr, _IONBF, 0);
  if (!has_input && freopen("CONIN$", "r", stdin) == nullptr) return;
}

}  // namespace setup
