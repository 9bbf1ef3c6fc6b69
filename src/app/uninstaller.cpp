#include "app/uninstaller.h"

#include <algorithm>
#include <set>

#include "install/install_record_file.h"
#include "script/content_hash.h"

namespace setup {

namespace {

bool IsGone(const Status& status) {
  return status.win_error() == WinError::FileNotFound ||
         status.win_error() == WinError::PathNotFound;
}

bool IsLink(const FindData& info) { return (info.attributes & ATTRIB_REPARSE_POINT) != 0; }

size_t Depth(const std::string& path) {
  return static_cast<size_t>(std::count(path.begin(), path.end(), '\\'));
}

class Removal {
 public:
  Removal(const UninstallerServices& services, const std::vector<RecordedEntry>& entries)
      : services_(services), fs_(services.fs) {
    for (const RecordedEntry& entry : entries) recorded_.insert(Upper(entry.path));
  }

  void RemoveFileOrLink(const RecordedEntry& entry) {
    Result<FindData> info = fs_.GetEntryInfo(entry.path);
    if (!info.ok()) {
      Trouble(entry.path, info.status());
      return;
    }
    Result<bool> unchanged = IsAsInstalled(entry, *info);
    if (!unchanged.ok()) {
      Fail(entry.path, unchanged.status());
    } else if (!*unchanged) {
      Keep(entry.path, IsLink(*info) && !entry.IsLink() ? " (now a link)" : "");
    } else {
      Remove(entry.path);
    }
  }

  void RemoveFolder(const RecordedEntry& entry) {
    Result<FindData> info = fs_.GetEntryInfo(entry.path);
    if (!info.ok()) {
      Trouble(entry.path, info.status());
      return;
    }
    if (IsLink(*info) || !info->IsDirectory()) {
      Keep(entry.path, IsLink(*info) ? " (now a link)" : "");
      return;
    }
    Status removed = fs_.RemoveEntry(entry.path);
    if (removed.win_error() == WinError::DirNotEmpty) {
      KeepAddedEntries(entry.path);
    } else if (!removed.ok()) {
      Trouble(entry.path, removed);
    }
  }

  UninstallOutcome& outcome() { return outcome_; }

 private:
  std::string Upper(const std::string& path) const { return services_.code_page.Upper(path); }

  Result<bool> IsAsInstalled(const RecordedEntry& entry, const FindData& info) {
    if (IsLink(info) != entry.IsLink() || info.IsDirectory() || info.size != entry.size ||
        info.last_write_time != entry.write_time) {
      return false;
    }
    if (entry.IsLink()) return true;
    Result<uint64_t> hash = HashFileContents(fs_, entry.path);
    if (!hash.ok()) return hash.status();
    return *hash == entry.hash;
  }

  void Remove(const std::string& path) {
    Status removed = fs_.RemoveEntry(path);
    if (!removed.ok()) Trouble(path, removed);
  }

  // Gone already is done; a link on the way is kept; anything else failed.
  void Trouble(const std::string& path, const Status& status) {
    if (IsGone(status)) return;
    if (status.win_error() == WinError::StoppedOnSymlink) {
      Keep(path, " (under a link)");
    } else {
      Fail(path, status);
    }
  }

  // What the folder holds that the install did not make; recorded entries that are still
  // there have been named already.
  void KeepAddedEntries(const std::string& folder) {
    Result<std::vector<FindData>> found = fs_.FindFiles(folder + "\\*.*");
    if (!found.ok()) return;
    for (const FindData& child : *found) {
      if (child.name == "." || child.name == "..") continue;
      const std::string path = folder + "\\" + child.name;
      if (recorded_.count(Upper(path)) == 0) Keep(path, "");
    }
  }

  void Keep(const std::string& path, const char* why) { outcome_.kept.push_back(path + why); }
  void Fail(const std::string& path, const Status& status) {
    outcome_.failed.push_back(path + ": " + status.message());
  }

  const UninstallerServices& services_;
  FileSystem& fs_;
  std::set<std::string> recorded_;
  UninstallOutcome outcome_;
};

}  // namespace

UninstallOutcome RemoveInstalledEntry(const UninstallerServices& services,
                                      const UninstallEntry& entry) {
  FileSystem& fs = services.fs;
  const std::string record_path =
      InstallRecordPath(services.windows_dir, entry.key, services.code_page);
  Result<std::vector<RecordedEntry>> record = ReadInstallRecord(fs, record_path);
  if (!record.ok()) {
    UninstallOutcome outcome;
    outcome.failed.push_back(record_path + ": " +
                             (IsGone(record.status()) ? "there is no record of the installed files"
                                                      : record.status().message()));
    return outcome;
  }
  Removal removal(services, *record);
  std::vector<const RecordedEntry*> folders;
  for (const RecordedEntry& recorded : *record) {
    if (recorded.IsFolder()) {
      folders.push_back(&recorded);
    } else {
      removal.RemoveFileOrLink(recorded);
    }
  }
  std::stable_sort(folders.begin(), folders.end(),
                   [](const auto* a, const auto* b) { return Depth(a->path) > Depth(b->path); });
  for (const RecordedEntry* folder : folders) removal.RemoveFolder(*folder);

  UninstallOutcome& outcome = removal.outcome();
  if (!outcome.failed.empty()) return outcome;
  // The entry before its record: cut short between the two, what is left is a record nobody
  // lists, never an entry without one.
  const std::string key = std::string(UNINSTALL_KEY) + "\\" + entry.key;
  if (Status deleted = services.registry.DeleteKey(key); !deleted.ok()) {
    outcome.failed.push_back(key + ": " + deleted.message());
    return outcome;
  }
  outcome.entry_removed = true;
  if (Status removed = fs.RemoveEntry(record_path); !removed.ok() && !IsGone(removed)) {
    outcome.failed.push_back(record_path + ": " + removed.message());
  }
  fs.RemoveEntry(InstallRecordFolder(services.windows_dir, services.code_page));
  return outcome;
}

}  // namespace setup
