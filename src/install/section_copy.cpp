#include "install/section_copy.h"

#include <array>
#include <cstddef>
#include <memory_resource>
#include <string>
#include <unordered_set>
#include <utility>

#include "install/file_query.h"
#include "install/lz_expand.h"
#include "install/underscores_to_spaces.h"
#include "platform/windows_name_rules.h"
#include "ui/dialogs/message_dialogs.h"

namespace setup {

namespace {

// The names noted in one directory, kept in memory taken from one arena (given back with the
// directory's walk), so that noting a name costs no allocation of its own.
using WrittenNames = std::pmr::unordered_set<std::pmr::string>;

// In a directory the walk has just made (`fresh`), notes `name` as written there: the note,
// and whether the name is new there. Nothing is noted elsewhere. The note is the key under
// which the file system matches the name: as it stores it (without trailing dots and
// blanks), without regard to case.
std::pair<WrittenNames::iterator, bool> NoteWritten(WrittenNames& written, bool fresh,
                                                    const CodePage& code_page,
                                                    std::string_view name) {
  if (!fresh) return {written.end(), false};
  return written.emplace(std::string_view(code_page.Upper(StoredName(name))));
}

}  // namespace

void SectionCopy::CopyDirectoryTree(const std::string& destination, CopyProgress* progress) {
  m_walked.clear();
  FileSystem& fs = m_services.fs;
  Result<FindData> root = fs.GetFileInfo(fs.CurrentDirectory());
  if (root.ok()) m_walked.push_back({root->volume_id, root->file_index});
  // A destination with nothing in it is as good as one the walk made.
  Result<std::vector<FindData>> there = fs.FindFilesWithoutDots(destination + "\\*.*");
  CopyLevel(destination, progress,
            !there.ok() && there.status().win_error() == WinError::FileNotFound);
}

std::string SectionCopy::DestinationName(const std::string& name) const {
  return InstalledName(name, m_services.config, m_services.code_page);
}

void SectionCopy::CopyLevel(const std::string& destination, CopyProgress* progress, bool fresh) {
  FileSystem& fs = m_services.fs;
  const CodePage& code_page = m_services.code_page;
  const std::atomic<bool>& exit_requested = m_services.state.m_bExitRequested;
  if (exit_requested) return;
  Result<std::vector<FindData>> entries = fs.FindFilesWithoutDots("*.*");
  if (!entries.ok()) return;
  // In a directory the walk has just made, the names it wrote there (as the file system
  // matches them, without regard to case) are all that exists: no need to ask the disk. A
  // name is noted when it is met and forgotten again when nothing was written under it.
  // Enough for the names of a small directory without asking the heap.
  std::array<std::byte, 2048> first_names;
  std::pmr::monotonic_buffer_resource arena(first_names.data(), first_names.size());
  WrittenNames written(&arena);
  if (fresh) written.reserve(entries->size());
  // Each destination path is the destination's, a backslash, then the entry's name.
  std::string destination_path;
  destination_path.reserve(destination.size() + 64);
  destination_path = destination;
  destination_path += '\\';
  const size_t name_at = destination_path.size();
  for (const FindData& entry : *entries) {
    if (exit_requested) return;
    destination_path.resize(name_at);
    destination_path += DestinationName(entry.name);
    const std::string_view name = std::string_view(destination_path).substr(name_at);
    if (entry.IsDirectory()) {
      if (!entry.name.empty() && entry.name[0] != '.') {
        const auto [noted, is_new] = NoteWritten(written, fresh, code_page, name);
        const bool made =
            (is_new ? fs.MakeNewDirectory(destination_path) : fs.MakeDirectory(destination_path))
                .ok();
        if (made && m_services.record != nullptr) {
          m_services.record->DirectoryMade(destination_path);
        }
        if (is_new && !made) written.erase(noted);
        const std::string here = fs.CurrentDirectory();
        if (EnterDirectory(entry)) {
          CopyLevel(destination_path, progress, made);
          m_walked.pop_back();
          fs.ChangeDirectory(here);
        }
      }
    } else {
      if (progress) progress->ShowFile(entry.name, destination_path);
      ReplaceAnswer answer = ReplaceAnswer::Copy;
      const auto [noted, is_new] = NoteWritten(written, fresh, code_page, name);
      const bool exists = fresh ? !is_new : IsExistingFile(fs, destination_path);
      if (exists && !m_services.state.g_bYesToAll) {
        answer = ConfirmReplace(entry, destination_path);
      }
      if (answer == ReplaceAnswer::Stop) return;
      const bool copied = answer == ReplaceAnswer::Copy &&
                          CopyOneFile(entry, destination_path, fresh && !exists, exists);
      if (is_new && !copied) written.erase(noted);
      if (progress) progress->FileDone(entry.size);
    }
    if (m_services.state.g_eventStopCopy.Poll()) return;
  }
}

bool SectionCopy::EnterDirectory(const FindData& entry) {
  DirectoryId id{entry.volume_id, entry.file_index};
  if (id != DirectoryId{}) {
    for (const DirectoryId& walked : m_walked) {
      if (walked == id) return false;
    }
  }
  if (!m_services.fs.ChangeDirectory(entry.name).ok()) return false;
  m_walked.push_back(id);
  return true;
}

SectionCopy::ReplaceAnswer SectionCopy::ConfirmReplace(const FindData& entry,
                                                       const std::string& destination_path) {
  FileSystem& fs = m_services.fs;
  const int64_t new_size =
      entry.size > static_cast<uint64_t>(INT64_MAX) ? INT64_MAX : static_cast<int64_t>(entry.size);
  const int64_t old_size = QueryFileSize(fs, destination_path);
  const FileTime old_time = QueryFileWriteTime(fs, destination_path);
  // Continue in the exit confirmation goes back to the same question.
  for (;;) {
    CConfirmReplaceDlg ask(m_services.window_system, m_services.config, entry.name, new_size,
                           old_size, entry.last_write_time, old_time, m_services.to_local);
    const int result = ask.DoModal();
    if (ask.m_bNo) return ReplaceAnswer::Skip;
    if (result == ID_CANCEL) {
      CExitDlg exit(m_services.window_system, m_services.config, m_services.state.m_bExitRequested);
      exit.DoModal();
      if (m_services.state.m_bExitRequested) return ReplaceAnswer::Stop;
      continue;
    }
    if (ask.m_bYesToAll) m_services.state.g_bYesToAll = true;
    return ReplaceAnswer::Copy;
  }
}

bool SectionCopy::CopyOneFile(const FindData& entry, const std::string& destination_path,
                              bool is_new, bool replaces) {
  FileSystem& fs = m_services.fs;
  Status copied;
  // The expanding copy passes every byte through memory, so it hashes them on the way; the
  // record hashes a plain copy, which the host makes without us, afterwards.
  ContentHash hash;
  InstallRecord* record = m_services.record;
  if (m_services.config.m_bFilesCompressed) {
    copied = ExpandFile(fs, entry.name, destination_path, record != nullptr ? &hash : nullptr);
  } else {
    // The plain copy loses the medium's attributes; the expanding one never touches them.
    copied = fs.CopyPlainFile(entry.name, destination_path, is_new);
  }
  if (!copied.ok()) {
    m_services.state.g_bCopyFailed = true;
    m_services.state.m_copyFailures.Add({destination_path, copied.message()});
    return false;
  }
  if (record != nullptr) {
    record->FileWritten(
        destination_path, replaces,
        m_services.config.m_bFilesCompressed ? std::optional(hash.value()) : std::nullopt);
  }
  return true;
}

}  // namespace setup
