// Text in the double-byte code pages through conversion, casing and every walk that steps a
// character at a time: Windows paths, find patterns, COPY's split, script fields, the
// underscore rule. The first byte picks the code page.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "install/underscores_to_spaces.h"
#include "platform/code_page.h"
#include "platform/wildcard_match.h"
#include "platform/windows_path.h"
#include "script/path_split.h"
#include "script/script_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::array<setup::CodePage, 4> pages = [] {
    auto load = [](int number) { return setup::CodePage::Load(number).value(); };
    return std::array<setup::CodePage, 4>{load(932), load(936), load(949), load(950)};
  }();
  if (size == 0) return 0;
  const setup::CodePage& page = pages[data[0] % pages.size()];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  std::string utf8 = page.ToUtf8(text);
  std::string back = page.FromUtf8(utf8);
  (void)back;
  const std::string upper = page.Upper(text);
  const std::string lower = page.Lower(text);
  if (upper.size() != text.size() || lower.size() != text.size()) __builtin_trap();
  if (!page.EqualsNoCase(text, upper) || !page.EqualsNoCase(lower, upper)) __builtin_trap();

  const std::string full = setup::FullWindowsPath(text, "D:\\\x95\x5C", page);
  setup::PathComponents(full, page);
  setup::WithoutTrailingSeparator(full, page);
  setup::HasInvalidNameCharacter(text, page);
  const setup::FindPattern pattern = setup::SplitFindPattern(text, page);
  if (pattern.directory != "." && pattern.directory + pattern.name_pattern != text) {
    __builtin_trap();
  }
  const size_t half = text.size() / 2;
  setup::MatchesWildcard(text.substr(0, half), text.substr(half), page);

  const setup::PathParts parts = setup::SplitPath(text, page);
  if (parts.drive + parts.directory + parts.name + parts.extension != text) __builtin_trap();
  if (setup::UnderscoresToSpaces(text, page).size() != text.size()) __builtin_trap();
  setup::ScriptArgs args;
  if (setup::SplitScriptLine(text, args, page) > setup::SCRIPT_ARG_SLOTS) __builtin_trap();
  return 0;
}
