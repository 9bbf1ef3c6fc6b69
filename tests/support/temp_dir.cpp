#include "temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace setup::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/setup-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed: " + pattern);
  path_ = buffer.data();
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
  fs::create_directories(fs::path(full).parent_path());
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out << contents;
  if (!out) throw std::runtime_error("cannot write " + full);
  return full;
}

std::string TempDir::MakeDir(const std::string& relative) const {
  std::string full = Join(relative);
  fs::create_directories(full);
  return full;
}

std::string TempDir::ReadFile(const std::string& relative) const {
  std::ifstream in(Join(relative), std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool TempDir::Exists(const std::string& relative) const {
  std::error_code ec;
  return fs::exists(fs::symlink_status(Join(relative), ec));
}

}  // namespace setup::testing
