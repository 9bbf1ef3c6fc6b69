#include "script/path_macro.h"

#include <algorithm>
#include <optional>

#include "config/setup_keys.h"
#include "platform/code_page_text.h"

namespace setup {
namespace {

std::optional<std::string> MacroValue(const std::string& token, const SetupConfig& config,
                                      const SpecialFolders& folders, const CodePage& code_page) {
  struct FolderMacro {
    const char* name;
    int slot;
  };
  if (token == "%SYSTEM%") return folders[FOLDER_SYSTEM];
  if (token == "%WINDOWS%") return folders[FOLDER_WINDOWS];
  if (token == "%STARTDIR%") {
    std::string dir = folders[FOLDER_STARTDIR];
    if (EndsWithCharacter(code_page, dir, '\\')) dir.pop_back();
    return dir;
  }
  if (token == "%INSTALLDRIVE%") {
    std::string dest = config.GetSectionValue(KEY_DESTDIR);
    return dest.substr(0, 1);
  }
  if (token == "%INSTALLDIR%") {
    std::string dest = config.GetSectionValue(KEY_DESTDIR);
    if (dest.size() >= 2 && dest[1] == ':') return dest.substr(std::min<size_t>(3, dest.size()));
    return dest;
  }
  if (token == "%INSTALLPATH%") return config.GetSectionValue(KEY_DESTDIR);
  static constexpr FolderMacro FOLDER_MACROS[] = {
      {"%DESKTOP%", FOLDER_DESKTOP},       {"%FAVORITES%", FOLDER_FAVORITES},
      {"%MYDOCUMENTS%", FOLDER_PERSONAL},  {"%MY DOCUMENTS%", FOLDER_PERSONAL},
      {"%MYPICTURES%", FOLDER_MYPICTURES}, {"%MY PICTURES%", FOLDER_MYPICTURES},
      {"%STARTMENU%", FOLDER_STARTMENU},   {"%PROGRAMS%", FOLDER_PROGRAMS},
  };
  for (const auto& macro : FOLDER_MACROS) {
    if (token == macro.name) return folders[macro.slot];
  }
  return std::nullopt;
}

}  // namespace

void ExpandPathMacro(std::string& path, const SetupConfig& config, const SpecialFolders& folders,
                     const CodePage& code_page) {
  if (path.empty() || path[0] != '%') return;
  size_t close = FindCharacter(code_page, path, '%', 1);
  // Just past the closing '%'; without one the token is the whole string.
  size_t end = close == std::string::npos ? path.size() + 1 : close + 1;
  std::string token = code_page.Upper(path.substr(0, end));

  std::string replacement = MacroValue(token, config, folders, code_page).value_or(token);
  if (end < path.size()) {
    bool replacement_has_separator = EndsWithCharacter(code_page, replacement, '\\');
    if (!replacement_has_separator && path[end] != '\\') replacement.push_back('\\');
    replacement.append(path, end, std::string::npos);
  }
  path = std::move(replacement);
}

}  // namespace setup
