#include "platform/paths.h"

#include <gtest/gtest.h>

#include "support/file_fixtures.h"

namespace velmaric {
namespace {

using testing::Temp_Folder;

File_System& files = Real_File_System();

// Names written with '/' mean the same on both systems.
TEST(Paths, DirectoryOfFileAndForcedLevels) {
  for (const auto& row : {std::pair{"/a/b/", "/a/b/"}, {"/a/b/c.txt", "/a/b/"}, {"/c", "/"}}) {
    EXPECT_EQ(Directory_Of_File(row.first), row.second);
  }
  Temp_Folder folder;
  EXPECT_TRUE(Is_Full_Path(folder.Path("a")));
  EXPECT_FALSE(Is_Full_Path("a/b"));
  EXPECT_TRUE(Force_Directory_Path(files, folder.Path("a/b")));
  EXPECT_TRUE(Directory_Exists(files, folder.Path("a/b")));
  EXPECT_FALSE(Force_Directory_Path(files, folder.Path("a/b/")));  // nothing left to create
  EXPECT_FALSE(Force_Directory_Path(files, ""));
  EXPECT_FALSE(Directory_Exists(files, folder.Path("a/b/missing")));
}

}  // namespace
}  // namespace velmaric
