#pragma once

#include "ui/framework/dialog_template.h"

namespace setup {

// The program's dialog resources, control by control as the resource tables give them.
DialogTemplate WelcomeTemplate();         // 101
DialogTemplate BackdropTemplate();        // 102
DialogTemplate ConfirmReplaceTemplate();  // 103
DialogTemplate FinishedTemplate();        // 104
DialogTemplate NoRoomTemplate();          // 106
DialogTemplate ExitTemplate();            // 108
DialogTemplate SetupFailedTemplate();     // 111
DialogTemplate InstallingTemplate();      // 112
DialogTemplate BrowseTemplate();          // 113
DialogTemplate UpdatingTemplate();        // 115
DialogTemplate OptionsTemplate();         // 116

}  // namespace setup
