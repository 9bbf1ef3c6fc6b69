#include "app/command_line.h"

#include <charconv>
#include <cstring>

namespace setup {

namespace {

bool ParseSection(const std::string& text, int& section) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  if (value < 1 || value > 20) return false;
  section = value;
  return true;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(int argc, const char* const* argv, std::string& error) {
  CommandLine line;
  bool mode_given = false;
  bool section_given = false;
  auto set_mode = [&](RunMode mode, const char* option) {
    if (mode_given && line.mode != mode) {
      error = std::string("option ") + option + " cannot be combined with another mode";
      return false;
    }
    mode_given = true;
    line.mode = mode;
    return true;
  };
  for (int i = 0; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](std::optional<std::string>& target) {
      if (i + 1 >= argc) {
        error = "option " + arg + " needs a value";
        return false;
      }
      target = argv[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      line.mode = RunMode::Help;
      return line;
    } else if (arg == "--version") {
      line.mode = RunMode::Version;
      return line;
    } else if (arg == "--gui") {
      line.gui = true;
    } else if (arg == "--unattended") {
      line.unattended = true;
    } else if (arg == "--quiet") {
      line.quiet = true;
    } else if (arg == "--answers") {
      if (!value(line.answers_file)) return std::nullopt;
    } else if (arg == "--transcript") {
      if (!value(line.transcript_file)) return std::nullopt;
    } else if (arg == "--profile") {
      if (!value(line.profile_file)) return std::nullopt;
    } else if (arg == "--screenshots") {
      if (!value(line.screenshots_dir)) return std::nullopt;
    } else if (arg == "--start-dir") {
      if (!value(line.start_dir)) return std::nullopt;
    } else if (arg == "--check") {
      if (!set_mode(RunMode::Check, "--check")) return std::nullopt;
    } else if (arg == "--json") {
      line.json = true;
    } else if (arg == "--plan") {
      if (!set_mode(RunMode::Plan, "--plan")) return std::nullopt;
    } else if (arg == "--run-script") {
      if (!set_mode(RunMode::RunScript, "--run-script")) return std::nullopt;
      std::optional<std::string> script;
      if (!value(script)) return std::nullopt;
      line.script_file = *script;
    } else if (arg == "--uninstall") {
      if (!set_mode(RunMode::Uninstall, "--uninstall")) return std::nullopt;
      // The name is optional: the next argument is it unless it is an option.
      if (i + 1 < argc && argv[i + 1][0] != '-') line.uninstall_name = argv[++i];
    } else if (arg == "--section") {
      std::optional<std::string> number;
      if (!value(number)) return std::nullopt;
      if (!ParseSection(*number, line.section)) {
        error = "--section needs a section number from 1 to 20, not '" + *number + "'";
        return std::nullopt;
      }
      section_given = true;
    } else {
      error = "unknown argument '" + arg + "'";
      return std::nullopt;
    }
  }
  if (section_given && line.mode != RunMode::RunScript) {
    error = "--section is only used with --run-script";
    return std::nullopt;
  }
  if (line.json && line.mode != RunMode::Check) {
    error = "--json is only used with --check";
    return std::nullopt;
  }
  if (line.gui && line.unattended) {
    error = "--gui and --unattended cannot be combined";
    return std::nullopt;
  }
  if (line.answers_file && !line.gui) line.unattended = true;
  return line;
}

const char* UsageText() {
  return R"(Usage: setup [OPTION]...
Installs the files of a book's disc from SETUP.INI, SETUP.TXT and the section trees in the
start directory (the current directory unless --start-dir is given).

Modes:
  (none)                 install: real windows when a display is available (exit 5 when it
                         cannot be opened); without one, each dialog is asked at the
                         terminal in text; with no terminal either, it refuses (exit 64)
                         and asks for --unattended
  --check                load and validate SETUP.INI and SETUP.TXT and print every message
                         that start-up would show, then the publisher's lint of the whole
                         disc, one finding a line: FILE:LINE: [Section] Key: message
                         (unreadable settings, missing folders and texts, '%' formats that
                         do not fit, script lines that would fail)
    --json               print the messages and findings as JSON Lines instead
  --plan                 print the whole installation that --answers FILE (or the defaults)
                         would run, one item a line, writing nothing: each file's source,
                         destination and size, the replacements it would ask about, the
                         shortcuts, the uninstall registry values, each script line with its
                         macros expanded
  --run-script FILE      run one section script as the install sequence would; FILE is a
                         host file when one exists there, else a path on the disc (relative
                         to the start directory, or a Windows path)
    --section N          the section (1 to 20) the script runs for; default 1
  --uninstall            list the installed entries: name, folder, size
  --uninstall NAME       remove what the entry NAME (its key or its DisplayName) installed,
                         after asking (answers file: [Uninstall] Default = Yes|No); files
                         changed or added since are kept and named
  --help                 show this text
  --version              show the program's version

Options:
  --gui                  real windows (answered from --answers FILE when given), or
                         exit 5 when the display cannot be opened
  --unattended           no windows; each dialog takes its answer from --answers, else
                         its default button
  --answers FILE         answers for the dialogs (implies --unattended unless --gui); checked
                         before anything is written: a mistake is printed as FILE:LINE: ...
                         and ends the run with exit 64
  --transcript FILE      write every dialog and message box shown as JSON Lines
  --quiet                do not print each dialog and message box on standard error, nor
                         (on a terminal) the progress line of each section's copy
  --profile FILE         the host profile: drive map, Windows directory, registry file
  --start-dir DIR        start in DIR instead of the current directory
  --screenshots DIR      save a PNG of each window as it first appears, as
                         DIR/NNN-<kind>.png (kind as in the transcript); without real
                         windows they are drawn offscreen (on Windows, real windows that
                         the answers act on), so a disc's dialogs can be previewed on any
                         machine

Exit status:
  0   finished (or --check found nothing, or --plan printed the installation)
  1   ended with the setup-failed dialog (or --check found something, or --plan's
      installation would end with it, or --uninstall NAME was answered No)
  2   stopped at start-up: SETUP.INI or SETUP.TXT missing, or no rights
  3   another copy of setup was running (one line on standard error)
  4   finished, but some files were not copied (each named on standard error); for
      --uninstall: some files were kept or could not be removed
  5   real windows were wanted but the display cannot be opened
  64  usage, host profile or answers-file error; no display and no terminal without
      --unattended; --uninstall NAME names no installed entry
)";
}

}  // namespace setup
