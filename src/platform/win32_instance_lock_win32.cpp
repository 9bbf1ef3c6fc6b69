#include <windows.h>

#include "platform/status_win32.h"
#include "platform/win32_services.h"

namespace setup {

namespace {

constexpr wchar_t MUTEX_NAME[] = L"Local\\SetupInstanceMutex";

}  // namespace

Win32InstanceLock::~Win32InstanceLock() {
  if (mutex_ != nullptr) CloseHandle(mutex_);
}

// The mutex's name is the same for every copy in the user's session, wherever the program
// file lies; the system removes it when the last copy holding it ends.
Result<bool> Win32InstanceLock::TryAcquire() {
  if (mutex_ != nullptr) return true;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, MUTEX_NAME);
  if (mutex == nullptr) return LastWin32Error("setup instance mutex");
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  mutex_ = mutex;
  return true;
}

}  // namespace setup
