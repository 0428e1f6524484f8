#include "platform/file_probe.h"

#include "platform/file_fixtures.h"
#include "platform/paths.h"

namespace velmaric {
namespace {

using namespace velmaric::testing;

TEST(Get_File_Open_State, StatesOfFreeMissingAndRefusedFiles) {
  Temp_Folder folder;
  Write_File(folder.Path("plain"), "x");
  Set_Write_Time(folder.Path("plain"), 1000000000, 123456789);
  Write_File(folder.Path("read_only"), "x");
  ASSERT_EQ(chmod(folder.Path("read_only").c_str(), 0444), 0);
  Make_Socket_File(folder.Path("socket"));
  Unique_Fd own(open(folder.Path("plain").c_str(), O_RDONLY));  // ours never counts
  const std::string rows[][2] = {
      {"", ""}, {folder.Path("missing"), ""}, {folder.Path("gone/file"), ""},
      {folder.Path(""), ""},  // a directory
      {folder.Path("plain"), "CLOSED"},
      {folder.Path("read_only"), "ERROR"},  // even for root, who could write it
      {folder.Path("socket"), "NOT FOUND"}};
  for (const auto& row : rows) EXPECT_EQ(Get_File_Open_State(row[0]), row[1]) << row[0];
  EXPECT_EQ(Write_Time(folder.Path("plain")).tv_nsec, 123456789);  // the probe left no trace
}

TEST(Get_File_Open_State, FileHeldElsewhereIsOpenUnlessTheNameIsTooLong) {
  Temp_Folder folder;
  for (const std::size_t length : {std::size_t{127}, std::size_t{128}}) {
    for (const char holder : {'c', 'f', 'd'}) {  // child, flock, open-file-description lock
      std::string name = folder.Path(std::string(1, holder));
      name.append(length - name.size(), 'n');
      Write_File(name, "x");
      std::optional<Holding_Process> child;
      if (holder == 'c') child.emplace(name, false);
      Unique_Fd own(open(name.c_str(), O_RDWR));
      struct flock lock {};
      lock.l_type = F_WRLCK;
      if (holder == 'f') flock(own.Get(), LOCK_EX);
      if (holder == 'd') fcntl(own.Get(), F_OFD_SETLK, &lock);
      EXPECT_EQ(Get_File_Open_State(name), length < 128 ? "OPEN" : "CLOSED") << length;
    }
  }
}

TEST(File_Date_Stamp, ReadsAndSetsAtTwoSecondResolution) {
  const int rows[][6] = {{2001, 2, 3, 4, 5, 7}, {2043, 12, 31, 23, 59, 59}, {2107, 1, 1, 0, 0, 0}};
  Temp_Folder folder;
  Write_File(folder.Path("source"), "x");
  Write_File(folder.Path("copy"), "x");
  for (const auto& r : rows) {
    const time_t local = Local_Seconds(r[0], r[1], r[2], r[3], r[4], r[5]);
    Set_Write_Time(folder.Path("source"), local, 999999999);
    const std::int32_t stamp = Get_File_Date_Stamp(folder.Path("source"));
    EXPECT_EQ(stamp, Packed(r[0], r[1], r[2], r[3], r[4], r[5])) << r[0];
    Set_File_Date_Stamp(folder.Path("copy"), stamp, true);
    EXPECT_EQ(Write_Time(folder.Path("copy")).tv_sec, local - r[5] % 2) << r[0];
  }
  // Unusable: a time before 1980, a missing file, an invalid stamp, a held file when closed_only.
  EXPECT_EQ(Get_File_Date_Stamp(folder.Path("missing")), 0);
  Set_Write_Time(folder.Path("copy"), Local_Seconds(1979, 12, 31, 12, 0, 0));
  EXPECT_EQ(Get_File_Date_Stamp(folder.Path("copy")), -1);
  Set_File_Date_Stamp(folder.Path("missing"), Packed(2001, 1, 1, 0, 0, 0), false);
  Set_File_Date_Stamp(folder.Path("copy"), Packed(2001, 2, 30, 0, 0, 0), false);
  Holding_Process child(folder.Path("copy"), false);
  Set_File_Date_Stamp(folder.Path("copy"), Packed(2001, 1, 1, 0, 0, 0), true);
  EXPECT_EQ(Write_Time(folder.Path("copy")).tv_sec, Local_Seconds(1979, 12, 31, 12, 0, 0));
  EXPECT_FALSE(File_Exists(folder.Path("missing")));
}

TEST(Paths, DirectoryOfFileAndForcedLevels) {
  for (const auto& row : {std::pair{"/a/b/", "/a/b/"}, {"/c", "/"}, {"c.txt", "./"}}) {
    EXPECT_EQ(Directory_Of_File(row.first), row.second);
  }
  Temp_Folder folder;
  EXPECT_TRUE(Force_Directory_Path(folder.Path("a/b")));
  EXPECT_TRUE(Directory_Exists(folder.Path("a/b")));
  EXPECT_FALSE(Force_Directory_Path(folder.Path("a/b/")));  // nothing left to create
  EXPECT_FALSE(Force_Directory_Path(""));
}

}  // namespace
}  // namespace velmaric
