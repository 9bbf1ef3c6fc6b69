// COPY where the host's file size limit (POSIX) stops a write half-way.

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "pe_builder.h"
#include "script_fixture.h"

namespace setup::testing {
namespace {

class CopyCommandLimitTest : public ScriptFixture {
 protected:
  CopyCommandLimitTest() { temp_.MakeDir("c/dest"); }
};

// A copy that fails half-way (the file size limit stops the write) leaves the installed
// file as it was and no stray file beside it.
TEST_F(CopyCommandLimitTest, AFailedReplacementKeepsTheInstalledFile) {
  PeLayout old_layout;
  old_layout.file_version = "1.0.0";
  temp_.WriteFile("c/dest/lib.dll", BuildPeImage(old_layout).bytes);
  PeLayout new_layout;
  new_layout.file_version = "2.0.0";
  new_layout.product_name_length = 30000;
  std::string new_image = BuildPeImage(new_layout).bytes;
  temp_.WriteFile("d/x/lib.dll", new_image);
  const std::string installed = temp_.ReadFile("c/dest/lib.dll");

  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto saved_handler = signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = new_image.size() / 2;
  setrlimit(RLIMIT_FSIZE, &limited);
  RunLine("COPY D:\\x\\lib.dll C:\\dest");
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, saved_handler);

  EXPECT_EQ(temp_.ReadFile("c/dest/lib.dll"), installed);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Host("c/dest")), {}), 1);
  EXPECT_TRUE(Texts().empty());
  // Without the limit the same line replaces it.
  RunLine("COPY D:\\x\\lib.dll C:\\dest");
  EXPECT_EQ(temp_.ReadFile("c/dest/lib.dll"), new_image);
}

}  // namespace
}  // namespace setup::testing
