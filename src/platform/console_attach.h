#pragma once

namespace setup {

// Makes standard output and error reach the console the program was started from, where
// the system gives a windowed program none (Windows); elsewhere it does nothing. Output
// already sent to a file or a pipe stays there.
void AttachToParentConsole();

}  // namespace setup
