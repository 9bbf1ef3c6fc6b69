#pragma once

#include <string>

namespace setup {

// The file name of the `number`th window picture (from 1) of the transcript's `kind`:
// "003-COptionsDlg.png", at least three digits.
std::string ScreenshotFileName(int number, const std::string& kind);

}  // namespace setup
