#include "ui/framework/screenshot_name.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(ScreenshotNameTest, FilesAreNumberedInOrderAndNamedByKind) {
  struct Case {
    int number;
    const char* kind;
    const char* expected;
  };
  const Case cases[] = {{1, "CBackdropDlg", "001-CBackdropDlg.png"},
                        {42, "MessageBox", "042-MessageBox.png"},
                        {1000, "COptionsDlg", "1000-COptionsDlg.png"}};
  for (const Case& c : cases) EXPECT_EQ(ScreenshotFileName(c.number, c.kind), c.expected);
}

}  // namespace
}  // namespace setup
