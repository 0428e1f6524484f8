#include "settings/file_copy.h"

#include "settings/file_copy_fixture.h"

namespace velmaric {
namespace {

TEST_F(File_Copy, CreatesMissingLevelsAndCopiesContentAndStamp) {
  std::string large(150000, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 % 251);
  // An odd second, and a date whose packed stamp has its top bit set.
  for (const int year : {2011, 2050}) {
    for (const std::string& content : {std::string(), large}) {
      const std::string leaf = std::to_string(year) + "_" + std::to_string(content.size());
      const std::string source = folder.Path("source" + leaf);
      const std::string target = folder.Path("a/b/c/target" + leaf);
      Write_File(source, content);
      Set_Write_Time(source, Local_Seconds(year, 5, 6, 7, 8, 9), 750000000);
      EXPECT_EQ(Copy(source, target), "") << leaf;
      EXPECT_EQ(Read_File(target), content);
      EXPECT_EQ(Get_File_Date_Stamp(files, target), Packed(year, 5, 6, 7, 8, 9)) << leaf;
    }
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(File_Copy, RefusesAHeldOrReadOnlyTargetAndKeepsIt) {
  enum Holder { read_only, long_read_only, child_open, child_flock };
  Write_File(folder.Path("source"), "new");
  for (const Holder holder : {read_only, long_read_only, child_open, child_flock}) {
    std::string target = folder.Path("target" + std::to_string(holder));
    if (holder == long_read_only) target.append(147 - target.size(), 'n');  // probed all the same
    Write_File(target, "keep");
    if (holder <= long_read_only)
      Set_File_Attribute_Flags(files, target, true, false, false, false);
    std::optional<Holding_Process> child;
    if (holder != read_only) child.emplace(target, holder == child_flock);
    EXPECT_EQ(
        Copy(folder.Path("source"), target),
        "Error: The target file \"" + target +
            "\" is locked by another program or is read only, and could not be overwritten !");
    EXPECT_EQ(Read_File(target), "keep");
    if (holder <= long_read_only) {
      using std::filesystem::perms;
      EXPECT_EQ(std::filesystem::status(target).permissions() &
                    (perms::owner_write | perms::group_write | perms::others_write),
                perms::none)
          << holder;
    }
  }
}

TEST_F(File_Copy, CheckedFailuresLeaveAMessage) {
  Write_File(folder.Path("source"), "x");
  Write_File(folder.Path("file"), "x");
  EXPECT_NE(Copy(folder.Path("missing"), folder.Path("new/target")), "");
  EXPECT_FALSE(Directory_Exists(files, folder.Path("new")));  // nothing touched
  EXPECT_EQ(Copy(folder.Path("source"), folder.Path("file/sub/target")),
            "Error: The destination directory \"" + folder.Path("file/sub/") +
                "\" could NOT be created !");
  EXPECT_TRUE(boxes.shown.empty());

  Set_Write_Time(folder.Path("source"), Local_Seconds(1975, 6, 1, 12, 0, 0));  // cannot be packed
  const std::string message =
      "File's date / time could NOT be synchrized : Could not open file : " + folder.Path("source");
  EXPECT_EQ(Copy(folder.Path("source"), folder.Path("target")), message);
  EXPECT_EQ(boxes.shown, std::vector<std::string>{message});
  EXPECT_EQ(Read_File(folder.Path("target")), "x");
}

TEST(Date_Stamp_Text, ShortDateAndLongTimeWithoutMidnight) {
  const Date_Time_Formats saved = User_Date_Time_Formats();
  Set_User_Date_Time_Formats({"%Y-%m-%d", "%H:%M:%S"});
  EXPECT_EQ(Date_Stamp_Text(Packed(2001, 2, 3, 4, 5, 6)), "2001-02-03 04:05:06");
  EXPECT_EQ(Date_Stamp_Text(Packed(2001, 2, 3, 0, 0, 0)), "2001-02-03");
  EXPECT_EQ(Date_Stamp_Text(0), "(unreadable)");
  Set_User_Date_Time_Formats(saved);
}

}  // namespace
}  // namespace velmaric
