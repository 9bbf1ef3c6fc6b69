#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "config/ini_file.h"
#include "platform/host.h"

namespace setup {

// The answers file named on the command line, parsed; an empty one when none is named.
// nullopt, after one line on `console` naming the file, when it cannot be read.
std::optional<IniFile> ReadAnswersFile(Host& host, const std::optional<std::string>& file,
                                       std::ostream& console);

}  // namespace setup
