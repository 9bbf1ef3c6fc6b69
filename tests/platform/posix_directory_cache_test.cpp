#include "platform/posix_directory_cache.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cctype>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::TempDir;

// ASCII case folding; names starting with '#' stand for names the code page cannot hold.
std::optional<std::string> Fold(const std::string& name) {
  if (!name.empty() && name[0] == '#') return std::nullopt;
  std::string key = name;
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

// Two directories of five names at most, so that the bounds are reached.
class SmallDirectoryCacheTest : public ::testing::Test {
 protected:
  SmallDirectoryCacheTest() : cache_(Fold, 2, 5) {}

  std::optional<std::string> Find(const std::string& relative_dir, const std::string& key) {
    const std::string host_dir = dir_.Join(relative_dir);
    struct stat info {};
    if (stat(host_dir.c_str(), &info) != 0) return std::nullopt;
    return cache_.Find(host_dir, info, key);
  }
  // The name that a fresh read of the directory gives, for comparison.
  std::optional<std::string> Truth(const std::string& relative_dir, const std::string& key) {
    std::optional<std::string> best;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Join(relative_dir))) {
      const std::string name = entry.path().filename().string();
      if (Fold(name) == key && (!best || name < *best)) best = name;
    }
    return best;
  }
  void Touch(const std::string& relative) { dir_.WriteFile(relative, ""); }

  TempDir dir_;
  PosixDirectoryCache cache_;
};

TEST_F(SmallDirectoryCacheTest, StaysWithinItsBoundsAndStaysRight) {
  for (const char* d : {"a", "b", "c"}) Touch(std::string(d) + "/File");
  for (int i = 0; i < 6; ++i) Touch("big/f" + std::to_string(i));
  // Each look-up, and the reads of directories made so far after it.
  const struct {
    const char* dir;
    uint64_t reads;
    const char* why;
  } steps[] = {
      {"a", 1, "read once, not kept"},
      {"b", 2, "read once, not kept"},
      {"a", 3, "read again: kept from now on"},
      {"b", 4, "read again: kept beside a"},
      {"c", 5, "read once"},
      {"c", 6, "kept: two directories at most, so a, the least recently used, goes"},
      {"b", 6, "still kept"},
      {"a", 7, "dropped, so read"},
      {"big", 8, "more names than the bound"},
      {"big", 9, "never kept"},
  };
  for (const auto& step : steps) {
    const std::string key = std::string(step.dir) == "big" ? "F5" : "FILE";
    EXPECT_EQ(Find(step.dir, key), Truth(step.dir, key)) << step.dir << ": " << step.why;
    EXPECT_EQ(cache_.reads(), step.reads) << step.dir << ": " << step.why;
  }

  // Growing past the bound drops a listing; the next look-up reads again.
  for (int i = 0; i < 5; ++i) Touch("b/g" + std::to_string(i));
  EXPECT_EQ(Find("b", "G4"), "g4");
  EXPECT_EQ(cache_.reads(), 10u);
}

}  // namespace
}  // namespace setup
