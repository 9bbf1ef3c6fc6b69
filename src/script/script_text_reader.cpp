#include "script/script_text_reader.h"

#include "script/script_line.h"

namespace setup {

bool ScriptTextReader::Feed(std::string_view chunk) {
  for (char c : chunk) {
    if (ended_) break;
    if (skipping_line_ends_) {
      if (c == '\r' || c == '\n') continue;
      skipping_line_ends_ = false;
    }
    if (c == '\0') {
      EndLine();
      ended_ = true;
    } else if (c == '\r') {
      EndLine();
      skipping_line_ends_ = true;
    } else if (line_.size() < MAX_SCRIPT_LINE) {
      line_.push_back(c);
    }
  }
  return !ended_;
}

void ScriptTextReader::Finish() {
  if (ended_) return;
  EndLine();
  ended_ = true;
}

void ScriptTextReader::EndLine() {
  if (!line_.empty()) on_line_(line_);
  line_.clear();
}

}  // namespace setup
