// Feeds arbitrary bytes to the INI reader and looks up the names the program asks for.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/ini_file.h"
#include "config/setup_keys.h"
#include "config/setup_texts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  setup::IniFile ini = setup::IniFile::Parse(text);

  size_t total = 0;
  for (const char* key : setup::SETTING_NAMES) total += ini.GetString("Setup", key, "Error").size();
  for (const char* key : setup::SECTION_KEY_NAMES) {
    total += ini.GetString("Section1", key, "Error").size();
  }
  for (const char* key : setup::TEXT_KEY_NAMES) total += ini.GetString("SetupText", key, "").size();
  // Names taken from the input itself, as a lookup of an odd name would.
  std::string_view head = text.substr(0, 16);
  if (auto value = ini.Find(head, head)) total += value->size();
  if (auto value = ini.Find("", "")) total += value->size();

  constexpr size_t LOOKUPS = size_t{setup::SETTING_COUNT} + size_t{setup::SECTION_KEY_COUNT} +
                             size_t{setup::TEXT_COUNT} + 2;
  if (total > LOOKUPS * setup::IniFile::MAX_VALUE_LENGTH) {
    __builtin_trap();  // a value longer than the limit escaped the reader
  }
  return 0;
}
