#include <objbase.h>
#include <objidl.h>
#include <shlguid.h>
#include <shobjidl.h>
#include <windows.h>

#include "platform/long_path_win32.h"
#include "platform/status_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/win32_services.h"

namespace setup {

namespace {

// COM for the calling thread, for as long as the object lives (the worker thread that
// makes a section's shortcut may not have it yet).
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

Status ComError(const std::string& path, HRESULT result) {
  return Win32Error(path, HRESULT_FACILITY(result) == FACILITY_WIN32
                              ? static_cast<unsigned long>(HRESULT_CODE(result))
                              : static_cast<unsigned long>(ERROR_GEN_FAILURE));
}

}  // namespace

Status Win32ShellLinkMaker::CreateLink(const std::string& target, const std::string& link_file,
                                       const std::string& description) {
  auto host_target = fs_.SpeltHostPathW(target);
  if (!host_target.ok()) return host_target.status();
  auto host_link = fs_.HostPathW(link_file);
  if (!host_link.ok()) return host_link.status();

  ComScope com;
  IShellLinkW* link = nullptr;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&link));
  if (FAILED(result)) return ComError(link_file, result);
  // The shell stores and shows paths without the long-path prefix.
  const std::wstring& plain_target = *host_target;
  const size_t slash = plain_target.rfind(L'\\');
  result = link->SetPath(plain_target.c_str());
  if (SUCCEEDED(result) && slash != std::wstring::npos) {
    result = link->SetWorkingDirectory(plain_target.substr(0, slash).c_str());
  }
  if (SUCCEEDED(result)) {
    const std::wstring wide_description =
        WidenText(description, static_cast<unsigned>(code_page_.number()));
    result = link->SetDescription(wide_description.c_str());
  }
  IPersistFile* file = nullptr;
  if (SUCCEEDED(result)) {
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  }
  if (SUCCEEDED(result)) {
    result = file->Save(WithoutLongPathPrefix(*host_link).c_str(), TRUE);
    file->Release();
  }
  link->Release();
  return SUCCEEDED(result) ? Status::Ok() : ComError(link_file, result);
}

}  // namespace setup
