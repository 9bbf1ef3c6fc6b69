#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace setup {

// Cuts script text into lines as it arrives, chunk by chunk, so a script of any size is run
// in constant memory. A line ends at a carriage return; the carriage returns and line feeds
// that directly follow one are skipped, so CR LF, CR alone and blank lines all work, while a
// line feed alone ends nothing (an LF-only file is one line). A zero byte ends the text.
// Characters beyond MAX_SCRIPT_LINE in one line are dropped; the line itself still runs.
class ScriptTextReader {
 public:
  using LineHandler = std::function<void(std::string_view line)>;

  explicit ScriptTextReader(LineHandler on_line) : on_line_(std::move(on_line)) {}

  // Takes the next bytes of the text and hands every completed, non-empty line to the
  // handler. Returns false once a zero byte has ended the text; later input is ignored.
  bool Feed(std::string_view chunk);
  // The end of the input: hands over the last line when it is not empty.
  void Finish();

 private:
  void EndLine();

  LineHandler on_line_;
  std::string line_;
  bool skipping_line_ends_ = false;
  bool ended_ = false;
};

}  // namespace setup
