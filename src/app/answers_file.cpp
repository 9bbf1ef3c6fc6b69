#include "app/answers_file.h"

namespace setup {

std::optional<IniFile> ReadAnswersFile(Host& host, const std::optional<std::string>& file,
                                       std::ostream& console) {
  if (!file) return IniFile();
  Result<std::string> text = host.ReadWholeFile(*file);
  if (!text.ok()) {
    console << "setup: cannot read the answers file '" << *file << "'\n";
    return std::nullopt;
  }
  return IniFile::Parse(*text);
}

}  // namespace setup
