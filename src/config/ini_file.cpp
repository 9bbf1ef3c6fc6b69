#include "config/ini_file.h"

#include <algorithm>
#include <vector>

namespace setup {
namespace {

// What one stored name or value costs beyond its characters (map node, string headers), so
// that a file of countless empty keys is bounded as well as one of long values.
constexpr size_t ENTRY_OVERHEAD = 64;
constexpr size_t READ_CHUNK = 64 * 1024;
// What ends the text of a value.
constexpr std::string_view LINE_STOPS("\r\n\0", 3);
// What ends a key's name, and a section header's.
constexpr std::string_view KEY_STOPS("=\r\n\0", 4);
constexpr std::string_view SECTION_STOPS("]\r\n\0", 4);

// The blanks trimmed around names and values.
constexpr std::string_view BLANKS(" \t\v\f");

bool IsBlank(char c) { return BLANKS.find(c) != std::string_view::npos; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerName(std::string_view name) {
  std::string lowered(name);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(), AsciiLower);
  return lowered;
}

void TrimTrailingBlanks(std::string& text) {
  while (!text.empty() && IsBlank(text.back())) text.pop_back();
}

}  // namespace

// Reads the text a piece at a time; everything it keeps of a line is bounded by the name and
// value limits, however long the line is.
class IniFile::Parser {
 public:
  explicit Parser(IniFile& file) : file_(file) {}

  void Feed(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
      char c = text[i];
      if (c == '\r' || c == '\n') {
        EndLine();
        // A CRLF pair ends one line.
        if (c == '\r' || !after_cr_) ++line_;
        after_cr_ = c == '\r';
        ++i;
        continue;
      }
      after_cr_ = false;
      if (state_ == State::Skip || state_ == State::ValueDone) {
        // Nothing more of this line matters: jump to its end.
        size_t end = text.find_first_of("\r\n", i);
        i = end == std::string_view::npos ? text.size() : end;
        continue;
      }
      if (state_ == State::Key || (state_ == State::SectionName && !name_.empty())) {
        // A long name: take the run up to whatever can end it at once.
        size_t end = text.find_first_of(state_ == State::Key ? KEY_STOPS : SECTION_STOPS, i);
        if (end == std::string_view::npos) end = text.size();
        if (end > i) {
          AppendNameRun(text.substr(i, end - i));
          i = end;
          continue;
        }
      }
      if (state_ == State::Value) {
        // The bulk of a long line: take the run up to the line's end or a NUL at once.
        size_t end = text.find_first_of(LINE_STOPS, i);
        if (end == std::string_view::npos) end = text.size();
        if (end > i) {
          AppendValueRun(text.substr(i, end - i));
          i = end;
          continue;
        }
      }
      Take(c);
      ++i;
    }
  }

  // Ends the last line when the text does not end with a line break.
  void Finish() { EndLine(); }

 private:
  enum class State { LineStart, Skip, SectionName, Key, ValueStart, Value, ValueDone };

  void Take(char c) {
    switch (state_) {
      case State::LineStart:
        if (IsBlank(c)) return;
        if (c == '\0' || c == ';') {
          state_ = State::Skip;
        } else if (c == '[') {
          StartName();
          state_ = State::SectionName;
        } else {
          StartName();
          AppendName(c);
          state_ = State::Key;
        }
        return;
      case State::SectionName:
        if (c == ']') {
          OpenSection();
          state_ = State::Skip;
        } else if (c == '\0') {
          state_ = State::Skip;  // a header without ']' is no header
        } else if (!name_.empty() || !IsBlank(c)) {
          AppendName(c);
        }
        return;
      case State::Key:
        if (c == '=') {
          StartValue();
          state_ = State::ValueStart;
        } else if (c == '\0') {
          state_ = State::Skip;  // no '=': not a key
        } else {
          AppendName(c);
        }
        return;
      case State::ValueStart:
        if (IsBlank(c)) return;
        if (c == '\0') {
          state_ = State::ValueDone;
          return;
        }
        state_ = State::Value;
        AppendValue(c);
        return;
      case State::Value:
        if (c == '\0') {
          state_ = State::ValueDone;
        } else {
          AppendValue(c);
        }
        return;
      case State::Skip:
      case State::ValueDone:
        return;
    }
  }

  void EndLine() {
    if (state_ == State::ValueStart || state_ == State::Value || state_ == State::ValueDone) {
      StoreValue();
    } else if (state_ == State::Key || state_ == State::SectionName) {
      Ignore();
    }
    state_ = State::LineStart;
  }

  void StartName() {
    name_.clear();
    name_too_long_ = false;
  }

  // Keeps at most MAX_NAME_LENGTH characters; a non-blank beyond them makes the name too
  // long (blanks there may still be trimmed away).
  void AppendName(char c) {
    if (name_.size() < MAX_NAME_LENGTH) {
      name_.push_back(c);
    } else if (!IsBlank(c)) {
      name_too_long_ = true;
    }
  }

  void AppendNameRun(std::string_view run) {
    size_t room = MAX_NAME_LENGTH - name_.size();
    name_.append(run.substr(0, room));
    if (run.size() > room && run.find_first_not_of(BLANKS, room) != std::string_view::npos) {
      name_too_long_ = true;
    }
  }

  void StartValue() {
    value_.clear();
    value_length_ = 0;
    has_non_blank_ = false;
  }

  // Keeps the first characters of the value (one more than the limit, for a leading quote)
  // and remembers where its last non-blank is and what it is.
  void AppendValue(char c) {
    if (value_.size() < VALUE_KEPT) value_.push_back(c);
    if (!IsBlank(c)) {
      has_non_blank_ = true;
      last_non_blank_index_ = value_length_;
      last_non_blank_ = c;
    }
    ++value_length_;
  }

  void AppendValueRun(std::string_view run) {
    size_t room = VALUE_KEPT - value_.size();
    value_.append(run.substr(0, room));
    for (size_t j = run.size(); j > 0; --j) {
      if (!IsBlank(run[j - 1])) {
        has_non_blank_ = true;
        last_non_blank_index_ = value_length_ + j - 1;
        last_non_blank_ = run[j - 1];
        break;
      }
    }
    value_length_ += run.size();
  }

  void OpenSection() {
    current_ = nullptr;
    TrimTrailingBlanks(name_);
    std::string lowered = LowerName(name_);
    if (name_too_long_ || file_.sections_.count(lowered) != 0) {  // the first occurrence wins
      Ignore();
      return;
    }
    size_t cost = 2 * lowered.size() + ENTRY_OVERHEAD;
    if (file_.stored_bytes_ + cost > MAX_STORED_BYTES) return;
    file_.stored_bytes_ += cost;
    Section& section = file_.sections_[std::move(lowered)];
    section.name = name_;
    section.line = line_;
    current_ = &section.keys;
  }

  // The line carries something no lookup will see.
  void Ignore() {
    if (file_.first_ignored_line_ == 0) file_.first_ignored_line_ = line_;
  }

  void StoreValue() {
    if (current_ == nullptr || name_too_long_) {
      Ignore();
      return;
    }
    TrimTrailingBlanks(name_);
    std::string key = LowerName(name_);
    if (current_->count(key) != 0) return;  // the first occurrence wins

    size_t trimmed_length = has_non_blank_ ? last_non_blank_index_ + 1 : 0;
    std::string_view kept(value_.data(), std::min<size_t>(trimmed_length, value_.size()));
    char first = kept.empty() ? '\0' : kept.front();
    if (trimmed_length >= 2 && (first == '"' || first == '\'') && last_non_blank_ == first) {
      kept = std::string_view(value_.data() + 1,
                              std::min<size_t>(trimmed_length - 2, value_.size() - 1));
    }
    kept = kept.substr(0, MAX_VALUE_LENGTH);

    size_t cost = 2 * key.size() + kept.size() + ENTRY_OVERHEAD;
    if (file_.stored_bytes_ + cost > MAX_STORED_BYTES) return;
    file_.stored_bytes_ += cost;
    current_->emplace(std::move(key), Entry{std::string(kept), line_, name_});
  }

  static constexpr size_t VALUE_KEPT = MAX_VALUE_LENGTH + 1;

  IniFile& file_;
  State state_ = State::LineStart;
  // The section that key lines go to; null before the first header and in sections whose
  // lines are ignored.
  std::map<std::string, Entry, std::less<>>* current_ = nullptr;
  std::string name_;
  bool name_too_long_ = false;
  std::string value_;
  size_t value_length_ = 0;
  bool has_non_blank_ = false;
  size_t last_non_blank_index_ = 0;
  char last_non_blank_ = '\0';
  size_t line_ = 1;
  bool after_cr_ = false;
};

IniFile IniFile::Parse(std::string_view text) {
  IniFile file;
  Parser parser(file);
  parser.Feed(text);
  parser.Finish();
  return file;
}

IniFile IniFile::Load(FileSystem& fs, const std::string& path) {
  auto opened = fs.OpenForRead(path);
  if (!opened.ok()) return IniFile();
  ReadableFile& input = **opened;
  IniFile file;
  Parser parser(file);
  std::vector<char> buffer(READ_CHUNK);
  for (;;) {
    auto read = input.Read(buffer.data(), buffer.size());
    if (!read.ok()) return IniFile();
    if (*read == 0) break;
    parser.Feed(std::string_view(buffer.data(), std::min(*read, buffer.size())));
  }
  parser.Finish();
  return file;
}

const IniFile::Entry* IniFile::FindEntry(std::string_view section, std::string_view key) const {
  auto found_section = sections_.find(LowerName(section));
  if (found_section == sections_.end()) return nullptr;
  auto found_key = found_section->second.keys.find(LowerName(key));
  if (found_key == found_section->second.keys.end()) return nullptr;
  return &found_key->second;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  const Entry* entry = FindEntry(section, key);
  if (entry == nullptr) return std::nullopt;
  return entry->value;
}

size_t IniFile::LineOf(std::string_view section) const {
  auto found = sections_.find(LowerName(section));
  return found == sections_.end() ? 0 : found->second.line;
}

size_t IniFile::LineOf(std::string_view section, std::string_view key) const {
  const Entry* entry = FindEntry(section, key);
  return entry == nullptr ? 0 : entry->line;
}

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const auto& [lowered, section] : sections_) names.push_back(section.name);
  return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  auto found = sections_.find(LowerName(section));
  if (found == sections_.end()) return names;
  for (const auto& [lowered, entry] : found->second.keys) names.push_back(entry.name);
  return names;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view default_value) const {
  auto value = Find(section, key);
  return value ? std::move(*value) : std::string(default_value);
}

}  // namespace setup
