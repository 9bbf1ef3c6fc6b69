#include "platform/console_attach.h"

namespace setup {

// A POSIX program always has the standard streams its parent gave it.
void AttachToParentConsole() {}

}  // namespace setup
