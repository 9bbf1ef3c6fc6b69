#include "install/underscores_to_spaces.h"

namespace setup {

namespace {

char UpperAsciiLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

}  // namespace

std::string UnderscoresToSpaces(const std::string& name, const CodePage& code_page) {
  if (name.empty()) return name;
  std::string result = code_page.Lower(name);
  // Only a character of its own is an underscore or a letter: never a second byte.
  result[0] = UpperAsciiLetter(result[0]);
  for (size_t i = 0; i < result.size(); i += code_page.CharSize(result, i)) {
    if (result[i] != '_') continue;
    result[i] = ' ';
    if (i + 1 < result.size()) result[i + 1] = UpperAsciiLetter(result[i + 1]);
  }
  return result;
}

std::string InstalledName(const std::string& name, const SetupConfig& config,
                          const CodePage& code_page) {
  return config.m_bUseUnderscores ? UnderscoresToSpaces(name, code_page) : name;
}

}  // namespace setup
