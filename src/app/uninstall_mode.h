#pragma once

#include <ostream>

#include "app/command_line.h"
#include "platform/host.h"

namespace setup {

// `setup --uninstall [NAME]`. Without NAME: lists the installed entries (uninstall_entries.h)
// on `out`, one a line: the DisplayName, the folder and the size of the files recorded (or
// "no record"). With NAME: finds the entry (by key, else by DisplayName; none: EXIT_USAGE),
// asks with its UninstallText (Yes/No) as the installation asks its questions (real windows,
// the answers file's [Uninstall] Default, or the terminal), and removes what its install made
// (RemoveInstalledEntry). The files kept are named in one message box, what could not be
// removed in another that begins with the entry's UninstallProblemText; each is also named
// on `console`. Returns EXIT_FINISHED when all is removed, EXIT_FAILED when the answer was
// No, EXIT_FILES_KEPT when something was kept or not removed, EXIT_ALREADY_RUNNING beside a
// running copy, EXIT_USAGE for an unknown NAME, a registry that cannot be opened, or a
// mistake in the answers file.
int RunUninstallMode(Host& host, const CommandLine& line, std::ostream& out, std::ostream& console);

}  // namespace setup
