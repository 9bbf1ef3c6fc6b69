#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace setup {

// The fields of the script line being run: slot 0 is the command word, slots 1 to 9 its
// arguments (already macro-expanded). Every slot a line did not fill reads "".
inline constexpr size_t SCRIPT_ARG_SLOTS = 10;

struct ScriptArgs {
  std::array<std::string, SCRIPT_ARG_SLOTS> slots;

  void Clear() {
    for (auto& slot : slots) slot.clear();
  }
  std::string& operator[](size_t slot) { return slots.at(slot); }
  const std::string& operator[](size_t slot) const { return slots.at(slot); }
};

}  // namespace setup
