#pragma once

#include <functional>
#include <string>

#include "platform/code_page.h"
#include "ui/framework/controls.h"

namespace setup {

// The width in pixels of a text as a field would draw it.
using TextWidthFn = std::function<int(const std::string&)>;

// The text to show for `text` in a field `width` pixels wide: the text itself when it fits;
// otherwise the three characters around its middle become "..." and, while it is still too
// wide, the characters right after and right before the first "..." are removed, two a pass.
// An empty text, a width below 10 or a text too short to shorten gives "". When nothing is
// left to remove the remainder is returned as it is. Characters are those of `code_page`: a
// two-byte character is replaced or removed whole.
std::string FitPathToWidth(const TextWidthFn& measure, const std::string& text, int width,
                           const CodePage& code_page);
// Measures in the field's own font.
std::string FitPathToWidth(const Control& field, const std::string& text, int width,
                           const CodePage& code_page);

}  // namespace setup
