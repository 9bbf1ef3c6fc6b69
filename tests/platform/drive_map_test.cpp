#include "platform/drive_map.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(DriveMapTest, StartDirectoryUnderAMappedDrive) {
  DriveMap drives;
  drives.Map('C', "/home/me", DriveType::Fixed);
  drives.Map('F', "/home/me/discs", DriveType::CdRom);
  struct Case {
    const char* host;
    const char* windows;
  } cases[] = {
      {"/home/me", "C:\\"},
      {"/home/me/books/", "C:\\books"},
      {"/home/me/discs/Book1", "F:\\Book1"},  // the deepest root wins
      {"/home/mess", "D:\\"},                 // not below /home/me
  };
  for (const auto& c : cases) EXPECT_EQ(drives.MapStartDirectory(c.host), c.windows) << c.host;
  EXPECT_EQ(drives.Find('D')->host_root, "/home/mess");
  EXPECT_EQ(drives.Find('D')->type, DriveType::CdRom);
  EXPECT_EQ(drives.MapStartDirectory("/media/x"), "E:\\");
  EXPECT_EQ(drives.MapStartDirectory("/home/me/\xC3\x9C"
                                     "bungen"),
            "C:\\\xDC"
            "bungen");
}

TEST(DriveMapTest, NoFreeLetterForTheStartDirectory) {
  DriveMap drives;
  for (char letter = 'D'; letter <= 'Z'; ++letter) {
    drives.Map(letter, std::string("/") + letter, DriveType::Fixed);
  }
  EXPECT_EQ(drives.MapStartDirectory("/elsewhere"), std::nullopt);
  EXPECT_EQ(drives.MapStartDirectory("/"), std::nullopt);
  drives.Map('C', "/", DriveType::Fixed);
  EXPECT_EQ(drives.MapStartDirectory("/elsewhere/x"), "C:\\elsewhere\\x");
}

}  // namespace
}  // namespace setup
