#pragma once

#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "config/setup_config.h"
#include "install/install_record_file.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "script/install_record.h"

namespace setup {

// What the run installs, by uninstall entry: each change is told to the entry of the section
// under the cursor (its ProductName is the entry's key, so sections sharing a ProductName
// share a record), and Save writes an entry's record beside it (install_record_file.h).
// Only what this run made or replaced is recorded: a folder that was there is not, and a
// file deleted or moved by a script follows. A record already there (an earlier install of
// the same entry) is merged: its entries that this run did not touch stay as they were, and
// one it did touch keeps whether the earlier run made it or replaced it.
class InstallRecorder : public InstallRecord {
 public:
  InstallRecorder(FileSystem& fs, const SetupConfig& config, const CodePage& code_page,
                  std::string windows_dir)
      : fs_(fs), config_(config), code_page_(code_page), windows_dir_(std::move(windows_dir)) {}

  void FileWritten(const std::string& path, bool replaced,
                   std::optional<uint64_t> content_hash) override;
  void DirectoryMade(const std::string& path) override;
  void LinkMade(const std::string& path) override;
  void EntryRemoved(const std::string& path) override;
  void EntryMoved(const std::string& from, const std::string& to) override;

  // Writes the record of entry `key` as its entries stand now: each one's size and time as
  // the disk has them, files with their content hash (computed now when the copy did not).
  // An entry that is gone, or is no longer the kind that was made, is left out.
  Status Save(const std::string& key);
  // Writes every record saved so far again (the scripts ran since); the failures.
  std::vector<Status> SaveAgain();

 private:
  struct Tracked {
    RecordedEntry::Kind kind;
    std::string path;
    std::optional<uint64_t> hash;
    bool gone = false;
  };
  struct KeyRecord {
    std::string key;
    std::vector<Tracked> items;
    std::unordered_map<std::string, size_t> index;  // by upper-cased path
    std::optional<std::vector<RecordedEntry>> previous;
    bool saved = false;
  };

  KeyRecord& Current();
  // The live entry for `path` (a full path) in `record`, or nullptr.
  Tracked* Find(KeyRecord& record, const std::string& full_path);
  void Track(RecordedEntry::Kind kind, const std::string& path, std::optional<uint64_t> hash);
  // The entry as it stands on the disk; nullopt when it is not what was made.
  std::optional<RecordedEntry> Snapshot(Tracked& item, const RecordedEntry* previous);

  FileSystem& fs_;
  const SetupConfig& config_;
  const CodePage& code_page_;
  const std::string windows_dir_;
  std::map<std::string, KeyRecord> records_;  // by upper-cased key
  // Each section's record, found once: the copy tells one change per file.
  std::map<int, KeyRecord*> by_section_;
};

}  // namespace setup
