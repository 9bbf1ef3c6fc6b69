#pragma once

#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/registry.h"

namespace setup {

// The system's registry. Key paths start with a root's full name (HKEY_LOCAL_MACHINE,
// HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, HKEY_USERS); names and data are converted from the
// disc's code page. A key path with another root fails with InvalidParameter.
class Win32Registry : public Registry {
 public:
  explicit Win32Registry(const CodePage& code_page) : code_page_(code_page) {}

  bool KeyExists(const std::string& key) const override;
  std::optional<std::string> QueryValue(const std::string& key,
                                        const std::string& name) const override;
  Status CreateKey(const std::string& key) override;
  Status SetValue(const std::string& key, const std::string& name,
                  const std::string& data) override;
  std::vector<std::string> SubKeyNames(const std::string& key) const override;
  // A root itself is never deleted (AccessDenied).
  Status DeleteKey(const std::string& key) override;

 private:
  const CodePage& code_page_;
};

}  // namespace setup
