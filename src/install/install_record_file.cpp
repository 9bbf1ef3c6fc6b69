#include "install/install_record_file.h"

#include <charconv>
#include <cstring>

#include "platform/code_page_text.h"
#include "platform/windows_name_rules.h"
#include "script/directory_path.h"

namespace setup {

namespace {

constexpr char HEADER[] = "SETUP INSTALL RECORD 1";
// Far beyond any book's record; a larger file is not one we wrote.
constexpr size_t MAX_RECORD_BYTES = 64 << 20;
constexpr char NOT_APPLICABLE[] = "-";

struct KindName {
  RecordedEntry::Kind kind;
  const char* name;
};
constexpr KindName KIND_NAMES[] = {
    {RecordedEntry::Kind::NewFile, "new-file"},
    {RecordedEntry::Kind::ReplacedFile, "replaced-file"},
    {RecordedEntry::Kind::NewFolder, "new-folder"},
    {RecordedEntry::Kind::NewLink, "new-link"},
};

std::string Hex16(uint64_t value) {
  static const char DIGITS[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = DIGITS[value & 15];
  return text;
}

Status Damaged(size_t line, const std::string& what) {
  return Status::Error(WinError::InvalidData, "", "line " + std::to_string(line) + ": " + what);
}

// The next blank-separated field of `rest`, taken off its front.
std::string_view TakeField(std::string_view& rest) {
  const size_t blank = rest.find(' ');
  const std::string_view field = rest.substr(0, blank);
  rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
  return field;
}

bool ParseNumber(std::string_view text, int base, uint64_t& value) {
  if (text.empty()) return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

// Parses one entry line; a message when it is not one.
std::optional<std::string> ParseEntry(std::string_view line, RecordedEntry& entry) {
  std::string_view rest = line;
  const std::string_view kind = TakeField(rest);
  const KindName* known = nullptr;
  for (const KindName& candidate : KIND_NAMES) {
    if (kind == candidate.name) known = &candidate;
  }
  if (known == nullptr) return "unknown kind '" + std::string(kind) + "'";
  entry.kind = known->kind;
  const std::string_view size = TakeField(rest);
  const std::string_view time = TakeField(rest);
  const std::string_view hash = TakeField(rest);
  // Only a full path: nothing may be taken relative to wherever the reader happens to be.
  if (rest.size() < 3 || rest[1] != ':' || rest[2] != '\\') {
    return "not a full path '" + std::string(rest) + "'";
  }
  for (char c : rest) {
    if (static_cast<unsigned char>(c) < 0x20) return std::string("a control character in the path");
  }
  entry.path = std::string(rest);
  const bool folder = entry.IsFolder();
  const bool has_hash = !folder && !entry.IsLink();
  if (folder ? size != NOT_APPLICABLE : !ParseNumber(size, 10, entry.size)) {
    return "bad size '" + std::string(size) + "'";
  }
  if (folder ? time != NOT_APPLICABLE : !ParseNumber(time, 10, entry.write_time)) {
    return "bad time '" + std::string(time) + "'";
  }
  if (has_hash ? hash.size() != 16 || !ParseNumber(hash, 16, entry.hash) : hash != NOT_APPLICABLE) {
    return "bad hash '" + std::string(hash) + "'";
  }
  return std::nullopt;
}

bool IsReservedDeviceName(const std::string& name) {
  static const char* const RESERVED[] = {"CON", "PRN", "AUX", "NUL"};
  std::string upper;
  for (char c : name) upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  for (const char* reserved : RESERVED) {
    if (upper == reserved) return true;
  }
  return upper.size() == 4 &&
         (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) && upper[3] >= '1' &&
         upper[3] <= '9';
}

std::string EscapedFileName(const std::string& key, const CodePage& code_page) {
  static const char DIGITS[] = "0123456789ABCDEF";
  const bool reserved = IsReservedDeviceName(key);
  std::string name;
  for (size_t i = 0; i < key.size();) {
    const size_t size = code_page.CharSize(key, i);
    // A two-byte character stays whole: escaping its second byte (0x5C, 0x7C) would leave a
    // lone first byte, which the host spells as U+FFFD for any such character alike.
    // Its second byte is never '.', ' ' nor a control character.
    if (size == 2 && static_cast<unsigned char>(key[i + 1]) >= 0x40) {
      name.append(key, i, 2);
      i += 2;
      continue;
    }
    const auto byte = static_cast<unsigned char>(key[i]);
    const bool last = i + 1 == key.size();
    const bool plain = byte >= 0x20 && byte != 0x7F &&
                       std::strchr("\\/:*?\"<>|%", byte) == nullptr &&
                       !code_page.IsLeadByte(key[i]);
    if (plain && !(reserved && i == 0) && !(last && (byte == '.' || byte == ' '))) {
      name += static_cast<char>(byte);
    } else {
      name += '%';
      name += DIGITS[byte >> 4];
      name += DIGITS[byte & 15];
    }
    ++i;
  }
  return name;
}

}  // namespace

std::string FormatInstallRecord(const std::vector<RecordedEntry>& entries) {
  std::string text = std::string(HEADER) + "\n";
  for (const RecordedEntry& entry : entries) {
    for (const KindName& candidate : KIND_NAMES) {
      if (candidate.kind == entry.kind) text += candidate.name;
    }
    const bool folder = entry.IsFolder();
    text += ' ';
    text += folder ? NOT_APPLICABLE : std::to_string(entry.size);
    text += ' ';
    text += folder ? NOT_APPLICABLE : std::to_string(entry.write_time);
    text += ' ';
    text += folder || entry.IsLink() ? NOT_APPLICABLE : Hex16(entry.hash);
    text += ' ';
    text += entry.path;
    text += '\n';
  }
  return text;
}

Result<std::vector<RecordedEntry>> ParseInstallRecord(std::string_view text) {
  std::vector<RecordedEntry> entries;
  size_t number = 0;
  while (!text.empty()) {
    ++number;
    const size_t end = text.find('\n');
    if (end == std::string_view::npos) return Damaged(number, "the line does not end");
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (number == 1) {
      if (line != HEADER) return Damaged(number, "not an install record");
      continue;
    }
    RecordedEntry entry;
    if (std::optional<std::string> wrong = ParseEntry(line, entry)) return Damaged(number, *wrong);
    entries.push_back(std::move(entry));
  }
  if (number == 0) return Damaged(1, "not an install record");
  return entries;
}

std::string InstallRecordFolder(const std::string& windows_dir, const CodePage& code_page) {
  return WithTrailingBackslash(code_page, windows_dir) + "SETUPREC";
}

std::string InstallRecordPath(const std::string& windows_dir, const std::string& key,
                              const CodePage& code_page) {
  return InstallRecordFolder(windows_dir, code_page) + "\\" + EscapedFileName(key, code_page) +
         ".txt";
}

Result<std::vector<RecordedEntry>> ReadInstallRecord(FileSystem& fs, const std::string& path) {
  Result<std::string> text = ReadFileContents(fs, path, MAX_RECORD_BYTES + 1);
  if (!text.ok()) return text.status();
  if (text->size() > MAX_RECORD_BYTES) {
    return Status::Error(WinError::InvalidData, path, "too large to be an install record");
  }
  Result<std::vector<RecordedEntry>> entries = ParseInstallRecord(*text);
  if (!entries.ok()) {
    return Status::Error(WinError::InvalidData, path, entries.status().message());
  }
  return entries;
}

Status WriteInstallRecord(FileSystem& fs, const std::string& path,
                          const std::vector<RecordedEntry>& entries, const CodePage& code_page) {
  CreateDirectoryPath(fs, path.substr(0, FindLastCharacter(code_page, path, "\\")), code_page);
  Result<std::unique_ptr<WritableFile>> file = fs.CreateForWrite(path);
  if (!file.ok()) return file.status();
  const std::string text = FormatInstallRecord(entries);
  if (Status written = (*file)->Write(text.data(), text.size()); !written.ok()) return written;
  return (*file)->Commit();
}

}  // namespace setup
