#include "setup_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "platform/registry_file.h"
#include "support/temp_drives.h"

extern char** environ;

namespace setup::testing {

SetupRunner::~SetupRunner() {
  for (int terminal : terminals_) close(terminal);
}

SetupRunner::SetupRunner() {
  temp.MakeDir("disc");
  for (const char* dir : {"c/Desktop", "c/Documents", "c/Favorites", "c/WINDOWS"}) {
    temp.MakeDir(dir);
  }
  WriteHostProfile(temp, {{"Desktop", "C:\\Desktop"},
                          {"Personal", "C:\\Documents"},
                          {"Favorites", "C:\\Favorites"},
                          {"Programs", "C:\\Programs"}});
}

void SetupRunner::WriteDisc(const std::vector<DiscSection>& sections, bool underscores) {
  std::ostringstream ini;
  ini << "[Setup]\r\nMainProdName=Test Book\r\nFilesCompressed=NO\r\nUseUnderscores="
      << (underscores ? "YES" : "NO") << "\r\nNumberOfSections=" << sections.size()
      << "\r\nChangeFolderButton=TRUE\r\nVolumeName=TEST\r\n";
  for (size_t i = 0; i < sections.size(); ++i) {
    const DiscSection& s = sections[i];
    ini << "[Section" << i + 1 << "]\r\nCodeDir=" << s.code_dir << "\r\nDestDir=" << s.dest_dir
        << "\r\nProductName=" << s.product << "\r\nShortcutLocation=" << s.shortcut_location
        << "\r\nShortcutName=" << s.shortcut_name
        << "\r\nFileSize=100000\r\nInstallByDefault=" << s.by_default
        << "\r\nCommandFile=" << s.command_file << "\r\nUninstall=" << s.uninstall << "\r\n";
  }
  temp.WriteFile("disc/SETUP.INI", ini.str());
  std::filesystem::copy_file(std::string(SETUP_SOURCE_DIR) + "/examples/sample_disc/SETUP.TXT",
                             temp.Join("disc/SETUP.TXT"),
                             std::filesystem::copy_options::overwrite_existing);
}

void SetupRunner::UseSampleDisc() {
  std::filesystem::copy(
      std::string(SETUP_SOURCE_DIR) + "/examples/sample_disc", temp.Join("disc"),
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

pid_t SetupRunner::StartSetup(const std::vector<std::string>& extra, bool clear_display,
                              const std::string& transcript) {
  std::vector<std::string> args = {
      SETUP_BINARY,      "--profile",    temp.Join("profile.ini"), "--start-dir",
      temp.Join("disc"), "--transcript", temp.Join(transcript)};
  if (temp.Exists("answers.ini")) {
    args.push_back("--answers");
    args.push_back(temp.Join("answers.ini"));
  } else if (!clear_display && std::find(extra.begin(), extra.end(), "--gui") == extra.end()) {
    // The tests' environment offers a display (QT_QPA_PLATFORM), which asks for windows.
    args.push_back("--unattended");
  }
  args.insert(args.end(), extra.begin(), extra.end());
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  // The lock file goes to XDG_RUNTIME_DIR: each test has its own, so tests run side by side.
  std::vector<std::string> env_strings = {"XDG_RUNTIME_DIR=" + temp.path(),
                                          "TMPDIR=" + (tmpdir.empty() ? temp.path() : tmpdir)};
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    std::string name = entry.substr(0, entry.find('='));
    if (name == "TMPDIR" || name == "XDG_RUNTIME_DIR") continue;
    if (clear_display &&
        (name == "DISPLAY" || name == "WAYLAND_DISPLAY" || name == "QT_QPA_PLATFORM")) {
      continue;
    }
    env_strings.push_back(entry);
  }
  std::vector<char*> envp;
  for (auto& entry : env_strings) envp.push_back(entry.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // Never the test's own terminal: a run without a display must not wait for a person.
  int terminal = -1;
  if (terminal_input) {
    terminal = posix_openpt(O_RDWR | O_NOCTTY);
    if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0) return -1;
    posix_spawn_file_actions_addopen(&actions, 0, ptsname(terminal), O_RDWR | O_NOCTTY, 0);
  } else {
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  }
  posix_spawn_file_actions_addopen(&actions, 1, temp.Join("stdout.txt").c_str(),
                                   O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, temp.Join("stderr.txt").c_str(),
                                   O_WRONLY | O_CREAT | O_APPEND, 0644);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  if (terminal >= 0) {
    // The terminal holds the typed lines until the run reads them; its echo is not read.
    if (pid >= 0 && write(terminal, terminal_input->data(), terminal_input->size()) < 0) pid = -1;
    terminals_.push_back(terminal);
  }
  return pid;
}

int SetupRunner::Wait(pid_t pid) {
  if (pid < 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> SetupRunner::Transcript(const std::string& name) const {
  std::vector<std::string> lines;
  std::istringstream in(temp.ReadFile(name));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> SetupRunner::Shown() const {
  std::vector<std::string> shown;
  for (const std::string& line : Transcript()) {
    auto field = [&](const std::string& key) {
      size_t at = line.find("\"" + key + "\":\"");
      if (at == std::string::npos) return std::string();
      at += key.size() + 4;
      return line.substr(at, line.find('"', at) - at);
    };
    std::string answer = field("answer");
    shown.push_back(field("kind") + (answer.empty() ? "" : "=" + answer));
  }
  return shown;
}

std::optional<std::string> SetupRunner::Uninstall(const std::string& product,
                                                  const std::string& name) const {
  auto store = RegistryFile::Open(temp.Join("registry.reg"));
  if (!store.ok()) return std::nullopt;
  return store->QueryValue(std::string(UNINSTALL_KEY) + "\\" + product, name);
}

std::vector<std::string> SetupRunner::Listing(const std::string& dir,
                                              const std::vector<std::string>& except,
                                              bool times) const {
  namespace fs = std::filesystem;
  std::vector<std::string> lines;
  const fs::path root = temp.Join(dir);
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(entry.path(), root).string();
    if (std::find(except.begin(), except.end(), name) != except.end()) continue;
    const fs::file_status status = entry.symlink_status();
    std::ostringstream line;
    line << name << " " << static_cast<int>(status.type()) << " "
         << static_cast<unsigned>(status.permissions());
    if (times && !fs::is_symlink(status)) {
      struct stat info {};
      stat(entry.path().c_str(), &info);
      line << " " << info.st_size << " " << info.st_mtime;
    }
    if (fs::is_symlink(status)) {
      line << " -> " << fs::read_symlink(entry.path()).string();
    } else if (fs::is_regular_file(status)) {
      line << " " << temp.ReadFile((dir.empty() ? "" : dir + "/") + name);
    }
    lines.push_back(line.str());
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::string SetupRunner::Link(const std::string& path) const {
  std::error_code ec;
  return std::filesystem::read_symlink(temp.Join(path), ec).string();
}

}  // namespace setup::testing
