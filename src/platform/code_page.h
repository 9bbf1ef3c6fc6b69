#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/status.h"

namespace setup {

// The ANSI code page: the encoding of every text and name on the disc. Converts to and from
// the host's UTF-8 at the boundaries and cases letters as that code page does (so 'ü'
// upper-cases to 'Ü' in 1252, whatever the C locale says). In a double-byte code page a lead
// byte and the byte after it are one character: text is walked with CharSize, never byte by
// byte, so that a second byte such as 0x5C is never taken for a backslash.
class CodePage {
 public:
  // Windows-1252.
  CodePage();
  // Any single-byte code page the host's converter knows ("1250", "1251", "437", ...) and the
  // double-byte code pages 932, 936, 949 and 950. Fails with InvalidParameter for an unknown
  // code page or another multi-byte one.
  static Result<CodePage> Load(int number);

  int number() const { return number_; }
  std::string ToUtf8(std::string_view ansi) const;
  // Appends `ansi` converted to UTF-8 to `out`. A two-byte character the code page does not
  // define, and a lead byte that ends the text, become U+FFFD.
  void AppendAsUtf8(std::string& out, std::string_view ansi) const;
  // Characters the code page cannot hold become '?'; invalid UTF-8 bytes too.
  std::string FromUtf8(std::string_view utf8) const;

  // Whether `c` starts a two-byte character (never in a single-byte code page).
  bool IsLeadByte(char c) const { return lead_bytes_[static_cast<uint8_t>(c)]; }
  // The length, 1 or 2, of the character that starts at `pos` (less than text.size()): a
  // lead byte and the byte after it, or one byte; a lead byte at the end stands alone.
  size_t CharSize(std::string_view text, size_t pos) const {
    return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
  }
  // Whether the code page has no two-byte characters, so that text may be walked a byte at a
  // time (as names mostly are, on every file call).
  bool IsSingleByte() const { return single_byte_; }

  // Upper- and lower-case as the code page does it; two-byte characters stay as they are, so
  // in a double-byte code page only the ASCII letters change.
  std::string Upper(std::string_view text) const;
  std::string Lower(std::string_view text) const;
  // Whether every byte below 0x80 is the ASCII character of that value, so that ASCII text
  // is the same in this code page and in UTF-8.
  bool KeepsAscii() const { return keeps_ascii_; }
  // Equal without regard to case, in this code page.
  bool EqualsNoCase(std::string_view a, std::string_view b) const;

 private:
  void BuildTables();
  std::string Mapped(std::string_view text, const std::array<char, 256>& table) const;

  int number_ = 1252;
  std::array<char32_t, 256> to_unicode_{};
  std::bitset<256> lead_bytes_;
  bool single_byte_ = true;
  // The code point of each two-byte character, by lead byte * 256 + trail byte (0: none);
  // shared by copies, empty in a single-byte code page.
  std::shared_ptr<const std::vector<char32_t>> pairs_;
  // The character for each code point: one byte, or lead byte * 256 + trail byte.
  std::shared_ptr<const std::unordered_map<char32_t, uint16_t>> from_unicode_;
  // The byte for each code point below 0x80 (names are mostly ASCII), -1 for none.
  std::array<int16_t, 128> from_ascii_{};
  bool keeps_ascii_ = false;
  std::array<char, 256> upper_{};
  std::array<char, 256> lower_{};
};

}  // namespace setup
