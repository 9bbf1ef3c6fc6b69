#include "app/install_recorder.h"

#include <set>

#include "config/setup_keys.h"
#include "script/content_hash.h"

namespace setup {

InstallRecorder::KeyRecord& InstallRecorder::Current() {
  KeyRecord*& known = by_section_[config_.m_nCurrentSection];
  if (known == nullptr) {
    // A ProductName never changes during a run.
    const std::string key = config_.GetSectionValue(KEY_PRODUCTNAME);
    known = &records_[code_page_.Upper(key)];
    if (known->key.empty()) known->key = key;
  }
  return *known;
}

InstallRecorder::Tracked* InstallRecorder::Find(KeyRecord& record, const std::string& full_path) {
  auto found = record.index.find(code_page_.Upper(full_path));
  return found == record.index.end() ? nullptr : &record.items[found->second];
}

void InstallRecorder::Track(RecordedEntry::Kind kind, const std::string& path,
                            std::optional<uint64_t> hash) {
  KeyRecord& record = Current();
  const std::string full = fs_.FullPathName(path);
  if (Tracked* known = Find(record, full)) {
    // Made earlier in this run: it stays made, whatever writes it again.
    const bool was_made = known->kind == RecordedEntry::Kind::NewFile;
    known->kind = kind == RecordedEntry::Kind::ReplacedFile && was_made ? known->kind : kind;
    known->hash = hash;
    return;
  }
  record.index.emplace(code_page_.Upper(full), record.items.size());
  record.items.push_back({kind, full, hash});
}

void InstallRecorder::FileWritten(const std::string& path, bool replaced,
                                  std::optional<uint64_t> content_hash) {
  Track(replaced ? RecordedEntry::Kind::ReplacedFile : RecordedEntry::Kind::NewFile, path,
        content_hash);
}

void InstallRecorder::DirectoryMade(const std::string& path) {
  Track(RecordedEntry::Kind::NewFolder, path, std::nullopt);
}

void InstallRecorder::LinkMade(const std::string& path) {
  Track(RecordedEntry::Kind::NewLink, path, std::nullopt);
}

void InstallRecorder::EntryRemoved(const std::string& path) {
  KeyRecord& record = Current();
  const std::string full = fs_.FullPathName(path);
  if (Tracked* known = Find(record, full)) {
    known->gone = true;
    record.index.erase(code_page_.Upper(full));
  }
}

void InstallRecorder::EntryMoved(const std::string& from, const std::string& to) {
  KeyRecord& record = Current();
  const std::string old_path = code_page_.Upper(fs_.FullPathName(from));
  const std::string new_path = fs_.FullPathName(to);
  // A folder moves with everything recorded below it.
  for (size_t i = 0; i < record.items.size(); ++i) {
    Tracked& item = record.items[i];
    const std::string upper = code_page_.Upper(item.path);
    if (item.gone || upper.compare(0, old_path.size(), old_path) != 0 ||
        (upper.size() != old_path.size() && upper[old_path.size()] != '\\')) {
      continue;
    }
    record.index.erase(upper);
    item.path = new_path + item.path.substr(old_path.size());
    record.index[code_page_.Upper(item.path)] = i;
  }
}

std::optional<RecordedEntry> InstallRecorder::Snapshot(Tracked& item,
                                                       const RecordedEntry* previous) {
  Result<FindData> info = fs_.GetEntryInfo(item.path);
  if (!info.ok()) return std::nullopt;
  RecordedEntry entry;
  entry.path = item.path;
  entry.kind = item.kind;
  const bool link = (info->attributes & ATTRIB_REPARSE_POINT) != 0;
  switch (item.kind) {
    case RecordedEntry::Kind::NewFolder:
      if (link || !info->IsDirectory()) return std::nullopt;
      return entry;
    case RecordedEntry::Kind::NewLink:
      if (!link) return std::nullopt;
      break;
    case RecordedEntry::Kind::NewFile:
    case RecordedEntry::Kind::ReplacedFile:
      if (link || info->IsDirectory()) return std::nullopt;
      if (!item.hash) {
        Result<uint64_t> hash = HashFileContents(fs_, item.path);
        if (!hash.ok()) return std::nullopt;
        item.hash = *hash;
      }
      entry.hash = *item.hash;
      // A file an earlier run made is still that run's, though this one replaced it.
      if (previous != nullptr && previous->kind == RecordedEntry::Kind::NewFile) {
        entry.kind = RecordedEntry::Kind::NewFile;
      }
      break;
  }
  entry.size = info->size;
  entry.write_time = info->last_write_time;
  return entry;
}

Status InstallRecorder::Save(const std::string& key) {
  KeyRecord& record = records_[code_page_.Upper(key)];
  if (record.key.empty()) record.key = key;
  const std::string path = InstallRecordPath(windows_dir_, record.key, code_page_);
  if (!record.previous) {
    Result<std::vector<RecordedEntry>> earlier = ReadInstallRecord(fs_, path);
    record.previous = earlier.ok() ? *earlier : std::vector<RecordedEntry>{};
  }
  std::map<std::string, const RecordedEntry*> previous;
  for (const RecordedEntry& entry : *record.previous) {
    previous[code_page_.Upper(entry.path)] = &entry;
  }
  std::set<std::string> touched;
  for (const Tracked& item : record.items) touched.insert(code_page_.Upper(item.path));
  std::vector<RecordedEntry> entries;
  for (const RecordedEntry& entry : *record.previous) {
    if (touched.count(code_page_.Upper(entry.path)) == 0) entries.push_back(entry);
  }
  for (Tracked& item : record.items) {
    if (item.gone) continue;
    auto earlier = previous.find(code_page_.Upper(item.path));
    std::optional<RecordedEntry> entry =
        Snapshot(item, earlier == previous.end() ? nullptr : earlier->second);
    if (entry) entries.push_back(std::move(*entry));
  }
  record.saved = true;
  return WriteInstallRecord(fs_, path, entries, code_page_);
}

std::vector<Status> InstallRecorder::SaveAgain() {
  std::vector<Status> failures;
  for (auto& [upper, record] : records_) {
    if (!record.saved) continue;
    if (Status status = Save(record.key); !status.ok()) failures.push_back(status);
  }
  return failures;
}

}  // namespace setup
