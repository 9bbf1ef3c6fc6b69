#include "install/latest_file.h"

#include <gtest/gtest.h>

#include <string>

namespace setup {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

TEST(LatestFileTest, AsksForAMessageAtTheWindowsPaceAndHandsOverTheLatestFile) {
  steady_clock::time_point now{};
  LatestFile latest([&] { return now; });
  // At `at` ms, the worker offers `name` ("" for the window thread taking instead); what the
  // call returns, and for a take the file it gets.
  const struct {
    int at;
    const char* name;
    bool result;
    const char* taken;
    const char* why;
  } steps[] = {
      {0, "", false, "", "nothing offered yet"},
      {0, "A", true, "", "the first file asks at once"},
      {1, "B", false, "", "a message is waiting"},
      {2, "", true, "B", "the latest file, not the first"},
      {3, "", false, "", "taken already"},
      {39, "D", false, "", "too soon after the last message"},
      {40, "E", true, "", "the interval has passed"},
      {41, "", true, "E", "the message hands over E"},
      {500, "F", true, "", "after a pause, at once again"},
      {500, "G", false, "", "a message is waiting"},
      {501, "", true, "G", "the end of the copy takes the last file"},
  };
  for (const auto& step : steps) {
    now = steady_clock::time_point{} + milliseconds(step.at);
    std::string source = "-";
    std::string destination = "-";
    if (*step.name) {
      EXPECT_EQ(latest.Offer(step.name, std::string("C:\\Book\\") + step.name), step.result)
          << step.at << ": " << step.why;
    } else {
      EXPECT_EQ(latest.Take(source, destination), step.result) << step.at << ": " << step.why;
      if (step.result) {
        EXPECT_EQ(source, step.taken) << step.at << ": " << step.why;
        EXPECT_EQ(destination, std::string("C:\\Book\\") + step.taken) << step.at;
      } else {
        EXPECT_EQ(source, "-") << step.at << ": " << step.why;
      }
    }
  }
}

TEST(LatestFileTest, AThousandFilesInAnInstantAskForOneMessage) {
  const steady_clock::time_point now{};
  LatestFile latest([&] { return now; });
  int asked = 0;
  for (int i = 0; i < 1000; ++i) asked += latest.Offer("F" + std::to_string(i), "D") ? 1 : 0;
  EXPECT_EQ(asked, 1);
  std::string source;
  std::string destination;
  ASSERT_TRUE(latest.Take(source, destination));
  EXPECT_EQ(source, "F999");
}

}  // namespace
}  // namespace setup
