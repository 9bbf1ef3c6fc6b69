#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "ui/framework/controls.h"

namespace setup {

// The non-empty parts of a backslash-separated path: "C:\Books\\Demo" gives "C:", "Books",
// "Demo". Only a backslash of its own separates: the second byte 0x5C of a two-byte
// character (Shift-JIS '表') stays in its part.
std::vector<std::string> SplitBackslashPath(const CodePage& code_page, const std::string& path);

// How many bytes of `path` (a folder tree path such as "C:\Books\Demo") the tree item
// `text` stands for when it is the path's first step, the backslashes after it included; 0
// when it is not the first step. A drive root (`root`, "C:\") is a prefix; a folder's name
// is compared whole (without regard to case, in `code_page`) up to a backslash or the end, so
// a name whose last byte is 0x5C (Shift-JIS '表') is never cut at that byte.
size_t TreePathStep(const CodePage& code_page, std::string_view path, std::string_view text,
                    bool root);

// The item of `tree` at `path` (item texts from a root down, each step as TreePathStep reads
// it), or 0 when there is none.
TreeItem FindTreePath(const TreeControl& tree, const CodePage& code_page, const std::string& path);

}  // namespace setup
