#include <gtest/gtest.h>

#include "app/command_line.h"

namespace setup {
namespace {

TEST(UninstallCommandLineTest, TheNameIsOptional) {
  const struct {
    std::vector<const char*> args;
    std::optional<std::string> name;
    bool unattended;
  } cases[] = {
      {{"--uninstall"}, std::nullopt, false},
      {{"--uninstall", "Quillby Reader"}, "Quillby Reader", false},
      {{"--unattended", "--uninstall", "Book", "--quiet"}, "Book", true},
  };
  for (const auto& c : cases) {
    std::string error;
    auto line = ParseCommandLine(static_cast<int>(c.args.size()), c.args.data(), error);
    ASSERT_TRUE(line) << error;
    EXPECT_EQ(line->mode, RunMode::Uninstall);
    EXPECT_EQ(line->uninstall_name, c.name);
    EXPECT_EQ(line->unattended, c.unattended);
  }
  std::string error;
  const char* both[] = {"--uninstall", "Book", "--check"};
  EXPECT_FALSE(ParseCommandLine(3, both, error));
  EXPECT_EQ(error, "option --check cannot be combined with another mode");
}

}  // namespace
}  // namespace setup
