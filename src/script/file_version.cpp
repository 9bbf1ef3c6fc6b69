#include "script/file_version.h"

#include <new>

#include "config/setup_config.h"
#include "script/program_version.h"

namespace setup {

FileVersion ParseFileVersionText(const std::string& text) {
  FileVersion version;
  size_t first = text.find('.');
  if (first == std::string::npos) return version;
  version.major = ParseDecimal(text.substr(0, first));
  size_t second = text.find('.', first + 1);
  if (second == std::string::npos) return version;
  version.minor = ParseDecimal(text.substr(first + 1, second - first - 1));
  version.build = ParseDecimal(text.substr(second + 1));
  return version;
}

bool IsLowerVersion(const FileVersion& installed, const FileVersion& offered) {
  if (installed.major != offered.major) return installed.major < offered.major;
  if (installed.minor != offered.minor) return installed.minor < offered.minor;
  return installed.build < offered.build;
}

void ReadFileVersion(FileSystem& fs, MessageBoxService& messages, const std::string& path,
                     FileVersion& version) {
  version = FileVersion{};
  auto file = fs.OpenForRead(path);
  if (!file.ok()) return;
  std::optional<std::string> text;
  try {
    text = ReadProgramVersionString(**file, "040904E4", "FileVersion");
  } catch (const std::bad_alloc&) {
    messages.ShowMessageBox(
        {"Out of Memory", "Setup ran out of memory.", MessageBoxIcon::None, MessageBoxButtons::Ok});
    return;
  }
  if (text) version = ParseFileVersionText(*text);
}

}  // namespace setup
