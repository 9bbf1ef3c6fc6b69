#pragma once

#include <ostream>

#include "app/command_line.h"
#include "platform/host.h"

namespace setup {

// `setup --plan`: the whole installation as the given answers (--answers FILE) or the
// defaults would run it, printed to `out` one item a line, with nothing written anywhere (no
// file, no folder, no registry store, no lock file):
//   section N: PRODUCT -> DESTINATION      a chosen section, "skip section N: ..." otherwise
//   folder DESTINATION                     a folder the copy makes
//   file SOURCE -> DESTINATION (N bytes)   a file it copies (names after the underscore rule)
//   replace DESTINATION                    a file there already: the copy asks first
//   shortcut LINK -> TARGET                the section's shortcut
//   uninstaller SOURCE -> DESTINATION      the uninstall program's copy
//   registry KEY: NAME = DATA              each value of the section's uninstall entry
//   script section N: FILE                 a section's script, then each of its lines:
//   script line: COMMAND ARGUMENTS         with its macros expanded
// The decisions are the install's own: the Options dialog answered as an unattended run
// answers it, the start-up messages (on `console`) and answers-file mistakes as the install
// has them. Returns 0, 1 when the installation would end with the setup-failed dialog (Exit
// in the Options dialog, a section's source folder missing), 2 or 64 as the install would.
int RunPlanMode(Host& host, const CommandLine& line, std::ostream& out, std::ostream& console);

}  // namespace setup
