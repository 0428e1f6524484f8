#include "settings/ini_file.h"

#include <filesystem>

#include "core/command_error.h"
#include "platform/regular_files.h"
#include "settings/ini_values.h"
#include "support/file_fixtures.h"

namespace velmaric {
namespace {

using namespace velmaric::testing;

File_System& files = Real_File_System();

TEST(Read_Ini_Value, MatchesTheKeyAnywhereAndTakesTheLastLine) {
  const char* rows[][3] = {
      // file contents, key, value read
      {"xwindow_top_posn=7\r\n", "window_top_posn=", "=7"},  // key.size() characters go
      {"my_elapsed_centi_seconds=1\r\n", "elapsed_centi_seconds=", "ds=1"},
      {"k=1\r\nother=0\r\nk=2\r\n", "k=", "2"},
      {"Window_top_posn=5\r\n", "window_top_posn=", "default"},
      {"", "a=", "default"},
      {"a=\r\n", "a=", ""},
      {"Log_File_Name_EditBox=  /home/u/my log.txt  \r\n",
       "Log_File_Name_EditBox=", "  /home/u/my log.txt  "},
      {"a=1\nb=2\n", "a=", "1"},
      {"a=1\nb=2", "b=", "2"},
      {"a=1\r\r\n", "a=", "1\r"},  // one CR belongs to the line end
      // A line of another of the program's keys never holds this one.
      {"window_top_posn=3\r\nLog_File_Name_EditBox=/x/window_top_posn=5.log\r\n",
       "window_top_posn=", "3"},
      {"Log_File_Name_EditBox=/x/window_top_posn=5.log\r\n", "window_top_posn=", "default"},
      {"name=/x/window_top_posn=5.log\r\n", "window_top_posn=", "op_posn=5.log"},
  };
  Temp_Folder folder;
  const std::string file = folder.Path("velmaric.ini");
  for (const auto& row : rows) {
    Write_File(file, row[0]);
    EXPECT_EQ(Read_Ini_Value(files, file, row[1], "default"), row[2]) << row[0];
  }
  Write_File(file, "Do_Not_Log_RadioButton=true\r\n");
  EXPECT_FALSE(Ini_Flag_Value(Read_Ini_Value(files, file, "Do_Not_Log_RadioButton=", "True")));
  EXPECT_EQ(Read_Ini_Value(files, folder.Path("missing.ini"), "a=", "default"), "default");
}

TEST(Write_Ini_Value, ReplacesEveryMatchingLineOrAppends) {
  const char* rows[][4] = {
      // file before (nullptr: none), key, value, file after
      {nullptr, "k=", "v", "k=v\r\n"},
      {"", "k=", "v", "k=v\r\n"},
      {"a=1\r\nb=2\r\n", "c=", "3", "a=1\r\nb=2\r\nc=3\r\n"},
      {"k=1\r\nx=0\r\nxk=2\r\n", "k=", "9", "k=9\r\nx=0\r\nk=9\r\n"},
      {"a=1\nb=2", "b=", "5", "a=1\r\nb=5\r\n"},
      {"k=old\r\n", "k=", " with  blanks ", "k= with  blanks \r\n"},
      {"\r\nk=1\r\n\r\n", "k=", "2", "\r\nk=2\r\n\r\n"},
      {"Log_File_Name_EditBox=/x/window_top_posn=5.log\r\n", "window_top_posn=", "2",
       "Log_File_Name_EditBox=/x/window_top_posn=5.log\r\nwindow_top_posn=2\r\n"},
  };
  Temp_Folder folder;
  const std::string file = folder.Path("velmaric.ini");
  for (const auto& row : rows) {
    std::filesystem::remove(file);
    if (row[0] != nullptr) Write_File(file, row[0]);
    EXPECT_TRUE(Write_Ini_Value(files, file, row[1], row[2]));
    EXPECT_EQ(Read_File(file), row[3]) << (row[0] ? row[0] : "(no file)");
  }
}

TEST(Write_Ini_Value, LongFileKeepsEveryLine) {
  Temp_Folder folder;
  const std::string file = folder.Path("velmaric.ini");
  std::string before;
  std::string expected;
  for (int line = 1; line <= 30; ++line) {
    const std::string key = "key_" + std::to_string(line) + "=";
    before += key + "old\r\n";
    expected += key + (line == 25 ? "new" : "old") + "\r\n";
  }
  Write_File(file, before);
  Write_Ini_Value(files, file, "key_25=", "new");
  Write_Ini_Value(files, file, "key_31=", "added");
  EXPECT_EQ(Read_File(file), expected + "key_31=added\r\n");
}

// Lines written back with CR LF can outgrow what a start reads: the file
// never grows past it, and the keys written stay.
TEST(Write_Ini_Value, NeverWritesAFileTooLargeToReadBack) {
  Temp_Folder folder;
  const std::string file = folder.Path("velmaric.ini");
  std::string lines = "k=1\n";
  while (lines.size() < own_file_size_limit - 16) lines += "\nk=2\n";  // blank lines, and k again
  Write_File(file, lines + "j=2\n");
  Ini_Batch batch(files, file);
  batch.Write("k=", "3");
  batch.Write("m=", "4");
  batch.Commit();
  EXPECT_EQ(Read_File(file), "k=3\r\nm=4\r\n");
}

TEST(Write_Ini_Value, ReadOnlyFileIsRefusedUnchanged) {
  Temp_Folder folder;
  const std::string file = folder.Path("velmaric.ini");
  Write_File(file, "k=1\r\n");
  Set_Read_Only(file, true);
  try {
    Write_Ini_Value(files, file, "k=", "2");
    ADD_FAILURE() << "a read-only file was written";
  } catch (const Command_Error& error) {
    EXPECT_STREQ(error.what(), "File access denied");
  }
  EXPECT_EQ(Read_File(file), "k=1\r\n");
}

TEST(Ini_Batch, LandsOnlyAtCommitAndAsTheSingleWritesWould) {
  Temp_Folder folder;
  const std::string batched = folder.Path("batched.ini");
  const std::string single = folder.Path("single.ini");
  const char* before = "b=0\r\nzb=9\r\nkeep\r\n";
  Write_File(batched, before);
  Write_File(single, before);
  const std::pair<const char*, const char*> writes[] = {
      {"a=", "1"}, {"b=", "2"}, {"a=", "3"}, {"c=", "4"}};
  Ini_Batch batch(files, batched);
  for (const auto& [key, value] : writes) {
    batch.Write(key, value);
    Write_Ini_Value(files, single, key, value);
  }
  EXPECT_EQ(Read_File(batched), before);
  batch.Commit();
  EXPECT_EQ(Read_File(batched), Read_File(single));

  Ini_Batch unused(files, folder.Path("never.ini"));
  unused.Commit();
  EXPECT_FALSE(std::filesystem::exists(folder.Path("never.ini")));
}

// No value may add a line of its own: a line break or a NUL is refused
// before the file is touched.
TEST(Ini_Batch, RefusesAValueThatBreaksItsLine) {
  Temp_Folder folder;
  const std::string file = folder.Path("velmaric.ini");
  Write_File(file, "k=1\r\n");
  for (const std::string& value :
       {std::string("a\nelapsed_centi_seconds= 9.0E+0007"), std::string("a\rb"),
        std::string("a\0b", 3), std::string("\n")}) {
    EXPECT_FALSE(Fits_On_One_Line(value));
    Ini_Batch batch(files, file);
    EXPECT_THROW(batch.Write("k=", value), Command_Error);
    batch.Commit();
    EXPECT_EQ(Read_File(file), "k=1\r\n");
  }
  EXPECT_TRUE(Fits_On_One_Line("/home/u/caf\xE9 logs/run.log\t"));
}

TEST(Ini_Snapshot, AllReadsSeeTheFileAsItWasWhenTaken) {
  Temp_Folder folder;
  const std::string file = folder.Path("velmaric.ini");
  Write_File(file, "a=1\r\nb=2\r\n");
  const Ini_Snapshot snapshot(files, file);
  Write_File(file, "a=10\r\nb=20\r\n");
  EXPECT_EQ(snapshot.Read("a=", "x") + snapshot.Read("b=", "x") + snapshot.Read("c=", "x"), "12x");
}

}  // namespace
}  // namespace velmaric
