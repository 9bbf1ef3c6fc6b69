#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace setup {

// Told about every entry an installation makes, so that what a section installed can be
// removed again. Paths are as the caller used them (relative ones against the current
// directory at the time of the call). Called only after the change succeeded.
class InstallRecord {
 public:
  virtual ~InstallRecord() = default;
  // A file was written at `path`; `replaced`: a file was there before. `content_hash`:
  // the ContentHash of what was written, when the writer computed it on the way.
  virtual void FileWritten(const std::string& path, bool replaced,
                           std::optional<uint64_t> content_hash) = 0;
  // A directory that did not exist was made.
  virtual void DirectoryMade(const std::string& path) = 0;
  // A shortcut was made (or made again).
  virtual void LinkMade(const std::string& path) = 0;
  // An entry was deleted.
  virtual void EntryRemoved(const std::string& path) = 0;
  // An entry was moved or renamed.
  virtual void EntryMoved(const std::string& from, const std::string& to) = 0;
};

}  // namespace setup
