#include "app/progress_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/memory_file_system.h"
#include "ui/framework/dialog_snapshot.h"

namespace setup {
namespace {

// Records what reaches the observer behind the progress line.
class RecordingObserver : public DialogObserver {
 public:
  int OnDialogShown(const DialogSnapshot& snapshot, bool) override {
    seen.push_back("shown " + snapshot.kind);
    return static_cast<int>(seen.size());
  }
  void OnDialogEnded(int ticket, const DialogSnapshot& snapshot, const std::string&) override {
    seen.push_back("ended " + snapshot.kind + " " + std::to_string(ticket));
  }
  void OnMessageBox(const MessageBoxRequest& request, MessageBoxResult) override {
    seen.push_back("box " + request.text);
  }
  std::vector<std::string> seen;
};

struct ProgressRig {
  ProgressRig() { disk.AddDrive('C', DriveType::Fixed); }
  void Write(const std::string& path, const std::string& text) {
    auto file = fs.CreateForWrite(path);
    ASSERT_TRUE(file.ok());
    ASSERT_TRUE((*file)->Write(text.data(), text.size()).ok());
    ASSERT_TRUE((*file)->Commit().ok());
  }
  int Show(const std::string& kind, const std::string& caption = "") {
    DialogSnapshot snapshot;
    snapshot.kind = kind;
    snapshot.caption = caption;
    return line.OnDialogShown(snapshot, false);
  }
  void End(int ticket, const std::string& kind) {
    DialogSnapshot snapshot;
    snapshot.kind = kind;
    line.OnDialogEnded(ticket, snapshot, "OK");
  }

  testing::MemoryFileSystem disk;
  RecordingObserver inner;
  CodePage code_page;
  std::ostringstream out;
  ProgressLine line{inner, code_page, out};
  ProgressFileSystem fs{&disk, line};
};

TEST(ProgressLineTest, OneLinePerSectionRewrittenAsFilesLand) {
  ProgressRig rig;
  rig.Write("C:\\BEFORE.TXT", "not counted");
  const int first = rig.Show("CInstallingDlg", "Installing Book");
  rig.Write("C:\\A.TXT", "abc");
  ASSERT_TRUE(rig.fs.CopyFileTo("C:\\A.TXT", "C:\\B.TXT", false).ok());
  ASSERT_TRUE(rig.fs.CopyNewFile("C:\\A.TXT", "C:\\D.TXT").ok());
  ASSERT_TRUE(rig.fs.CopyPlainFile("C:\\A.TXT", "C:\\E.TXT", true).ok());
  rig.End(first, "CInstallingDlg");
  const int second = rig.Show("CInstallingDlg", "Installing Samples");
  rig.Write("C:\\C.TXT", "x");
  rig.End(second, "CInstallingDlg");
  rig.Write("C:\\AFTER.TXT", "not counted");
  EXPECT_EQ(rig.out.str(),
            "\rInstalling Book: 1 file, 3 bytes\rInstalling Book: 2 files, 6 bytes"
            "\rInstalling Book: 3 files, 9 bytes\rInstalling Book: 4 files, 12 bytes\n"
            "\rInstalling Samples: 1 file, 1 byte\n");
  EXPECT_EQ(rig.inner.seen,
            (std::vector<std::string>{"shown CInstallingDlg", "ended CInstallingDlg 1",
                                      "shown CInstallingDlg", "ended CInstallingDlg 3"}));
}

TEST(ProgressLineTest, AQuestionDuringTheCopyStartsOnALineOfItsOwn) {
  ProgressRig rig;
  const int ticket = rig.Show("CInstallingDlg", "Copying");
  rig.Write("C:\\A.TXT", "ab");
  rig.line.OnMessageBox({"Setup", "Disk full"}, MessageBoxResult::Ok);
  const int replace = rig.Show("CConfirmReplaceDlg");
  rig.End(replace, "CConfirmReplaceDlg");
  rig.Write("C:\\B.TXT", "c");
  rig.End(ticket, "CInstallingDlg");
  EXPECT_EQ(rig.out.str(), "\rCopying: 1 file, 2 bytes\n\rCopying: 2 files, 3 bytes\n");
  EXPECT_EQ(rig.inner.seen.size(), 5u);
}

TEST(ProgressLineTest, AFailedWriteIsNotCounted) {
  ProgressRig rig;
  const int ticket = rig.Show("CInstallingDlg", "Copying");
  EXPECT_FALSE(rig.fs.CopyFileTo("C:\\MISSING.TXT", "C:\\B.TXT", false).ok());
  EXPECT_FALSE(rig.fs.CopyNewFile("C:\\MISSING.TXT", "C:\\B.TXT").ok());
  EXPECT_FALSE(rig.fs.CopyPlainFile("C:\\MISSING.TXT", "C:\\B.TXT", false).ok());
  rig.End(ticket, "CInstallingDlg");
  EXPECT_EQ(rig.out.str(), "");
}

}  // namespace
}  // namespace setup
