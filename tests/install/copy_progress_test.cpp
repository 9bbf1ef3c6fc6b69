#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>

#include "install/copy_meter.h"
#include "install/installing_dlg.h"
#include "install/source_tree_bytes.h"
#include "install_fixture.h"
#include "support/loaded_code_page.h"
#include "support/temp_drives.h"
#include "ui/dialogs/dialog_ids.h"

namespace setup {
namespace {

using testing::Gate;
using testing::InstallFixture;

TEST(CopyMeterTest, PercentOfTheBytesCopied) {
  struct Case {
    uint64_t total;
    uint64_t done;
    int percent;
  };
  const Case cases[] = {
      {0, 0, 100},  // an empty tree is done at once
      {400, 0, 0},
      {400, 399, 99},
      {400, 500, 100},                   // a file that grew since it was counted
      {UINT64_MAX, UINT64_MAX / 2, 50},  // no overflow for the largest trees
  };
  for (const Case& c : cases) {
    CopyMeter meter;
    meter.Start(c.total);
    meter.Add(c.done);
    EXPECT_EQ(meter.Percent(), c.percent) << c.done << " of " << c.total;
  }
}

class SourceTreeBytesTest : public ::testing::Test, public InstallFixture {};

TEST_F(SourceTreeBytesTest, CountsTheFilesTheWalkCopies) {
  Disc("CODE/A.TXT", std::string(300, 'a'));
  Disc("CODE/SUB/B.TXT", std::string(100, 'b'));
  Disc("CODE/SUB/DEEPER/C.TXT", std::string(20, 'c'));
  // The walk leaves out directories whose names start with a dot.
  Disc("CODE/.HIDDEN/D.TXT", std::string(1000, 'd'));
  EXPECT_EQ(SourceTreeBytes(*fs, "D:\\CODE", code_page), 420u);
  EXPECT_EQ(SourceTreeBytes(*fs, "D:\\CODE\\", code_page), 420u);
  EXPECT_EQ(SourceTreeBytes(*fs, "D:\\NONE", code_page), 0u);
}

// '表' is 0x95 0x5C in Shift-JIS: its second byte is no trailing backslash to drop.
TEST_F(SourceTreeBytesTest, AFolderEndingInASecondByte5CIsCounted) {
  Disc("表/A.TXT", std::string(30, 'a'));
  Disc("表/ソ/B.TXT", std::string(5, 'b'));
  const CodePage shift_jis = testing::LoadedCodePage(932);
  auto disc = testing::MakeTempDrives(temp, {{'D', "disc", DriveType::CdRom}}, "D:\\", shift_jis);
  EXPECT_EQ(SourceTreeBytes(*disc, "D:\\\x95\x5C", shift_jis), 35u);
  EXPECT_EQ(SourceTreeBytes(*disc, "D:\\\x95\x5C\\", shift_jis), 35u);
}

TEST_F(SourceTreeBytesTest, ALinkToAnAncestorIsNotCountedAgain) {
  Disc("CODE/A.TXT", std::string(10, 'a'));
  temp.MakeDir("disc/CODE/SUB");
  if (!temp.Link("disc/CODE/SUB/UP", "disc/CODE")) {
    GTEST_SKIP() << "the host makes no symbolic links";
  }
  EXPECT_EQ(SourceTreeBytes(*fs, "D:\\CODE", code_page), 10u);
}

// The bar shows the share of the section's bytes past when the window shows a file.
TEST_F(SourceTreeBytesTest, TheProgressBarFollowsTheBytesCopied) {
  Disc("CODE/A.TXT", std::string(300, 'a'));
  Disc("CODE/B.TXT", std::string(100, 'b'));
  Gate gate;
  fs->on_copy = [&](const std::string& from) {
    if (from == "B.TXT") gate.Wait();
  };
  auto bar_of = [](UserDriver& d) {
    auto* bar = dynamic_cast<ProgressControl*>(d.dialog().GetDlgItem(InstallingIds::PROGRESS));
    return bar ? bar->GetPos() : -1;
  };
  int while_b = -1;
  // First turn: wait until B.TXT is being copied; the window then shows it before the next.
  user.When("CInstallingDlg", [&](UserDriver&) { gate.WaitForArrival(); });
  user.When("CInstallingDlg", [&](UserDriver& d) {
    while_b = bar_of(d);
    gate.Open();
  });
  temp.MakeDir("c/Desktop");
  // Each offer comes a whole interval after the last, so B.TXT is always handed over, however
  // quickly the window thread took A.TXT.
  std::atomic<int64_t> ticks{0};
  auto clock = [&ticks] {
    return std::chrono::steady_clock::time_point(LatestFile::INTERVAL * (++ticks));
  };
  CInstallingDlg dialog({*fs, config, folders, state, *ws, code_page, *links, {}}, clock);
  EXPECT_EQ(dialog.DoModal(), ID_OK);
  EXPECT_EQ(while_b, 75);
}

}  // namespace
}  // namespace setup
