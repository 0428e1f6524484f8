// The probe and the packed stamps on what only Linux has: modes, flock and
// open-file-description locks, devices and FIFOs.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_probe.h"
#include "platform/paths.h"
#include "support/file_fixtures.h"
#include "support/hostile_folder.h"

namespace velmaric {
namespace {

using namespace velmaric::testing;

File_System& files = Real_File_System();

TEST(Get_File_Open_State, StatesOfFreeMissingAndRefusedFiles) {
  Temp_Folder folder;
  Write_File(folder.Path("plain"), "x");
  Set_Write_Time(folder.Path("plain"), 1000000000, 123456789);
  Write_File(folder.Path("read_only"), "x");
  ASSERT_EQ(chmod(folder.Path("read_only").c_str(), 0444), 0);
  Make_Hostile_Nodes(folder);
  const int own = open(folder.Path("plain").c_str(), O_RDONLY);  // ours never counts
  const std::string rows[][2] = {
      {"", ""},
      {folder.Path("missing"), ""},
      {folder.Path("gone/file"), ""},
      {folder.Path(""), ""},  // a directory
      {folder.Path("plain"), "CLOSED"},
      {folder.Path("read_only"), "ERROR"},  // even for root, who could write it
      // Nothing but a regular file is even opened.
      {folder.Path("socket"), "ERROR"},
      {folder.Path("fifo"), "ERROR"},
      {folder.Path("null"), "ERROR"},
      {folder.Path("link_to_zero"), "ERROR"}};
  for (const auto& row : rows) EXPECT_EQ(Get_File_Open_State(files, row[0]), row[1]) << row[0];
  close(own);
  EXPECT_EQ(Write_Time(folder.Path("plain")).tv_nsec, 123456789);  // the probe left no trace
}

TEST(Get_File_Open_State, ProbesNamesOfEveryLength) {
  Temp_Folder folder;
  // Each level of the longest name stays within what one level may be.
  const std::string deep = folder.Path(std::string(150, 'd'));
  ASSERT_EQ(mkdir(deep.c_str(), 0755), 0);
  for (const std::size_t length : {127, 128, 147, 300}) {
    const std::string name = length > 200 ? deep + "/" : folder.Path("");
    for (const char holder : {'c', 'f', 'd', 'r'}) {  // child, flock, OFD lock, read-only
      std::string file = name + holder;
      file.append(length - file.size(), 'n');
      Write_File(file, "x");
      std::optional<Holding_Process> child;
      if (holder == 'c') child.emplace(file, false);
      if (holder == 'r') {
        ASSERT_EQ(chmod(file.c_str(), 0444), 0);
      }
      const int own = open(file.c_str(), O_RDONLY);
      struct flock lock {};
      lock.l_type = F_RDLCK;
      if (holder == 'f') flock(own, LOCK_SH);
      if (holder == 'd') fcntl(own, F_OFD_SETLK, &lock);
      EXPECT_EQ(Get_File_Open_State(files, file), holder == 'r' ? "ERROR" : "OPEN") << length;
      close(own);
      EXPECT_EQ(Get_File_Open_State(files, file), holder == 'r' ? "ERROR"
                                                  : child       ? "OPEN"
                                                                : "CLOSED");
    }
  }
}

TEST(File_Date_Stamp, ReadsAndSetsEveryDateThePackedFormHolds) {
  // From 2044 on the packed stamp is a negative number.
  const int rows[][6] = {{1980, 1, 1, 0, 0, 0},      {2001, 2, 3, 4, 5, 7},
                         {2043, 12, 31, 23, 59, 59}, {2044, 1, 1, 0, 0, 0},
                         {2050, 7, 8, 9, 10, 11},    {2107, 12, 31, 23, 59, 58}};
  Temp_Folder folder;
  Write_File(folder.Path("source"), "x");
  Write_File(folder.Path("copy"), "x");
  for (const auto& r : rows) {
    const time_t local = Local_Seconds(r[0], r[1], r[2], r[3], r[4], r[5]);
    Set_Write_Time(folder.Path("source"), local, 999999999);
    const std::optional<std::int32_t> stamp = Get_File_Date_Stamp(files, folder.Path("source"));
    ASSERT_EQ(stamp, Packed(r[0], r[1], r[2], r[3], r[4], r[5])) << r[0];
    Set_File_Date_Stamp(files, folder.Path("copy"), *stamp, true);
    EXPECT_EQ(Write_Time(folder.Path("copy")).tv_sec, local - r[5] % 2) << r[0];
  }
  // Unusable: a time before 1980 or after 2107, a device; a missing file is 0.
  EXPECT_EQ(Get_File_Date_Stamp(files, folder.Path("missing")), 0);
  for (const int year : {1979, 2108}) {
    Set_Write_Time(folder.Path("source"), Local_Seconds(year, 6, 1, 12, 0, 0));
    EXPECT_EQ(Get_File_Date_Stamp(files, folder.Path("source")), std::nullopt) << year;
  }
  Make_Hostile_Nodes(folder);
  EXPECT_EQ(Get_File_Date_Stamp(files, folder.Path("null")), std::nullopt);

  // Left alone: a missing file, an invalid stamp, a held file when closed_only, a device.
  const time_t before = Write_Time(folder.Path("copy")).tv_sec;
  Set_File_Date_Stamp(files, folder.Path("missing"), Packed(2001, 1, 1, 0, 0, 0), false);
  Set_File_Date_Stamp(files, folder.Path("copy"), Packed(2001, 2, 30, 0, 0, 0), false);
  const timespec null_time = Write_Time(folder.Path("null"));
  Set_File_Date_Stamp(files, folder.Path("null"), Packed(2001, 1, 1, 0, 0, 0), false);
  EXPECT_EQ(Write_Time(folder.Path("null")).tv_sec, null_time.tv_sec);
  Holding_Process child(folder.Path("copy"), false);
  Set_File_Date_Stamp(files, folder.Path("copy"), Packed(2001, 1, 1, 0, 0, 0), true);
  EXPECT_EQ(Write_Time(folder.Path("copy")).tv_sec, before);
  EXPECT_FALSE(File_Exists(files, folder.Path("missing")));
}

TEST(Paths, ABareNameLiesInTheCurrentFolder) {
  EXPECT_EQ(Directory_Of_File("c.txt"), "./");
  EXPECT_EQ(Directory_Of_File(""), "./");
  EXPECT_FALSE(Is_Full_Path("c:/a"));
}

}  // namespace
}  // namespace velmaric
