#pragma once

namespace setup {

// Exit statuses of the program.
inline constexpr int EXIT_FINISHED = 0;
inline constexpr int EXIT_FAILED = 1;
inline constexpr int EXIT_STARTUP = 2;
inline constexpr int EXIT_ALREADY_RUNNING = 3;
// Finished, but some files were not copied (each named on standard error and in the
// transcript).
inline constexpr int EXIT_FILES_NOT_COPIED = 4;
// The same status for --uninstall: some files were kept or could not be removed.
inline constexpr int EXIT_FILES_KEPT = EXIT_FILES_NOT_COPIED;
inline constexpr int EXIT_NO_DISPLAY = 5;
inline constexpr int EXIT_USAGE = 64;

// The command line of `setup`: parses the arguments, builds the process-wide objects and
// runs the mode asked for; returns the exit status.
int RunFrontEnd(int argc, char** argv);

}  // namespace setup
