#pragma once

#include <string>

#include "platform/host.h"
#include "ui/framework/message_box.h"

namespace setup {

// `setup --run-script FILE [--section N]`: runs one script as the install sequence would,
// without installing anything else. Loads SETUP.INI, SETUP.TXT and the special folders as
// start-up does, makes section `section_number` (1-based) current with its DestDir
// expanded, makes the start directory current and runs the script. `script_path` (UTF-8,
// from the command line) is a host file when one exists there; otherwise it is read
// through the file system: a path relative to the start directory or a Windows path, as a
// CommandFile value would name it. Message boxes go to
// `messages`; RENAME's retry question is always answered Cancel, so a run cannot wait
// forever; its pause between attempts is the host's Sleep. Returns EXIT_FINISHED, or
// EXIT_USAGE (with a line on standard error) when the section does not exist.
int RunScriptMode(Host& host, MessageBoxService& messages, const std::string& script_path,
                  int section_number);

}  // namespace setup
