// Script text through the line reader, the field splitter and the path macros.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/setup_keys.h"
#include "script/path_macro.h"
#include "script/script_line.h"
#include "script/script_text_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static setup::CodePage code_page;
  static setup::SetupConfig config;
  static setup::SpecialFolders folders = [] {
    setup::SpecialFolders f;
    f[setup::FOLDER_WINDOWS] = "C:\\WINDOWS";
    f[setup::FOLDER_SYSTEM] = "C:\\WINDOWS\\SYSTEM";
    f[setup::FOLDER_STARTDIR] = "D:\\";
    f[setup::FOLDER_PROGRAMS] = "C:\\Start Menu\\Programs";
    return f;
  }();
  config.m_nSections = 1;
  config.SetSectionValue(setup::KEY_DESTDIR, size > 0 && data[0] & 1 ? "C:\\Books" : "\\\\s\\x");

  setup::ScriptTextReader reader([&](std::string_view line) {
    if (line.size() > setup::MAX_SCRIPT_LINE) __builtin_trap();
    setup::ScriptArgs args;
    size_t count = setup::SplitScriptLine(line, args, code_page);
    if (count > setup::SCRIPT_ARG_SLOTS) __builtin_trap();
    for (size_t slot = 0; slot < count; ++slot) {
      setup::ExpandPathMacro(args[slot], config, folders, code_page);
    }
  });
  // Two chunks, so chunk boundaries are exercised too.
  std::string_view text(reinterpret_cast<const char*>(data), size);
  size_t half = size / 2;
  if (reader.Feed(text.substr(0, half))) reader.Feed(text.substr(half));
  reader.Finish();
  return 0;
}
