#include "platform/registry_file.h"

#include <cerrno>

#include "platform/code_page_text.h"
#include "platform/host_file_io.h"

namespace setup {

namespace {

// A registry file larger than this is not one we wrote.
constexpr size_t MAX_REGISTRY_BYTES = 64 << 20;
constexpr char HEADER[] = "REGEDIT4";

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// A second byte is compared as it is, never as a letter.
bool EqualsNoCase(const std::string& a, const std::string& b, const CodePage& code_page) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size();) {
    const size_t size = code_page.CharSize(a, i);
    if (size == 2 ? a.compare(i, 2, b, i, 2) != 0 : AsciiUpper(a[i]) != AsciiUpper(b[i])) {
      return false;
    }
    i += size;
  }
  return true;
}

// "A\\B\\" -> "A\B": empty components and trailing backslashes dropped.
std::string NormalizeKey(const std::string& key, const CodePage& code_page) {
  std::string out;
  bool after_separator = true;
  for (size_t i = 0; i < key.size();) {
    const size_t size = code_page.CharSize(key, i);
    const bool separator = size == 1 && key[i] == '\\';
    if (!separator || !after_separator) out.append(key, i, size);
    after_separator = separator;
    i += size;
  }
  if (after_separator && !out.empty()) out.pop_back();
  return out;
}

bool HasControlCharacter(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20) return true;
  }
  return false;
}

// A REG_SZ value ends at its first zero byte.
std::string AsRegString(const std::string& data) { return data.substr(0, data.find('\0')); }

// Key and value names are written bare or quoted, so no line break may hide in them, and a
// key line starting "[-" deletes a key in this format.
Status CheckNames(const std::string& key, const std::string& name, const CodePage& code_page) {
  const std::string normalized = NormalizeKey(key, code_page);
  if (normalized.empty() || normalized[0] == '-' || HasControlCharacter(key) ||
      HasControlCharacter(name)) {
    return Status::Error(WinError::InvalidParameter, key, "invalid registry key or value name");
  }
  return Status::Ok();
}

bool NeedsHex(const std::string& data) { return HasControlCharacter(data); }

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

// hex(1): the string's bytes and its terminating zero, as regedit writes REG_SZ it cannot
// quote.
std::string HexString(const std::string& data) {
  static const char DIGITS[] = "0123456789abcdef";
  std::string out = "hex(1):";
  for (size_t i = 0; i <= data.size(); ++i) {
    const auto byte = i < data.size() ? static_cast<unsigned char>(data[i]) : 0;
    if (i > 0) out += ',';
    out += DIGITS[byte >> 4];
    out += DIGITS[byte & 15];
  }
  return out;
}

// Reads a quoted string starting at `pos` (at the opening quote); advances past the closing
// quote. nullopt when the text is not a complete quoted string.
std::optional<std::string> ReadQuoted(const std::string& line, size_t& pos) {
  if (pos >= line.size() || line[pos] != '"') return std::nullopt;
  std::string out;
  for (++pos; pos < line.size(); ++pos) {
    char c = line[pos];
    if (c == '"') {
      ++pos;
      return out;
    }
    if (c == '\\' && pos + 1 < line.size()) c = line[++pos];
    out += c;
  }
  return std::nullopt;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "41,42,00" -> "AB" (up to the first zero); nullopt when malformed.
std::optional<std::string> ReadHexBytes(const std::string& text) {
  std::string out;
  size_t pos = 0;
  bool ended = false;
  while (pos < text.size()) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    if (pos + 1 >= text.size()) return std::nullopt;
    const int high = HexDigit(text[pos]);
    const int low = HexDigit(text[pos + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    const char byte = static_cast<char>(high * 16 + low);
    if (byte == '\0') ended = true;
    if (!ended) out += byte;
    pos += 2;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    if (pos < text.size() && text[pos++] != ',') return std::nullopt;
  }
  return out;
}

// The logical lines of the file: carriage returns dropped, lines ending in a backslash
// outside a quoted string (regedit's long hex values) joined with the next.
std::vector<std::string> LogicalLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!current.empty()) {
      size_t start = 0;
      while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
      line = line.substr(start);
    }
    current += line;
    const bool continued =
        !current.empty() && current.back() == '\\' && current.find("=hex") != std::string::npos;
    if (continued) {
      current.pop_back();
    } else {
      lines.push_back(std::move(current));
      current.clear();
    }
  }
  if (!current.empty()) lines.push_back(std::move(current));
  return lines;
}

}  // namespace

Result<RegistryFile> RegistryFile::Open(const std::string& host_path, const CodePage& code_page) {
  RegistryFile store;
  store.host_path_ = host_path;
  store.code_page_ = code_page;
  auto text = ReadHostFile(host_path, MAX_REGISTRY_BYTES);
  if (!text.ok()) {
    if (text.status().os_errno() == ENOENT) return store;
    return text.status();
  }
  std::vector<std::string> lines = LogicalLines(*text);
  size_t first = 0;
  while (first < lines.size() && lines[first].empty()) ++first;
  std::string header = first < lines.size() ? lines[first] : std::string();
  if (header.compare(0, 3, "\xEF\xBB\xBF") == 0) header.erase(0, 3);
  if (header != HEADER) {
    return Status::Error(WinError::InvalidParameter, host_path, "not a REGEDIT4 registry file");
  }
  Key* key = nullptr;
  for (size_t i = first + 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      key = nullptr;
      const size_t close = line.rfind(']');
      if (close == std::string::npos || close < 2 || line[1] == '-') continue;
      const std::string name = NormalizeKey(line.substr(1, close - 1), code_page);
      if (!name.empty() && name[0] != '-') key = &store.EnsureKey(store.keys_, name);
      continue;
    }
    if (key == nullptr) continue;
    size_t pos = 0;
    std::optional<std::string> name;
    if (line[0] == '@') {
      name = "";
      pos = 1;
    } else {
      name = ReadQuoted(line, pos);
    }
    if (!name || pos >= line.size() || line[pos] != '=') continue;
    ++pos;
    std::optional<std::string> data;
    if (pos < line.size() && line[pos] == '"') {
      data = ReadQuoted(line, pos);
      if (pos != line.size()) data.reset();
    } else if (line.compare(pos, 7, "hex(1):") == 0) {
      data = ReadHexBytes(line.substr(pos + 7));
    } else {
      std::string kept = line;
      while (!kept.empty() && kept.back() == '\\') kept.pop_back();
      key->other_values.push_back(kept);
      continue;
    }
    if (!data) continue;
    data = AsRegString(*data);
    bool replaced = false;
    for (auto& value : key->values) {
      if (EqualsNoCase(value.first, *name, code_page)) {
        value.second = *data;
        replaced = true;
      }
    }
    if (!replaced) key->values.emplace_back(*name, *data);
  }
  return store;
}

RegistryFile::Key* RegistryFile::FindKey(Keys& keys, const std::string& key) const {
  const std::string wanted = NormalizeKey(key, code_page_);
  for (auto& candidate : keys) {
    if (EqualsNoCase(candidate.name, wanted, code_page_)) return &candidate;
  }
  return nullptr;
}

const RegistryFile::Key* RegistryFile::FindKey(const Keys& keys, const std::string& key) const {
  return FindKey(const_cast<Keys&>(keys), key);
}

RegistryFile::Key& RegistryFile::EnsureKey(Keys& keys, const std::string& key) const {
  const std::string name = NormalizeKey(key, code_page_);
  // Parents first, as regedit lists them.
  for (size_t slash = FindCharacter(code_page_, name, '\\'); slash != std::string::npos;
       slash = FindCharacter(code_page_, name, '\\', slash + 1)) {
    if (!FindKey(keys, name.substr(0, slash))) keys.push_back(Key{name.substr(0, slash), {}, {}});
  }
  if (Key* found = FindKey(keys, name)) return *found;
  keys.push_back(Key{name, {}, {}});
  return keys.back();
}

bool RegistryFile::KeyExists(const std::string& key) const {
  const std::string wanted = NormalizeKey(key, code_page_);
  if (wanted.empty()) return false;
  for (const auto& candidate : keys_) {
    if (candidate.name.size() < wanted.size() ||
        !EqualsNoCase(candidate.name.substr(0, wanted.size()), wanted, code_page_)) {
      continue;
    }
    if (candidate.name.size() == wanted.size()) return true;
    // A key below it: the wanted name ends where a backslash of its own starts.
    size_t separator = FindCharacter(code_page_, candidate.name, '\\');
    while (separator < wanted.size()) {
      separator = FindCharacter(code_page_, candidate.name, '\\', separator + 1);
    }
    if (separator == wanted.size()) return true;
  }
  return false;
}

std::optional<std::string> RegistryFile::QueryValue(const std::string& key,
                                                    const std::string& name) const {
  const Key* found = FindKey(keys_, key);
  if (!found) return std::nullopt;
  for (const auto& value : found->values) {
    if (EqualsNoCase(value.first, name, code_page_)) return value.second;
  }
  return std::nullopt;
}

Status RegistryFile::CreateKey(const std::string& key) {
  if (Status bad = CheckNames(key, "", code_page_); !bad.ok()) return bad;
  if (FindKey(keys_, key)) return Status::Ok();
  Keys keys = keys_;
  EnsureKey(keys, key);
  return Save(std::move(keys));
}

Status RegistryFile::SetValue(const std::string& key, const std::string& name,
                              const std::string& data) {
  if (Status bad = CheckNames(key, name, code_page_); !bad.ok()) return bad;
  Keys keys = keys_;
  Key& target = EnsureKey(keys, key);
  bool replaced = false;
  for (auto& value : target.values) {
    if (EqualsNoCase(value.first, name, code_page_)) {
      value.second = AsRegString(data);
      replaced = true;
    }
  }
  if (!replaced) target.values.emplace_back(name, AsRegString(data));
  return Save(std::move(keys));
}

namespace {

// The rest of `name` after `parent` and a backslash, when `name` lies below `parent`.
std::optional<std::string> BelowKey(const std::string& name, const std::string& parent,
                                    const CodePage& code_page) {
  if (name.size() <= parent.size() + 1 || name[parent.size()] != '\\' ||
      !EqualsNoCase(name.substr(0, parent.size()), parent, code_page)) {
    return std::nullopt;
  }
  return name.substr(parent.size() + 1);
}

}  // namespace

std::vector<std::string> RegistryFile::SubKeyNames(const std::string& key) const {
  const std::string parent = NormalizeKey(key, code_page_);
  std::vector<std::string> names;
  for (const auto& candidate : keys_) {
    const std::optional<std::string> rest = BelowKey(candidate.name, parent, code_page_);
    if (!rest) continue;
    const std::string child = rest->substr(0, FindCharacter(code_page_, *rest, '\\'));
    bool known = false;
    for (const std::string& name : names) known = known || EqualsNoCase(name, child, code_page_);
    if (!known) names.push_back(child);
  }
  return names;
}

Status RegistryFile::DeleteKey(const std::string& key) {
  if (Status bad = CheckNames(key, "", code_page_); !bad.ok()) return bad;
  const std::string doomed = NormalizeKey(key, code_page_);
  Keys keys;
  for (const auto& candidate : keys_) {
    if (!EqualsNoCase(candidate.name, doomed, code_page_) &&
        !BelowKey(candidate.name, doomed, code_page_)) {
      keys.push_back(candidate);
    }
  }
  if (keys.size() == keys_.size()) return Status::Ok();
  return Save(std::move(keys));
}

std::string RegistryFile::Serialize() const { return Serialize(keys_); }

std::string RegistryFile::Serialize(const Keys& keys) {
  std::string text = std::string(HEADER) + "\r\n\r\n";
  for (const auto& key : keys) {
    text += '[';
    text += key.name;
    text += "]\r\n";
    for (const auto& [name, data] : key.values) {
      text += name.empty() ? "@" : Quote(name);
      text += '=';
      text += NeedsHex(data) ? HexString(data) : Quote(data);
      text += "\r\n";
    }
    for (const auto& line : key.other_values) {
      text += line;
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

Status RegistryFile::Save(Keys keys) {
  Status status = WriteHostFileAtomically(host_path_, Serialize(keys));
  if (status.ok()) keys_ = std::move(keys);
  return status;
}

}  // namespace setup
