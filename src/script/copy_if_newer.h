#pragma once

#include <string>

#include "platform/file_system.h"
#include "ui/framework/message_box.h"

namespace setup {

// Replaces `destination` by `source` only when the destination's file version is lower than
// the source's (ReadFileVersion; files without one count as 0.0.0). Equal versions, a higher
// installed version and two unversioned files leave the destination alone. A failed copy is
// not reported, and never destroys the destination. Returns whether the destination was
// replaced.
bool CopyIfNewer(FileSystem& fs, MessageBoxService& messages, const std::string& source,
                 const std::string& destination);

}  // namespace setup
