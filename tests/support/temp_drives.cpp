#include "temp_drives.h"

namespace setup::testing {

namespace {

// A registry file string value: backslashes and quotes escaped.
std::string RegString(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

DriveMap MakeTempDriveMap(const TempDir& temp, const std::vector<TempDrive>& drives) {
  DriveMap map;
  for (const TempDrive& drive : drives) {
    map.Map(drive.letter, drive.dir.empty() ? temp.path() : temp.MakeDir(drive.dir), drive.type);
  }
  return map;
}

std::unique_ptr<FileSystem> MakeTempDrives(const TempDir& temp,
                                           const std::vector<TempDrive>& drives,
                                           const std::string& current_directory,
                                           const CodePage& code_page) {
  return NewHostFileSystem(MakeTempDriveMap(temp, drives), code_page, current_directory);
}

std::string WriteHostProfile(
    const TempDir& temp, const std::vector<std::pair<std::string, std::string>>& shell_folders) {
  std::string registry =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
      "Explorer\\Shell Folders]\r\n";
  for (const auto& [name, path] : shell_folders) {
    registry += RegString(name) + "=" + RegString(path) + "\r\n";
  }
  temp.WriteFile("registry.reg", registry);
  return temp.WriteFile("profile.ini", "[Drives]\nC = " + temp.Join("c") +
                                           ", fixed\n[System]\nWindowsDir = C:\\WINDOWS\n"
                                           "Registry = " +
                                           temp.Join("registry.reg") + "\n");
}

}  // namespace setup::testing
