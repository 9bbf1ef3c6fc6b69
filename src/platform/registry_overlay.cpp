#include "platform/registry_overlay.h"

namespace setup {
namespace {

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

bool RegistryOverlay::KeyExists(const std::string& key) const {
  if (base_ != nullptr && base_->KeyExists(key)) return true;
  const std::string upper = UpperAscii(key);
  if (keys_.count(upper) != 0) return true;
  // A key below it makes it a parent.
  const std::string prefix = upper + "\\";
  auto below = keys_.lower_bound(prefix);
  return below != keys_.end() && below->first.compare(0, prefix.size(), prefix) == 0;
}

std::optional<std::string> RegistryOverlay::QueryValue(const std::string& key,
                                                       const std::string& name) const {
  auto found = keys_.find(UpperAscii(key));
  if (found != keys_.end()) {
    auto value = found->second.find(UpperAscii(name));
    if (value != found->second.end()) return value->second;
  }
  return base_ != nullptr ? base_->QueryValue(key, name) : std::nullopt;
}

Status RegistryOverlay::CreateKey(const std::string& key) {
  keys_[UpperAscii(key)];
  return Status::Ok();
}

Status RegistryOverlay::SetValue(const std::string& key, const std::string& name,
                                 const std::string& data) {
  keys_[UpperAscii(key)][UpperAscii(name)] = data;
  return Status::Ok();
}

}  // namespace setup
