#include "install_fixture.h"

#include <filesystem>

#include "config/ini_file.h"
#include "config/setup_keys.h"
#include "config/setup_texts.h"
#include "platform/host_file_system.h"
#include "script/directory_path.h"
#include "support/faulty_files.h"

namespace setup::testing {

void Gate::Open() {
  std::lock_guard<std::mutex> lock(mutex_);
  open_ = true;
  changed_.notify_all();
}

void Gate::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  arrived_ = true;
  changed_.notify_all();
  changed_.wait(lock, [this] { return open_; });
}

void Gate::WaitForArrival() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return arrived_; });
}

namespace {

bool Has(const std::string& path, const std::string& marker) {
  return !marker.empty() && path.find(marker) != std::string::npos;
}

}  // namespace

Status FaultyFileSystem::CopyFileTo(const std::string& from, const std::string& to,
                                    bool fail_if_exists) {
  if (on_copy) on_copy(from);
  if (Has(to, deny_writes_to)) return Status::Error(WinError::AccessDenied, to, "read-only");
  if (Has(from, medium_gone_at)) return Status::Error(WinError::NotReady, from, "medium gone");
  if (Has(to, disk_full_at)) return Status::Error(WinError::DiskFull, to, "the disk is full");
  return FileSystemWrapper::CopyFileTo(from, to, fail_if_exists);
}

Result<std::unique_ptr<ReadableFile>> FaultyFileSystem::OpenForRead(const std::string& path) {
  auto file = FileSystemWrapper::OpenForRead(path);
  if (!file.ok() || !Has(path, medium_gone_at)) return file;
  return std::unique_ptr<ReadableFile>(
      std::make_unique<CutReadableFile>(std::move(*file), read_limit));
}

Result<std::unique_ptr<WritableFile>> FaultyFileSystem::CreateForWrite(const std::string& path) {
  if (Has(path, deny_writes_to)) return Status::Error(WinError::AccessDenied, path, "read-only");
  auto file = FileSystemWrapper::CreateForWrite(path);
  if (!file.ok() || !Has(path, disk_full_at)) return file;
  return std::unique_ptr<WritableFile>(
      std::make_unique<FullWritableFile>(std::move(*file), write_limit));
}

Status FaultyFileSystem::ChangeDirectory(const std::string& path) {
  if (locked_dirs.count(path)) return Status::Error(WinError::AccessDenied, path, "no access");
  return FileSystemWrapper::ChangeDirectory(path);
}

InstallFixture::InstallFixture() {
  HostFileServices host = NewHostFileServices(
      MakeTempDriveMap(temp, {{'C', "c", DriveType::Fixed}, {'D', "disc", DriveType::CdRom}}),
      code_page, "D:\\");
  real = std::move(host.fs);
  links = std::move(host.links);
  fs = std::make_unique<FaultyFileSystem>(real.get());
  const std::pair<int, const char*> texts[] = {
      {TEXT_CANCELBUTTON, "Cancel"},
      {TEXT_EXITTITLE, "Exit Setup"},
      {TEXT_EXITTEXT, "Exit anyway?"},
      {TEXT_CONTINUEBUTTON, "&Continue"},
      {TEXT_EXITBUTTON, "E&xit"},
      {TEXT_INSTALLINGTITLE, "Installing"},
      {TEXT_INSTALLINGTEXT1, "Copying the book's files."},
      {TEXT_INSTALLINGTEXT2, "to"},
      {TEXT_CONFIRMREPLACETITLE, "Confirm File Replace"},
      {TEXT_CONFIRMREPLACETEXT1, "This folder already contains a file called '%s'."},
      {TEXT_LONGFILENAMEPROBLEMTEXT, "Some files could not be expanded."},
      {TEXT_BYTES, "Bytes"},
      {TEXT_KBYTES, "KBytes"},
      {TEXT_MBYTES, "MBytes"},
  };
  for (const auto& [number, text] : texts) config.SetText(number, text);
  config.m_bValid = true;
  config.m_nSections = 1;
  config.SetSectionValue(KEY_CODEDIR, "CODE");
  config.SetSectionValue(KEY_DESTDIR, "C:\\Book");
  config.SetSectionValue(KEY_PRODUCTNAME, "Book");
  config.SetSectionValue(KEY_SHORTCUTLOCATION, "NULL");
  config.SetSectionValue(KEY_SHORTCUTNAME, "Book");
  folders[FOLDER_STARTDIR] = "D:\\";
  folders[FOLDER_WORKDIR] = "D:\\";
  ws = std::make_unique<HeadlessWindowSystem>(user, &writer, code_page);
}

void InstallFixture::Disc(const std::string& path, const std::string& contents) {
  temp.WriteFile("disc/" + path, contents);
}

void InstallFixture::DestFile(const std::string& path, const std::string& contents) {
  temp.WriteFile("c/" + path, contents);
}

std::string InstallFixture::Dest(const std::string& path) const {
  return temp.ReadFile("c/" + path);
}

bool InstallFixture::DestExists(const std::string& path) const { return temp.Exists("c/" + path); }

std::vector<std::string> InstallFixture::Shown() const {
  std::vector<std::string> shown;
  std::istringstream in(transcript.str());
  for (std::string line; std::getline(in, line);) {
    auto field = [&](const std::string& name) {
      size_t at = line.find("\"" + name + "\":\"");
      if (at == std::string::npos) return std::string();
      at += name.size() + 4;
      return line.substr(at, line.find('"', at) - at);
    };
    shown.push_back(field("kind") + "=" + field("answer"));
  }
  return shown;
}

void InstallFixture::CopyTree(const std::string& code_dir, const std::string& destination) {
  CreateDirectoryPath(*fs, destination, code_page);
  fs->ChangeDirectory("D:\\" + code_dir);
  SectionCopy copy({*fs, config, state, *ws, code_page, [](FileTime t) { return t; }});
  // The walk runs on a thread of its own, as the install worker runs it, so its questions are
  // marshalled to this (the UI) thread.
  bool done = false;
  std::thread walker([&] {
    copy.CopyDirectoryTree(destination, nullptr);
    ws->InvokeOnUiThread([&] { done = true; });
  });
  ws->RunTasksUntil([&] { return done; });
  walker.join();
}

void InstallFixture::SetAnswers(const std::string& ini_text) {
  answers = AnswersUser(IniFile::Parse(ini_text));
}

std::string SzddOf(const std::string& data) {
  std::string out("SZDD\x88\xF0\x27\x33", 8);
  out += 'A';
  out += '\0';
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>(data.size() >> shift);
  for (size_t i = 0; i < data.size(); i += 8) {
    out += static_cast<char>(0xFF);
    out += data.substr(i, 8);
  }
  return out;
}

}  // namespace setup::testing
