#pragma once

#include <vector>

#include "config/config_finding.h"
#include "platform/file_system.h"
#include "ui/framework/message_box.h"

namespace setup {

// The start-up test for ".\SETUP.INI" and then ".\SETUP.TXT": shows the message for the
// first one missing and returns true, or returns false when both are there.
bool MissingStartupFile(FileSystem& fs, MessageBoxService& messages);

// Shows each finding of loading the configuration as its warning box, in order.
void ShowConfigFindings(const std::vector<ConfigFinding>& findings, MessageBoxService& messages);

}  // namespace setup
