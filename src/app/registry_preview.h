#pragma once

#include <memory>
#include <optional>

#include "platform/host.h"
#include "platform/registry_file.h"
#include "platform/registry_overlay.h"

namespace setup {

// The host's registry as a run that writes nothing sees it: the store read from the
// profile's registry file, a new store seeded with the user's folders as the host would seed
// it, and every change kept in memory. Null when the file cannot be opened, as
// Host::registry() is.
class RegistryPreview {
 public:
  explicit RegistryPreview(Host& host);
  Registry* registry() { return m_overlay ? &*m_overlay : nullptr; }

 private:
  std::optional<RegistryFile> m_file;
  std::optional<RegistryOverlay> m_overlay;
};

}  // namespace setup
