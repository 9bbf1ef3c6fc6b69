#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/registry.h"

namespace setup {

// A registry that reads through to `base` and keeps every change in memory, so a run that
// must write nothing (a preview) can still do what would be written and read it back. The
// base is never changed; it may be null (nothing beneath). Names are matched without regard
// to the case of ASCII letters, as every registry here does.
class RegistryOverlay : public Registry {
 public:
  explicit RegistryOverlay(const Registry* base) : base_(base) {}

  bool KeyExists(const std::string& key) const override;
  std::optional<std::string> QueryValue(const std::string& key,
                                        const std::string& name) const override;
  Status CreateKey(const std::string& key) override;
  Status SetValue(const std::string& key, const std::string& name,
                  const std::string& data) override;

 private:
  const Registry* base_;
  // Upper-cased key -> upper-cased value name -> data.
  std::map<std::string, std::map<std::string, std::string>> keys_;
};

}  // namespace setup
