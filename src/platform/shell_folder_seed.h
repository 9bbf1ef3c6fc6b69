#pragma once

#include "platform/code_page.h"
#include "platform/drive_map.h"
#include "platform/registry.h"
#include "platform/status.h"

namespace setup {

// Fills a new registry store's Shell Folders key (SHELL_FOLDERS_KEY) from the user folders
// of the host directory mapped as drive C, expressed as Windows paths under C:
//   Desktop, Personal, My Pictures  the XDG desktop, documents and pictures folders, read
//                                   from <C>/.config/user-dirs.dirs ($HOME standing for C's
//                                   root), else <C>/Desktop, <C>/Documents, <C>/Pictures;
//   Favorites, Start Menu, Programs C:\.local\share\setup\Favorites, ...\Start Menu and
//                                   ...\Start Menu\Programs, kept out of the user's sight
//                                   because the host has no such folders of its own.
// A folder outside C's root is left out. Does nothing when C is not mapped. Call it only for
// a store whose file did not exist yet, so a user's own choices are never overwritten.
Status SeedShellFolders(Registry& store, const DriveMap& drives,
                        const CodePage& code_page = CodePage());

}  // namespace setup
