#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

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
  std::vector<std::string> SubKeyNames(const std::string& key) const override;
  Status DeleteKey(const std::string& key) override;

 private:
  struct Key {
    std::string spelling;                       // as first written
    std::map<std::string, std::string> values;  // upper-cased value name -> data
  };

  // Whether the base's copy of the key is hidden by a deletion made here.
  bool HiddenInBase(const std::string& upper_key) const;

  const Registry* base_;
  std::map<std::string, Key> keys_;  // by upper-cased key
  std::set<std::string> deleted_;    // upper-cased keys deleted here, with all below them
};

}  // namespace setup
