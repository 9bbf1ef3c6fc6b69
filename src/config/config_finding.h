#pragma once

#include <cstddef>
#include <string>

namespace setup {

// The caption of configuration warnings, shown before any window exists.
inline constexpr char CONFIG_WARNING_CAPTION[] = "Error!";

// One thing that loading or checking the configuration found. The start-up sequence shows
// each as a warning box with one OK button, captioned and worded exactly as here; --check
// prints it. The location is for people reading a report, never part of what is shown.
struct ConfigFinding {
  std::string caption;
  std::string text;
  // The file as the disc names it ("SETUP.INI"), the registry file, or "" for none.
  std::string file;
  // From 1; 0 when the finding has no line (a missing file or key, or the whole file).
  size_t line = 0;
  // "" when the finding is not about one section or key.
  std::string section;
  std::string key;

  bool operator==(const ConfigFinding&) const = default;
};

}  // namespace setup
