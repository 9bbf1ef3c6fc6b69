#include "app/answers_check.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string_view>

#include "config/setup_keys.h"
#include "ui/framework/text_compare.h"

namespace setup {

namespace {

bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
  return std::any_of(words.begin(), words.end(),
                     [&](std::string_view known) { return EqualsNoCaseAscii(word, known); });
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// A section number written in decimal digits only; 0 for anything else.
int SectionNumber(std::string_view text) {
  if (text.empty() || text.size() > 3 ||
      text.find_first_not_of("0123456789") != std::string_view::npos) {
    return 0;
  }
  return std::stoi(std::string(text));
}

class AnswersChecker {
 public:
  AnswersChecker(const IniFile& answers, const std::string& file_name, const SetupConfig& config,
                 FileSystem& fs)
      : answers_(answers),
        file_name_(file_name),
        sections_(std::clamp(config.m_nSections, 0, MAX_SECTIONS)),
        fs_(fs) {}

  std::vector<std::string> Run() {
    if (const size_t line = answers_.FirstIgnoredLine(); line != 0) {
      Report(line,
             "not understood: neither a [Section] header nor key = value in a section "
             "named once");
    }
    for (const std::string& section : answers_.SectionNames()) {
      if (EqualsNoCaseAscii(section, "Options")) {
        CheckOptions(section);
      } else if (EqualsNoCaseAscii(section, "ConfirmReplace")) {
        for (const std::string& key : answers_.KeyNames(section)) {
          CheckWord(section, key, {"Yes", "YesToAll", "No", "Cancel"},
                    "Yes, YesToAll, No or Cancel");
        }
      } else if (EqualsNoCaseAscii(section, "ExitConfirm")) {
        CheckDefaultOnly(section, {"Continue", "Exit"}, "Continue or Exit");
      } else if (EqualsNoCaseAscii(section, "RenameRetry")) {
        CheckDefaultOnly(section, {"Retry", "Cancel"}, "Retry or Cancel");
      } else if (EqualsNoCaseAscii(section, "Uninstall")) {
        CheckDefaultOnly(section, {"Yes", "No"}, "Yes or No");
      } else {
        Report(answers_.LineOf(section), "unknown section [" + section + "]");
      }
    }
    std::vector<std::string> messages;
    for (const auto& [line, message] : found_) {
      messages.push_back(file_name_ + ":" + std::to_string(line) + ": " + message);
    }
    return messages;
  }

 private:
  void Report(size_t line, std::string message) { found_.emplace(line, std::move(message)); }

  std::string Value(const std::string& section, const std::string& key) const {
    return answers_.Find(section, key).value_or("");
  }

  void CheckWord(const std::string& section, const std::string& key,
                 std::initializer_list<std::string_view> words, const std::string& expected) {
    const std::string value = Value(section, key);
    if (!IsOneOf(value, words)) {
      Report(answers_.LineOf(section, key), key + " = " + value + ": expected " + expected);
    }
  }

  void CheckDefaultOnly(const std::string& section, std::initializer_list<std::string_view> words,
                        const std::string& expected) {
    for (const std::string& key : answers_.KeyNames(section)) {
      if (EqualsNoCaseAscii(key, "Default")) {
        CheckWord(section, key, words, expected);
      } else {
        Report(answers_.LineOf(section, key), "unknown key '" + key + "' in [" + section + "]");
      }
    }
  }

  std::string OutOfRange(int number) const {
    return "section " + std::to_string(number) + " is out of range (SETUP.INI has " +
           std::to_string(sections_) + " section" + (sections_ == 1 ? "" : "s") + ")";
  }

  void CheckOptions(const std::string& section) {
    for (const std::string& key : answers_.KeyNames(section)) {
      const size_t line = answers_.LineOf(section, key);
      const std::string value = Value(section, key);
      const std::string stated = key + " = " + value + ": ";
      if (EqualsNoCaseAscii(key, "Select")) {
        CheckSelect(line, stated, value);
      } else if (EqualsNoCaseAscii(key, "Button")) {
        CheckWord(section, key, {"Continue", "Exit"}, "Continue or Exit");
      } else if (EqualsNoCaseAscii(key, "Drive")) {
        CheckDrive(line, stated, value);
      } else if (key.size() > 6 &&
                 EqualsNoCaseAscii(std::string_view(key).substr(0, 6), "Folder") &&
                 SectionNumber(std::string_view(key).substr(6)) != 0) {
        const int number = SectionNumber(std::string_view(key).substr(6));
        if (number > sections_) {
          Report(line, key + ": " + OutOfRange(number));
        } else {
          CheckFolder(line, stated, value);
        }
      } else {
        Report(line, "unknown key '" + key + "' in [" + section + "]");
      }
    }
  }

  void CheckSelect(size_t line, const std::string& stated, const std::string& value) {
    if (EqualsNoCaseAscii(Trimmed(value), "none")) return;
    size_t start = 0;
    for (;;) {
      const size_t end = std::min(value.find(',', start), value.size());
      const std::string token = Trimmed(std::string_view(value).substr(start, end - start));
      const int number = SectionNumber(token);
      if (number == 0) {
        Report(line, stated + "'" + token + "' is not a section number (or \"none\")");
        return;
      }
      if (number > sections_) {
        Report(line, stated + OutOfRange(number));
        return;
      }
      if (end == value.size()) return;
      start = end + 1;
    }
  }

  // Empty when the drive can take files, else why not.
  std::string DriveProblem(char letter) {
    const std::string root = std::string(1, letter) + ":\\";
    const DriveType type = fs_.DriveTypeOf(root);
    if (type == DriveType::NoRootDir || type == DriveType::Unknown) {
      return std::string("drive ") + letter + ": is not mapped";
    }
    if (type == DriveType::CdRom) return std::string("drive ") + letter + ": is read-only";
    return {};
  }

  void CheckDrive(size_t line, const std::string& stated, const std::string& value) {
    const char letter = value.empty() ? '\0' : UpperAscii(value[0]);
    const std::string rest = value.empty() ? "" : value.substr(1);
    if (letter < 'A' || letter > 'Z' || !(rest.empty() || rest == ":" || rest == ":\\")) {
      Report(line, stated + "not a drive letter");
      return;
    }
    if (std::string problem = DriveProblem(letter); !problem.empty()) {
      Report(line, stated + problem);
    }
  }

  void CheckFolder(size_t line, const std::string& stated, const std::string& value) {
    const char letter = value.empty() ? '\0' : UpperAscii(value[0]);
    if (letter < 'A' || letter > 'Z' || value.size() < 3 || value[1] != ':' || value[2] != '\\') {
      Report(line, stated + "not a full path (drive letter, ':' and '\\')");
      return;
    }
    if (std::string problem = DriveProblem(letter); !problem.empty()) {
      Report(line, stated + problem);
    }
  }

  const IniFile& answers_;
  const std::string& file_name_;
  const int sections_;
  FileSystem& fs_;
  std::multimap<size_t, std::string> found_;
};

}  // namespace

std::vector<std::string> CheckAnswers(const IniFile& answers, const std::string& file_name,
                                      const SetupConfig& config, FileSystem& fs) {
  return AnswersChecker(answers, file_name, config, fs).Run();
}

}  // namespace setup
