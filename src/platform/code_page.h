#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/status.h"

namespace setup {

// A single-byte ANSI code page: the encoding of every text and name on the disc. Converts
// to and from the host's UTF-8 at the boundaries and cases letters as that code page does
// (so 'ü' upper-cases to 'Ü' in 1252, whatever the C locale says).
class CodePage {
 public:
  // Windows-1252.
  CodePage();
  // Any single-byte code page the host's converter knows ("1250", "1251", "437", ...).
  // Fails with InvalidParameter for an unknown or multi-byte code page.
  static Result<CodePage> Load(int number);

  int number() const { return number_; }
  std::string ToUtf8(std::string_view ansi) const;
  // Appends `ansi` converted to UTF-8 to `out`.
  void AppendAsUtf8(std::string& out, std::string_view ansi) const;
  // Characters the code page cannot hold become '?'; invalid UTF-8 bytes too.
  std::string FromUtf8(std::string_view utf8) const;
  char ToUpper(char c) const { return upper_[static_cast<uint8_t>(c)]; }
  char ToLower(char c) const { return lower_[static_cast<uint8_t>(c)]; }
  std::string Upper(std::string_view text) const;
  std::string Lower(std::string_view text) const;
  // Whether every byte below 0x80 is the ASCII character of that value, so that ASCII text
  // is the same in this code page and in UTF-8.
  bool KeepsAscii() const { return keeps_ascii_; }
  // Equal without regard to case, in this code page.
  bool EqualsNoCase(std::string_view a, std::string_view b) const;

 private:
  void BuildCaseTables();

  int number_ = 1252;
  std::array<char32_t, 256> to_unicode_{};
  std::unordered_map<char32_t, uint8_t> from_unicode_;
  // The byte for each code point below 0x80 (names are mostly ASCII), -1 for none.
  std::array<int16_t, 128> from_ascii_{};
  bool keeps_ascii_ = false;
  std::array<char, 256> upper_{};
  std::array<char, 256> lower_{};
};

}  // namespace setup
