#include "platform/posix_directory_cache.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
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

class PosixDirectoryCacheTest : public ::testing::Test {
 protected:
  explicit PosixDirectoryCacheTest(size_t max_directories = 8, size_t max_names = 1000)
      : cache_(Fold, max_directories, max_names) {}

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

TEST_F(PosixDirectoryCacheTest, KeptListingFollowsEveryChangeToItsDirectory) {
  Touch("d/a.txt");
  dir_.MakeDir("elsewhere");
  ASSERT_EQ(Find("d", "A.TXT"), "a.txt");
  ASSERT_EQ(Find("d", "A.TXT"), "a.txt");  // kept from the second read on
  ASSERT_EQ(cache_.reads(), 2u);
  const std::string d = dir_.Join("d");
  const std::string elsewhere = dir_.Join("elsewhere");
  struct Step {
    const char* what;
    std::function<void()> change;
    const char* key;
  } steps[] = {
      {"a variant appears", [&] { Touch("d/A.TXT"); }, "A.TXT"},
      {"the least one goes", [&] { unlink((d + "/A.TXT").c_str()); }, "A.TXT"},
      {"the last one goes", [&] { unlink((d + "/a.txt").c_str()); }, "A.TXT"},
      {"a file is created", [&] { Touch("d/New.Txt"); }, "NEW.TXT"},
      {"renamed in the directory",
       [&] { rename((d + "/New.Txt").c_str(), (d + "/NEW.txt").c_str()); }, "NEW.TXT"},
      {"renamed out of it", [&] { rename((d + "/NEW.txt").c_str(), (elsewhere + "/x").c_str()); },
       "NEW.TXT"},
      {"renamed into it", [&] { rename((elsewhere + "/x").c_str(), (d + "/X").c_str()); }, "X"},
      {"a hard link", [&] { link((d + "/X").c_str(), (d + "/y").c_str()); }, "Y"},
      {"a directory", [&] { dir_.MakeDir("d/Sub"); }, "SUB"},
      {"renamed over another",
       [&] {
         Touch("d/z");
         rename((d + "/X").c_str(), (d + "/z").c_str());
       },
       "X"},
  };
  for (const Step& step : steps) {
    step.change();
    EXPECT_EQ(Find("d", step.key), Truth("d", step.key)) << step.what;
    EXPECT_EQ(Find("d", "Z"), Truth("d", "Z")) << step.what;
  }
  EXPECT_EQ(cache_.reads(), 2u);  // every answer came from the kept listing
}

class SmallDirectoryCacheTest : public PosixDirectoryCacheTest {
 protected:
  SmallDirectoryCacheTest() : PosixDirectoryCacheTest(2, 5) {}
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
      {"a", 3, "from the kept listing"},
      {"b", 4, "read again: kept beside a"},
      {"c", 5, "read once"},
      {"c", 6, "kept: two directories at most, so a, the least recently used, goes"},
      {"b", 6, "still kept"},
      {"a", 7, "dropped, so read"},
      {"big", 8, "more names than the bound"},
      {"big", 9, "never kept"},
      {"big", 10, "never kept"},
  };
  for (const auto& step : steps) {
    const std::string key = std::string(step.dir) == "big" ? "F5" : "FILE";
    EXPECT_EQ(Find(step.dir, key), Truth(step.dir, key)) << step.dir << ": " << step.why;
    EXPECT_EQ(cache_.reads(), step.reads) << step.dir << ": " << step.why;
  }

  // Growing past the bound drops a listing; the next look-up reads again.
  for (int i = 0; i < 5; ++i) Touch("b/g" + std::to_string(i));
  EXPECT_EQ(Find("b", "G4"), "g4");
  EXPECT_EQ(cache_.reads(), 11u);
}

TEST_F(PosixDirectoryCacheTest, ChangesLeftWaitingByLookUpsElsewhereAreApplied) {
  Touch("d/a.txt");
  ASSERT_EQ(Find("d", "A.TXT"), "a.txt");
  ASSERT_EQ(Find("d", "A.TXT"), "a.txt");  // now kept
  const std::string d = dir_.Join("d");
  int others = 0;
  const struct {
    const char* what;
    std::function<void()> change;
  } steps[] = {
      {"a file is created", [&] { Touch("d/B.txt"); }},
      {"a file is removed", [&] { unlink((d + "/a.txt").c_str()); }},
      {"a file is renamed", [&] { rename((d + "/B.txt").c_str(), (d + "/c.TXT").c_str()); }},
      {"the directory is replaced",
       [&] {
         std::filesystem::remove_all(d);
         Touch("d/A.txt");
       }},
  };
  for (const auto& step : steps) {
    step.change();
    // Look-ups in a directory read only once, so not kept, leave the changes reported for d
    // unread.
    const std::string other = "other" + std::to_string(others++);
    Touch(other + "/x");
    struct stat other_info {};
    ASSERT_EQ(stat(dir_.Join(other).c_str(), &other_info), 0);
    EXPECT_FALSE(cache_.FindKept(other_info, "x", "X").kept) << step.what;
    EXPECT_EQ(Find(other, "X"), "x") << step.what;
    struct stat info {};
    ASSERT_EQ(stat(d.c_str(), &info), 0);
    for (const char* key : {"A.TXT", "B.TXT", "C.TXT"}) {
      const PosixDirectoryCache::Kept kept = cache_.FindKept(info, key, key);
      if (kept.kept) {
        EXPECT_EQ(kept.name, Truth("d", key)) << step.what << ": " << key;
      }
      EXPECT_EQ(Find("d", key), Truth("d", key)) << step.what << ": " << key;
    }
  }
}

}  // namespace
}  // namespace setup
