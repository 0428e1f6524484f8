#include "settings/file_copy.h"

#include <filesystem>
#include <functional>
#include <vector>

#include "core/command_error.h"
#include "core/time_text.h"
#include "platform/file_probe.h"
#include "platform/paths.h"
#include "support/error_of.h"
#include "support/file_fixtures.h"

namespace velmaric {
namespace {

using namespace velmaric::testing;

File_System& files = Real_File_System();

class Recording_Boxes : public Message_Box {
 public:
  void Information(const std::string& text) override { shown.push_back(text); }
  bool Warning_Yes_No(const std::string& text) override { return Error(text), false; }
  std::optional<std::size_t> Warning_Choice(const std::string& text,
                                            const std::vector<std::string>&) override {
    Error(text);
    return std::nullopt;
  }
  void Error(const std::string& text) override { ADD_FAILURE() << "unexpected box: " << text; }
  void Answer_At_Once() override {}
  std::vector<std::string> shown;
};

class File_Copy : public ::testing::Test {
 protected:
  std::string Copy(const std::string& source, const std::string& target, bool check = true) {
    std::string error_text = "stale";
    Copy_File_With_Date(files, source, target, true, check, error_text, boxes);
    return error_text;
  }
  static mode_t Write_Mode(const std::string& name) {
    struct stat info {};
    return stat(name.c_str(), &info) == 0 ? info.st_mode : 0;
  }
  Temp_Folder folder;
  Recording_Boxes boxes;
};

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
      EXPECT_EQ(Write_Mode(target) & 0222, 0u) << holder;
    }
  }
}

TEST_F(File_Copy, OverwritesAFreeTargetAndMakesItWritable) {
  Write_File(folder.Path("source"), "new");
  const std::string target = folder.Path(".hidden");
  Write_File(target, "old content");
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  Set_File_Attribute_Flags(files, target, false, false, true, true);
  EXPECT_EQ(Copy(folder.Path("source"), target), "");
  EXPECT_EQ(Read_File(target), "new");
  EXPECT_EQ(Write_Mode(target) & 07777, 0640u);
}

TEST_F(File_Copy, OntoItselfThrowsAndKeepsTheSource) {
  const std::string source = folder.Path("source");
  Write_File(source, "precious");
  ASSERT_EQ(link(source.c_str(), folder.Path("hard").c_str()), 0);
  ASSERT_EQ(symlink(source.c_str(), folder.Path("soft").c_str()), 0);
  for (const std::string& target :
       {source, folder.Path("./source"), folder.Path("hard"), folder.Path("soft")}) {
    EXPECT_EQ(Error_Of([&] { Copy(source, target); }), "Cannot create file " + target);
    EXPECT_EQ(Read_File(source), "precious");
  }
}

// Neither a device, a FIFO, a socket nor a folder is read or written, at
// either end, named directly or through a link; the probe does not open it.
TEST_F(File_Copy, AnythingButARegularFileAtEitherEndIsRefusedAndLeftAlone) {
  Write_File(folder.Path("source"), "x");
  Make_Hostile_Nodes(folder);
  for (const char* node : hostile_node_names) {
    const std::string name = folder.Path(node);
    if (std::string(node) != "dir" && std::string(node) != "link_to_dir") {
      EXPECT_EQ(Error_Of([&] { Copy(name, folder.Path("t")); }), "File access denied");
    }
    for (const bool check : {true, false}) {
      EXPECT_EQ(Error_Of([&] { Copy(folder.Path("source"), name, check); }), "File access denied");
    }
  }
  EXPECT_FALSE(File_Exists(files, folder.Path("t")));
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path("dir")));
  EXPECT_EQ(Read_File(folder.Path("source")), "x");
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
