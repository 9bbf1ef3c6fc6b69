// Times the section copy (CopyDirectoryTree) against `cp -a` of the same tree, run side by
// side in one invocation, and reports the copy's peak memory. Two trees: the book (10,000
// small files and twenty of 10 MB) and the folders (20,000 folders of one 100-byte file).
// Each copy runs as its own process so that its peak resident set is its own.
//   copy_tree_bench [--rounds N] [DIR...]
//       builds the trees under each DIR (default: /dev/shm, where the disk's noise is gone,
//       and /var/tmp), runs both copies N times (7) and prints the medians of the wall-clock
//       and of the processor time
//   copy_tree_bench --copy ROOT FROM TO
//       copies ROOT/FROM to ROOT/TO with the section copy
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "config/setup_config.h"
#include "install/install_state.h"
#include "install/section_copy.h"
#include "platform/posix_file_system.h"
#include "script/directory_path.h"
#include "support/generated_data.h"
#include "ui/backends/headless/headless_window_system.h"
#include "ui/dialogs/answers_user.h"

namespace {

constexpr int DEFAULT_ROUNDS = 7;
constexpr int TOP_DIRS = 10;
constexpr int SUB_DIRS = 10;
constexpr int FILES_PER_DIR = 100;  // 10,000 small files in all
constexpr int LARGE_FILES = 20;
constexpr size_t LARGE_FILE_SIZE = 10u << 20;
constexpr int FOLDERS = 20000;
constexpr size_t FOLDER_FILE_SIZE = 100;

// The copy under test: the section copy itself, headless. The destination is new, so no
// question is ever asked.
int CopyMain(const std::string& root, const std::string& from, const std::string& to) {
  setup::DriveMap drives;
  drives.Map('C', root, setup::DriveType::Fixed);
  setup::CodePage code_page;
  setup::PosixFileSystem fs(drives, code_page, "C:\\");
  setup::SetupConfig config;
  setup::InstallState state;
  setup::AnswersUser user;
  setup::HeadlessWindowSystem window_system(user, nullptr, code_page);
  setup::CreateDirectoryPath(fs, "C:\\" + to, code_page);
  if (!fs.ChangeDirectory("C:\\" + from).ok()) {
    std::fprintf(stderr, "no source directory %s\n", from.c_str());
    return 1;
  }
  setup::SectionCopy copy({fs, config, state, window_system, code_page, {}});
  copy.CopyDirectoryTree("C:\\" + to, nullptr);
  return 0;
}

// Writes back the dirty pages of the scratch directory's file system (only that one).
void SyncFileSystemOf(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  syncfs(fd);
  close(fd);
}

bool BuildBook(const std::string& root) {
  namespace fs = std::filesystem;
  std::mt19937 rng(7);
  const std::string text = setup::testing::CompressibleData(LARGE_FILE_SIZE, 2);
  size_t small_bytes = 0;
  for (int top = 0; top < TOP_DIRS; ++top) {
    for (int sub = 0; sub < SUB_DIRS; ++sub) {
      const std::string dir =
          root + "/Chapter" + std::to_string(top) + "/Part" + std::to_string(sub);
      fs::create_directories(dir);
      for (int f = 0; f < FILES_PER_DIR; ++f) {
        const size_t size = 100 + rng() % (8192 - 100 + 1);
        const size_t at = rng() % (text.size() - size);
        small_bytes += size;
        if (!setup::bench::WriteHostFile(dir + "/Page" + std::to_string(f) + ".txt",
                                         text.substr(at, size))) {
          return false;
        }
      }
    }
  }
  fs::create_directories(root + "/Media");
  for (int f = 0; f < LARGE_FILES; ++f) {
    std::string data = text;
    data[0] = static_cast<char>(f);
    if (!setup::bench::WriteHostFile(root + "/Media/Video" + std::to_string(f) + ".avi", data)) {
      return false;
    }
  }
  std::printf("book: %d small files (%.1f MB), %d files of %zu MB\n",
              TOP_DIRS * SUB_DIRS * FILES_PER_DIR, small_bytes / 1e6, LARGE_FILES,
              LARGE_FILE_SIZE >> 20);
  return true;
}

bool BuildFolders(const std::string& root) {
  const std::string data = setup::testing::CompressibleData(FOLDER_FILE_SIZE, 3);
  for (int folder = 0; folder < FOLDERS; ++folder) {
    const std::string dir = root + "/Folder" + std::to_string(folder);
    std::filesystem::create_directories(dir);
    if (!setup::bench::WriteHostFile(dir + "/Note.txt", data)) return false;
  }
  std::printf("folders: %d folders of one %zu-byte file\n", FOLDERS, FOLDER_FILE_SIZE);
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Copies the tree at `dir`/Disc both ways `rounds` times; prints the medians and their ratio.
bool CompareCopies(const std::string& dir, const std::string& label, int rounds) {
  const std::string self = std::filesystem::canonical("/proc/self/exe").string();
  std::vector<double> cp_seconds, ours_seconds, cp_cpu, ours_cpu;
  long cp_rss = 0, ours_rss = 0;
  for (int round = 0; round < rounds; ++round) {
    // Each copy starts with no dirty pages from the one before; the order alternates.
    auto run = [&](bool by_cp) {
      std::filesystem::remove_all(dir + (by_cp ? "/ByCp" : "/ByUs"));
      SyncFileSystemOf(dir);
      return by_cp ? setup::bench::RunChild({"cp", "-a", dir + "/Disc", dir + "/ByCp"})
                   : setup::bench::RunChild({self, "--copy", dir, "Disc", "ByUs"});
    };
    const bool cp_first = round % 2 == 0;
    const setup::bench::ChildRun first = run(cp_first);
    const setup::bench::ChildRun second = run(!cp_first);
    const setup::bench::ChildRun& cp = cp_first ? first : second;
    const setup::bench::ChildRun& ours = cp_first ? second : first;
    if (!cp.ok || !ours.ok) {
      std::fprintf(stderr, "a copy failed (cp %d, ours %d)\n", cp.ok, ours.ok);
      return false;
    }
    cp_seconds.push_back(cp.seconds);
    ours_seconds.push_back(ours.seconds);
    cp_cpu.push_back(cp.cpu_seconds);
    ours_cpu.push_back(ours.cpu_seconds);
    cp_rss = std::max(cp_rss, cp.peak_rss_kb);
    ours_rss = std::max(ours_rss, ours.peak_rss_kb);
  }
  std::filesystem::remove_all(dir + "/ByCp");
  std::filesystem::remove_all(dir + "/ByUs");
  const double cp = Median(cp_seconds);
  const double ours = Median(ours_seconds);
  std::printf(
      "%-28s median of %d: cp -a %.3f s, ours %.3f s, ratio %.2f (goal <= 1.00); "
      "peak RSS ours %.1f MB, cp -a %.1f MB\n",
      label.c_str(), rounds, cp, ours, ours / cp, ours_rss / 1024.0, cp_rss / 1024.0);
  // Processor time is what the copies cost themselves, whatever else runs on the machine.
  const double cp_processor = Median(cp_cpu);
  const double ours_processor = Median(ours_cpu);
  std::printf("%-28s processor time: cp -a %.3f s, ours %.3f s, ratio %.2f\n", "", cp_processor,
              ours_processor, ours_processor / cp_processor);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--copy") == 0) return CopyMain(argv[2], argv[3], argv[4]);

  std::vector<std::string> bases(argv + 1, argv + argc);
  int rounds = DEFAULT_ROUNDS;
  if (bases.size() >= 2 && bases[0] == "--rounds") {
    rounds = std::max(1, std::atoi(bases[1].c_str()));
    bases.erase(bases.begin(), bases.begin() + 2);
  }
  if (bases.empty()) bases = {"/dev/shm", "/var/tmp"};
  for (const std::string& base : bases) {
    if (!std::filesystem::is_directory(base)) {
      std::fprintf(stderr,
                   "usage: copy_tree_bench [--rounds N] [DIR...]\n"
                   "       copy_tree_bench --copy ROOT FROM TO\n"
                   "copy_tree_bench: '%s' is not a folder\n",
                   base.c_str());
      return 2;
    }
  }
  const struct {
    const char* name;
    bool (*build)(const std::string&);
  } trees[] = {{"book", BuildBook}, {"folders", BuildFolders}};
  for (const auto& tree : trees) {
    for (const std::string& base : bases) {
      setup::bench::ScratchDir dir(base, "copy-bench");
      if (!tree.build(dir.path() + "/Disc")) {
        std::fprintf(stderr, "cannot build the %s tree in %s\n", tree.name, base.c_str());
        return 1;
      }
      if (!CompareCopies(dir.path(), std::string(tree.name) + " in " + base, rounds)) return 1;
    }
  }
  return 0;
}
