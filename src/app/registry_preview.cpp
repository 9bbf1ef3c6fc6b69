#include "app/registry_preview.h"

#include "platform/drive_map.h"
#include "platform/shell_folder_seed.h"

namespace setup {

RegistryPreview::RegistryPreview(Host& host) {
  const HostProfile& profile = host.profile();
  Result<RegistryFile> file = RegistryFile::Open(profile.registry_file);
  if (!file.ok()) return;
  m_file = std::move(file).value();
  m_overlay.emplace(&*m_file);
  const bool new_store = !host.ReadWholeFile(profile.registry_file).ok();
  if (!new_store) return;
  DriveMap drives;
  for (const HostProfile::DriveEntry& drive : profile.drives) {
    drives.Map(drive.letter, drive.host_root, drive.type);
  }
  SeedShellFolders(*m_overlay, drives, host.code_page());
}

}  // namespace setup
