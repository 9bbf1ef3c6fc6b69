#include "support/loaded_code_page.h"

#include <gtest/gtest.h>

namespace setup::testing {

CodePage LoadedCodePage(int number) {
  auto page = CodePage::Load(number);
  EXPECT_TRUE(page.ok()) << "code page " << number << ": " << page.status().ToString();
  return page.ok() ? *page : CodePage();
}

}  // namespace setup::testing
