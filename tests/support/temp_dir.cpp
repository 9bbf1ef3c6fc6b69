#include "temp_dir.h"

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

bool TempDir::Exists(const std::string& relative) const {
  std::error_code ec;
  return fs::exists(fs::symlink_status(Utf8Path(Join(relative)), ec));
}

}  // namespace setup::testing
