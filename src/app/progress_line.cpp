#include "app/progress_line.h"

#include "ui/dialogs/installation_dialogs.h"
#include "ui/framework/dialog_snapshot.h"

namespace setup {

namespace {

// Counts the bytes written and reports the file when it is put in place.
class CountedFile : public WritableFile {
 public:
  CountedFile(std::unique_ptr<WritableFile> file, ProgressLine& line)
      : file_(std::move(file)), line_(line) {}
  Status Write(const char* data, size_t n) override {
    Status status = file_->Write(data, n);
    if (status.ok()) bytes_ += n;
    return status;
  }
  Status Commit() override {
    Status status = file_->Commit();
    if (status.ok()) line_.OnFileWritten(bytes_);
    return status;
  }

 private:
  std::unique_ptr<WritableFile> file_;
  ProgressLine& line_;
  uint64_t bytes_ = 0;
};

}  // namespace

int ProgressLine::OnDialogShown(const DialogSnapshot& snapshot, bool modeless) {
  std::lock_guard<std::mutex> lock(mutex_);
  BreakLineLocked();
  const int ticket = inner_.OnDialogShown(snapshot, modeless);
  if (!modeless && snapshot.kind == KindOf(InstallDialog::Installing)) {
    ticket_ = ticket;
    caption_ = code_page_.ToUtf8(snapshot.caption);
    files_ = 0;
    bytes_ = 0;
  }
  return ticket;
}

void ProgressLine::OnDialogEnded(int ticket, const DialogSnapshot& snapshot,
                                 const std::string& answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  BreakLineLocked();
  if (ticket_ == ticket) ticket_.reset();
  inner_.OnDialogEnded(ticket, snapshot, answer);
}

void ProgressLine::OnMessageBox(const MessageBoxRequest& request, MessageBoxResult answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  BreakLineLocked();
  inner_.OnMessageBox(request, answer);
}

void ProgressLine::OnFileWritten(uint64_t bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!ticket_) return;
  ++files_;
  bytes_ += bytes;
  out_ << '\r' << caption_ << ": " << files_ << (files_ == 1 ? " file, " : " files, ") << bytes_
       << (bytes_ == 1 ? " byte" : " bytes") << std::flush;
  line_open_ = true;
}

void ProgressLine::BreakLineLocked() {
  if (line_open_) out_ << '\n' << std::flush;
  line_open_ = false;
}

Status ProgressFileSystem::CopyFileTo(const std::string& from, const std::string& to,
                                      bool fail_if_exists) {
  return Counted(FileSystemWrapper::CopyFileTo(from, to, fail_if_exists), to);
}

Status ProgressFileSystem::CopyNewFile(const std::string& from, const std::string& to) {
  return Counted(target()->CopyNewFile(from, to), to);
}

Status ProgressFileSystem::CopyPlainFile(const std::string& from, const std::string& to,
                                         bool is_new) {
  return Counted(target()->CopyPlainFile(from, to, is_new), to);
}

Status ProgressFileSystem::Counted(Status status, const std::string& to) {
  if (status.ok()) {
    Result<FindData> copied = GetFileInfo(to);
    line_.OnFileWritten(copied.ok() ? copied->size : 0);
  }
  return status;
}

Result<std::unique_ptr<WritableFile>> ProgressFileSystem::CreateForWrite(const std::string& path) {
  Result<std::unique_ptr<WritableFile>> file = FileSystemWrapper::CreateForWrite(path);
  if (!file.ok()) return file;
  return std::unique_ptr<WritableFile>(std::make_unique<CountedFile>(std::move(*file), line_));
}

}  // namespace setup
