#pragma once

#include <string>

namespace setup::testing {

// A control's entry in a transcript line's "controls": "1007":"B.TXT". `json_text` is the
// text as the line escapes it.
inline std::string TranscriptControl(int id, const std::string& json_text) {
  return "\"" + std::to_string(id) + "\":\"" + json_text + "\"";
}

}  // namespace setup::testing
