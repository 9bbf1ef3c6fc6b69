#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/front_end.h"
#include "setup_runner.h"
#include "support/loaded_code_page.h"

namespace setup {
namespace {

using testing::DiscSection;
using testing::SetupRunner;

bool Holds(const std::vector<std::string>& lines, const std::string& text) {
  for (const std::string& line : lines) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

// A Japanese disc in Shift-JIS. '表' (0x95 0x5C), 'ソ' (0x83 0x5C) and '能' (0x94 0x5C) end in
// the byte of '\', 'ヂ' (0x83 0x61) in the byte of 'a'; on the host every name is UTF-8.
class DoubleByteE2eTest : public ::testing::Test, public SetupRunner {
 protected:
  DoubleByteE2eTest() : shift_jis_(testing::LoadedCodePage(932)) {
    std::ofstream(temp.Join("profile.ini"), std::ios::app) << "CodePage = 932\n";
  }

  // SETUP.TXT of the sample disc in Shift-JIS, with Japanese texts where `texts` says.
  void WriteTexts(const std::vector<std::pair<std::string, std::string>>& texts) {
    std::ostringstream out;
    std::ifstream in(std::string(SETUP_SOURCE_DIR) + "/examples/sample_disc/SETUP.TXT");
    for (std::string line; std::getline(in, line);) {
      for (const auto& [key, text] : texts) {
        if (line.rfind(key + "=", 0) == 0) line = key + "=" + text + "\r";
      }
      out << line << "\n";
    }
    temp.WriteFile("disc/SETUP.TXT", shift_jis_.FromUtf8(out.str()));
  }

  CodePage shift_jis_;
};

TEST_F(DoubleByteE2eTest, AShiftJisDiscInstallsUnderItsOwnNames) {
  temp.WriteFile("disc/表/能力.TXT", "ability");
  temp.WriteFile("disc/表/ソ/表_ソ.TXT", "table and so");
  temp.WriteFile("disc/表/ヂ.TXT", "katakana di");
  temp.WriteFile("disc/表/ソ.TXT", "so");
  temp.WriteFile("disc/SCRIPTS/表.TXT", shift_jis_.FromUtf8("MD %INSTALLPATH%\\能\\ソ\r\n"
                                                            "COPY %STARTDIR%\\表\\ソ.TXT "
                                                            "\"%INSTALLPATH%\\能\\ソ\"\r\n"));
  // A file whose name differs from 'ヂ' only in the second byte's case is another file.
  temp.WriteFile("c/ソフト/表/ア.txt", "katakana a");
  DiscSection book{"\x95\x5C", "C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C",
                   "\x93\xFA\x96\x7B\x82\xCC\x95\x5C"};
  book.shortcut_location = "desktop";
  book.shortcut_name = "\x95\x5C";
  book.command_file = "SCRIPTS\\\x95\x5C.TXT";
  book.uninstall = "TRUE";
  WriteDisc({book}, true);
  temp.WriteFile("disc/ZORUNIN.EXE", "uninstaller program");
  WriteTexts(
      {{"WelcomeTitle", "ようこそ"}, {"FinishedText", "%s のファイルをインストールしました。"}});

  ASSERT_EQ(RunSetup(), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(temp.ReadFile("c/ソフト/表/能力.txt"), "ability");
  EXPECT_EQ(temp.ReadFile("c/ソフト/表/ソ/表 ソ.txt"), "table and so");
  EXPECT_EQ(temp.ReadFile("c/ソフト/表/ヂ.txt"), "katakana di");
  EXPECT_EQ(temp.ReadFile("c/ソフト/表/ア.txt"), "katakana a");
  EXPECT_EQ(temp.ReadFile("c/ソフト/表/能/ソ/ソ.TXT"), "so");
  EXPECT_EQ(Link("c/Desktop/表.Lnk"), temp.Join("c/ソフト/表"));
  EXPECT_EQ(Uninstall("\x93\xFA\x96\x7B\x82\xCC\x95\x5C", "UninstallString"),
            "C:\\WINDOWS\\ZORUNIN.EXE `C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C` "
            "\x93\xFA\x96\x7B\x82\xCC\x95\x5C");

  // The registry key ends in the product name's last character, '表', whole.
  EXPECT_NE(
      temp.ReadFile("registry.reg").find("\\Uninstall\\\x93\xFA\x96\x7B\x82\xCC\x95\x5C]\r\n"),
      std::string::npos);

  const std::vector<std::string> transcript = Transcript();
  EXPECT_FALSE(Holds(transcript, "CConfirmReplaceDlg")) << Stderr();
  EXPECT_TRUE(Holds(transcript, "\"caption\":\"ようこそ\"")) << Stderr();
  EXPECT_TRUE(Holds(transcript, "Test Book のファイルをインストールしました。")) << Stderr();
  EXPECT_TRUE(Holds(transcript, "Setup is finishing the installation of 日本の表.")) << Stderr();
  EXPECT_TRUE(Holds(transcript, "\"text\":\"日本の表\\t")) << Stderr();
}

}  // namespace
}  // namespace setup
