#pragma once

#include <cstdint>
#include <string>

#include "config/setup_config.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace setup {

// Told what a section's copy would do, in the order the copy would do it.
class SectionPlanSink {
 public:
  virtual ~SectionPlanSink() = default;
  // A folder the copy would make (or find there already).
  virtual void PlanFolder(const std::string& destination) = 0;
  // A file the copy would write; `replaces`: the destination exists as a file, so the
  // replace confirmation would be asked first.
  virtual void PlanFile(const std::string& source, const std::string& destination, uint64_t size,
                        bool replaces) = 0;
};

// Walks the tree of the directory `source` as SectionCopy::CopyDirectoryTree walks it into
// `destination` (the same entry order, folders beginning with "." left out, each directory
// walked once, names after InstalledName), reading only: nothing is made or copied and the
// current directory is left alone.
void PlanDirectoryTree(FileSystem& fs, const SetupConfig& config, const CodePage& code_page,
                       const std::string& source, const std::string& destination,
                       SectionPlanSink& sink);

}  // namespace setup
