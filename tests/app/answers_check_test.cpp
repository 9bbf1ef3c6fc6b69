#include "app/answers_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/memory_file_system.h"

namespace setup {
namespace {

using Lines = std::vector<std::string>;

// A disc of three sections, drives C: (fixed), R: (removable) and D: (the CD-ROM).
struct CheckRig {
  CheckRig() {
    disk.AddDrive('C', DriveType::Fixed);
    disk.AddDrive('R', DriveType::Removable);
    disk.AddDrive('D', DriveType::CdRom);
    config.m_nSections = 3;
  }
  Lines Check(const std::string& text) {
    return CheckAnswers(IniFile::Parse(text), "answers.ini", config, disk);
  }
  testing::MemoryFileSystem disk;
  SetupConfig config;
};

struct Case {
  const char* name;
  const char* text;
  Lines expected;
};

class AnswersCheckTest : public ::testing::TestWithParam<Case> {};

TEST_P(AnswersCheckTest, ReportsEachMistakeAtItsLine) {
  CheckRig rig;
  EXPECT_EQ(rig.Check(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, AnswersCheckTest,
    ::testing::Values(
        Case{"Sound",
             "[options]\nselect = 1, 3\nFOLDER2 = C:\\Books\\Extra\nFolder3 = R:\\x\nDrive = c:\n"
             "Button = exit\n[ConfirmReplace]\nDefault = yestoall\nREAD_ME.TXT = No\n"
             "[ExitConfirm]\nDefault = Continue\n[RenameRetry]\nDefault = Retry\n"
             "[Uninstall]\nDefault = no\n",
             {}},
        Case{"SelectNone", "[Options]\nSelect = None\n", {}},
        Case{"UnknownSection",
             "[Optoins]\nSelect = 1\n",
             {"answers.ini:1: unknown section [Optoins]"}},
        Case{"UnknownKey",
             "[Options]\nSelekt = 1\n",
             {"answers.ini:2: unknown key 'Selekt' in [Options]"}},
        Case{"UnknownButton",
             "; mine\n[Options]\nButton = Contineu\n",
             {"answers.ini:3: Button = Contineu: expected Continue or Exit"}},
        Case{"UnknownReplaceAnswer",
             "[ConfirmReplace]\nDefault = Maybe\n",
             {"answers.ini:2: Default = Maybe: expected Yes, YesToAll, No or Cancel"}},
        Case{"UnknownExitAnswer",
             "[ExitConfirm]\nDefault = Maybe\nOther = Exit\n",
             {"answers.ini:2: Default = Maybe: expected Continue or Exit",
              "answers.ini:3: unknown key 'Other' in [ExitConfirm]"}},
        Case{"UnknownUninstallAnswer",
             "[Uninstall]\nDefault = Maybe\nKeep = Yes\n",
             {"answers.ini:2: Default = Maybe: expected Yes or No",
              "answers.ini:3: unknown key 'Keep' in [Uninstall]"}},
        Case{"UnknownRetryAnswer",
             "[RenameRetry]\nDefault = Again\n",
             {"answers.ini:2: Default = Again: expected Retry or Cancel"}},
        Case{"SelectOutOfRange",
             "[Options]\nSelect = 1,9\n",
             {"answers.ini:2: Select = 1,9: section 9 is out of range (SETUP.INI has 3 "
              "sections)"}},
        Case{"SelectNotANumber",
             "[Options]\nSelect = one\n",
             {"answers.ini:2: Select = one: 'one' is not a section number (or \"none\")"}},
        Case{"SelectEmptyEntry",
             "[Options]\nSelect = 1,,2\n",
             {"answers.ini:2: Select = 1,,2: '' is not a section number (or \"none\")"}},
        Case{"SelectZero",
             "[Options]\nSelect = 0\n",
             {"answers.ini:2: Select = 0: '0' is not a section number (or \"none\")"}},
        Case{"FolderOutOfRange",
             "[Options]\nFolder7 = C:\\Books\n",
             {"answers.ini:2: Folder7: section 7 is out of range (SETUP.INI has 3 sections)"}},
        Case{"FolderZero",
             "[Options]\nFolder0 = C:\\Books\n",
             {"answers.ini:2: unknown key 'Folder0' in [Options]"}},
        Case{"FolderRelative",
             "[Options]\nFolder1 = Books\\Extra\n",
             {"answers.ini:2: Folder1 = Books\\Extra: not a full path (drive letter, ':' and "
              "'\\')"}},
        Case{"FolderDriveRelative",
             "[Options]\nFolder1 = C:Books\n",
             {"answers.ini:2: Folder1 = C:Books: not a full path (drive letter, ':' and '\\')"}},
        Case{"FolderUnmapped",
             "[Options]\nFolder1 = Q:\\Books\n",
             {"answers.ini:2: Folder1 = Q:\\Books: drive Q: is not mapped"}},
        Case{"FolderReadOnly",
             "[Options]\nFolder1 = D:\\Books\n",
             {"answers.ini:2: Folder1 = D:\\Books: drive D: is read-only"}},
        Case{"DriveNotALetter",
             "[Options]\nDrive = CD\n",
             {"answers.ini:2: Drive = CD: not a drive letter"}},
        Case{"DriveUnmapped",
             "[Options]\nDrive = Q\n",
             {"answers.ini:2: Drive = Q: drive Q: is not mapped"}},
        Case{"NoEqualsSign",
             "[Options]\nSelect 1\n",
             {"answers.ini:2: not understood: neither a [Section] header nor key = value in a "
              "section named once"}},
        Case{"KeyBeforeAnySection",
             "\nSelect = 1\n[Options]\n",
             {"answers.ini:2: not understood: neither a [Section] header nor key = value in a "
              "section named once"}},
        Case{"RepeatedSection",
             "[Options]\nSelect = 1\n[options]\nButton = Exit\n",
             {"answers.ini:3: not understood: neither a [Section] header nor key = value in a "
              "section named once"}},
        Case{"UnclosedHeader",
             "[Options\n",
             {"answers.ini:1: not understood: neither a [Section] header nor key = value in a "
              "section named once"}},
        Case{"EveryMistakeInLineOrder",
             "[Options]\nButton = Go\n[Extra]\n[Options2]\nSelect = x\n",
             {"answers.ini:2: Button = Go: expected Continue or Exit",
              "answers.ini:3: unknown section [Extra]",
              "answers.ini:4: unknown section [Options2]"}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace setup
