#include "platform/registry_overlay.h"

namespace setup {
namespace {

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool IsAtOrBelow(const std::string& key, const std::string& ancestor) {
  return key.compare(0, ancestor.size(), ancestor) == 0 &&
         (key.size() == ancestor.size() || key[ancestor.size()] == '\\');
}

}  // namespace

bool RegistryOverlay::HiddenInBase(const std::string& upper_key) const {
  for (const std::string& gone : deleted_) {
    if (IsAtOrBelow(upper_key, gone)) return true;
  }
  return false;
}

bool RegistryOverlay::KeyExists(const std::string& key) const {
  const std::string upper = UpperAscii(key);
  if (keys_.count(upper) != 0) return true;
  // A key below it makes it a parent.
  const std::string prefix = upper + "\\";
  auto below = keys_.lower_bound(prefix);
  if (below != keys_.end() && below->first.compare(0, prefix.size(), prefix) == 0) return true;
  return base_ != nullptr && !HiddenInBase(upper) && base_->KeyExists(key);
}

std::optional<std::string> RegistryOverlay::QueryValue(const std::string& key,
                                                       const std::string& name) const {
  const std::string upper = UpperAscii(key);
  auto found = keys_.find(upper);
  if (found != keys_.end()) {
    auto value = found->second.values.find(UpperAscii(name));
    if (value != found->second.values.end()) return value->second;
  }
  if (base_ == nullptr || HiddenInBase(upper)) return std::nullopt;
  return base_->QueryValue(key, name);
}

Status RegistryOverlay::CreateKey(const std::string& key) {
  keys_.try_emplace(UpperAscii(key), Key{key, {}});
  return Status::Ok();
}

Status RegistryOverlay::SetValue(const std::string& key, const std::string& name,
                                 const std::string& data) {
  keys_.try_emplace(UpperAscii(key), Key{key, {}}).first->second.values[UpperAscii(name)] = data;
  return Status::Ok();
}

std::vector<std::string> RegistryOverlay::SubKeyNames(const std::string& key) const {
  const std::string upper = UpperAscii(key);
  std::vector<std::string> names;
  std::set<std::string> seen;
  auto add = [&](const std::string& name) {
    if (seen.insert(UpperAscii(name)).second) names.push_back(name);
  };
  if (base_ != nullptr) {
    for (const std::string& name : base_->SubKeyNames(key)) {
      if (!HiddenInBase(upper + "\\" + UpperAscii(name))) add(name);
    }
  }
  const std::string prefix = upper + "\\";
  for (auto it = keys_.lower_bound(prefix);
       it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    const std::string rest = it->second.spelling.substr(prefix.size());
    add(rest.substr(0, rest.find('\\')));
  }
  return names;
}

Status RegistryOverlay::DeleteKey(const std::string& key) {
  const std::string upper = UpperAscii(key);
  for (auto it = keys_.lower_bound(upper); it != keys_.end() && IsAtOrBelow(it->first, upper);) {
    it = keys_.erase(it);
  }
  deleted_.insert(upper);
  return Status::Ok();
}

}  // namespace setup
