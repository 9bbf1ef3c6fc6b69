#include "ui/framework/transcript_writer.h"

#include "ui/framework/json_string.h"

namespace setup {

TranscriptWriter::TranscriptWriter(const CodePage& code_page, std::ostream* transcript,
                                   std::ostream* console)
    : code_page_(code_page), transcript_(transcript), console_(console) {}

TranscriptWriter::~TranscriptWriter() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (Slot& slot : slots_) {
    if (!slot.line) slot.line = DialogLine(slot.shown, nullptr);
  }
  FlushLocked();
}

std::string TranscriptWriter::Json(const std::string& ansi) const {
  return JsonString(code_page_.ToUtf8(ansi));
}

std::string TranscriptWriter::DialogLine(const DialogSnapshot& snapshot,
                                         const std::string* answer) const {
  std::string line = "{\"kind\":" + Json(snapshot.kind) + ",\"caption\":" + Json(snapshot.caption);
  line += ",\"controls\":{";
  for (size_t i = 0; i < snapshot.controls.size(); ++i) {
    if (i > 0) line += ",";
    line += '"';
    line += std::to_string(snapshot.controls[i].first);
    line += "\":";
    line += Json(snapshot.controls[i].second);
  }
  line += "}";
  if (snapshot.has_items) {
    line += ",\"items\":[";
    for (size_t i = 0; i < snapshot.items.size(); ++i) {
      if (i > 0) line += ",";
      line += "{\"text\":" + Json(snapshot.items[i].first) +
              ",\"checked\":" + (snapshot.items[i].second ? "true" : "false") + "}";
    }
    line += "]";
  }
  if (answer != nullptr) line += ",\"answer\":" + Json(*answer);
  return line + "}";
}

std::string TranscriptWriter::MessageBoxLine(const MessageBoxRequest& request,
                                             MessageBoxResult answer) const {
  std::string line = "{\"kind\":\"MessageBox\",\"caption\":" + Json(request.caption) +
                     ",\"text\":" + Json(request.text) + ",\"icon\":\"" + IconName(request.icon) +
                     "\",\"buttons\":[";
  auto buttons = ButtonsOf(request.buttons);
  for (size_t i = 0; i < buttons.size(); ++i) {
    if (i > 0) line += ",";
    line += std::string("\"") + ButtonName(buttons[i]) + "\"";
  }
  return line + "],\"answer\":\"" + ButtonName(answer) + "\"}";
}

int TranscriptWriter::OnDialogShown(const DialogSnapshot& snapshot, bool modeless) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (console_ != nullptr) {
    *console_ << snapshot.kind << ": " << code_page_.ToUtf8(snapshot.caption) << "\n";
    for (const auto& [id, text] : snapshot.controls) {
      if (!text.empty()) *console_ << "  " << code_page_.ToUtf8(text) << "\n";
    }
    for (const auto& [text, checked] : snapshot.items) {
      *console_ << "  [" << (checked ? 'x' : ' ') << "] " << code_page_.ToUtf8(text) << "\n";
    }
    console_->flush();
  }
  Slot slot;
  slot.shown = snapshot;
  if (modeless) slot.line = DialogLine(snapshot, nullptr);
  slots_.push_back(std::move(slot));
  int ticket = static_cast<int>(slots_.size() - 1);
  FlushLocked();
  return ticket;
}

void TranscriptWriter::OnDialogEnded(int ticket, const DialogSnapshot& snapshot,
                                     const std::string& answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (ticket < 0 || static_cast<size_t>(ticket) >= slots_.size()) return;
  slots_[ticket].line = DialogLine(snapshot, &answer);
  FlushLocked();
}

void TranscriptWriter::OnMessageBox(const MessageBoxRequest& request, MessageBoxResult answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (console_ != nullptr) {
    *console_ << code_page_.ToUtf8(request.caption) << ": " << code_page_.ToUtf8(request.text)
              << "\n";
    console_->flush();
  }
  Slot slot;
  slot.line = MessageBoxLine(request, answer);
  slots_.push_back(std::move(slot));
  FlushLocked();
}

void TranscriptWriter::OnCopyFailure(const std::string& file, const std::string& reason) {
  std::lock_guard<std::mutex> lock(mutex_);
  Slot slot;
  slot.line = "{\"kind\":\"CopyFailure\",\"file\":" + Json(file) +
              ",\"reason\":" + JsonString(reason) + "}";
  slots_.push_back(std::move(slot));
  FlushLocked();
}

void TranscriptWriter::FlushLocked() {
  while (written_ < slots_.size() && slots_[written_].line) {
    if (transcript_ != nullptr) *transcript_ << *slots_[written_].line << "\n";
    slots_[written_].line = std::string();  // written; keep the slot for its ticket
    slots_[written_].shown = DialogSnapshot();
    ++written_;
  }
  if (transcript_ != nullptr) transcript_->flush();
}

}  // namespace setup
