#include <windows.h>

#include "platform/win32_services.h"

namespace setup {

bool CanOpenServiceManager() {
  SC_HANDLE manager =
      OpenSCManagerW(nullptr, nullptr, GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE);
  if (manager == nullptr) return false;
  CloseServiceHandle(manager);
  return true;
}

}  // namespace setup
