#include "temp_dir.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace setup::testing {

namespace fs = std::filesystem;

namespace {

// A path from UTF-8 text, whatever the host's narrow encoding (Windows: its ANSI code page).
fs::path Utf8Path(const std::string& text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

}  // namespace

// A new name under the temporary directory, tried until one is free (creating the
// directory is the test of that, so two tests never share one).
TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::error_code ec;
  const fs::path root = base && *base ? fs::path(base) : fs::temp_directory_path(ec);
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[32];
    std::snprintf(name, sizeof(name), "setup-test-%012llx",
                  static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFULL));
    const fs::path candidate = root / name;
    if (fs::create_directory(candidate, ec)) {
      path_ = candidate.generic_string();
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary directory under " + root.string());
}

TempDir::~TempDir() {
  std::error_code ec;
  // Read-only directories left by a test must not keep their contents alive.
  for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::end(it);
       it.increment(ec)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::remove_all(path_, ec);
}

std::string TempDir::Join(const std::string& relative) const { return path_ + "/" + relative; }

std::string TempDir::WriteFile(const std::string& relative, const std::string& contents) const {
  std::string full = Join(relative);
  fs::create_directories(Utf8Path(full).parent_path());
  std::ofstream out(Utf8Path(full), std::ios::binary | std::ios::trunc);
  out << contents;
  if (!out) throw std::runtime_error("cannot write " + full);
  return full;
}

std::string TempDir::MakeDir(const std::string& relative) const {
  std::string full = Join(relative);
  fs::create_directories(Utf8Path(full));
  return full;
}

std::string TempDir::ReadFile(const std::string& relative) const {
  std::ifstream in(Utf8Path(Join(relative)), std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The last name is looked for in its directory's listing: a Windows host would otherwise
// find "a.txt" for "A.TXT" and "Docs" for "Docs ".
bool TempDir::Exists(const std::string& relative) const {
  const fs::path path = Utf8Path(Join(relative));
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(path, ec))) return false;
  const std::u8string name = path.filename().u8string();
  for (auto it = fs::directory_iterator(path.parent_path(), ec); !ec && it != fs::end(it);
       it.increment(ec)) {
    if (it->path().filename().u8string() == name) return true;
  }
  return false;
}

bool TempDir::Link(const std::string& relative, const std::string& target) const {
  const fs::path link = Utf8Path(Join(relative));
  const fs::path to = Utf8Path(Join(target));
  std::error_code ec;
  if (fs::is_directory(to, ec)) {
    fs::create_directory_symlink(to, link, ec);
  } else {
    fs::create_symlink(to, link, ec);
  }
  return !ec && fs::is_symlink(fs::symlink_status(link, ec));
}

std::string TempDir::LinkTarget(const std::string& relative) const {
  std::error_code ec;
  const fs::path target = fs::read_symlink(Utf8Path(Join(relative)), ec);
  return ec ? std::string() : target.generic_string();
}

bool TempDir::MakePipe(const std::string& relative) const {
#if defined(_WIN32)
  (void)relative;
  return false;
#else
  return mkfifo(Join(relative).c_str(), 0644) == 0;
#endif
}

void TempDir::SetWritable(const std::string& relative, bool writable) const {
  fs::permissions(Utf8Path(Join(relative)), fs::perms::owner_write,
                  writable ? fs::perm_options::add : fs::perm_options::remove);
}

bool TempDir::Writable(const std::string& relative) const {
  std::error_code ec;
  const fs::file_status status = fs::status(Utf8Path(Join(relative)), ec);
  return !ec && (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

}  // namespace setup::testing
