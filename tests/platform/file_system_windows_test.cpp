// The Windows file layer on what only Windows has: device names, sharing
// modes, the read-only attribute, the system's own packed stamps.

#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "platform/file_probe.h"
#include "platform/paths.h"
#include "platform/regular_files.h"
#include "support/error_of.h"
#include "support/file_fixtures.h"

namespace velmaric {
namespace {

using namespace velmaric::testing;

File_System& files = Real_File_System();

TEST(Windows_Paths, BackslashesDrivesAndNetworkNames) {
  const std::pair<const char*, const char*> folders[] = {{"c:\\a\\b.txt", "c:\\a\\"},
                                                         {"c:/a/b.txt", "c:/a/"},
                                                         {"a:", "a:\\"},
                                                         {"a:velmaric.ini", "a:\\"},
                                                         {"b.txt", ".\\"},
                                                         {"\\\\srv\\share\\x", "\\\\srv\\share\\"}};
  for (const auto& [name, folder] : folders) EXPECT_EQ(Directory_Of_File(name), folder) << name;
  for (const char* full : {"c:\\a", "C:/a", "\\\\srv\\share"}) EXPECT_TRUE(Is_Full_Path(full));
  for (const char* relative : {"a\\b", "c:a", "\\a", ""}) EXPECT_FALSE(Is_Full_Path(relative));
  EXPECT_EQ(File_Name_Part("c:\\Program Files\\Velmaric\\velmaric.exe"), "velmaric.exe");
  EXPECT_EQ(File_Name_Part("a:run.log"), "run.log");
}

// The atomic replace: the old file stays whole when the new one cannot come.
TEST(Windows_File_System, RenameReplacesInOneStepOrLeavesTheOldFile) {
  Temp_Folder folder;
  const std::string target = folder.Path("velmaric.ini");
  Write_File(target, "old");
  EXPECT_EQ(Error_Of([&] { files.Rename(folder.Path("missing"), target); }), "File not found");
  EXPECT_EQ(Read_File(target), "old");
  Write_File(folder.Path("new"), "new");
  files.Rename(folder.Path("new"), target);
  EXPECT_EQ(Read_File(target), "new");
  EXPECT_FALSE(std::filesystem::exists(folder.Path("new")));
  Replace_Regular_File(files, target, "third");
  EXPECT_EQ(Read_File(target), "third");
  EXPECT_EQ(files.Folder_Entries(folder.Path("")), std::vector<std::string>{"velmaric.ini"});
}

// A device name leads to the device from any folder: refused, and nothing
// made in its place.
TEST(Windows_File_System, DeviceNamesAreRefusedLikeDevices) {
  Temp_Folder folder;
  const std::string devices[] = {"NUL",
                                 "con.txt",
                                 "COM1",
                                 "\\\\.\\NUL",
                                 "//./nul",
                                 "\\\\?\\" + folder.Path("x"),
                                 folder.Path("dir/AUX"),
                                 folder.Path("lpt9 .log"),
                                 folder.Path("Nul..."),
                                 "c:nul",
                                 folder.Path("log:stream.txt")};
  for (const std::string& name : devices) {
    SCOPED_TRACE(name);
    EXPECT_EQ(files.Status(name).type, File_Type::device);
    EXPECT_EQ(Error_Of([&] { Replace_Regular_File(files, name, "x"); }), "File access denied");
    EXPECT_EQ(Error_Of([&] { Append_To_Regular_File(files, name, "x"); }), "File access denied");
    EXPECT_EQ(Error_Of([&] { Read_Regular_File(files, name); }), "File access denied");
    EXPECT_EQ(Error_Of([&] { files.Open_For_Appending(name, true, Links::follow); }),
              "File access denied");
    EXPECT_EQ(Get_File_Open_State(files, name), "ERROR");
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path("")));
  // Names that only look like devices are files like any other.
  for (const char* plain : {"COM10", "nullable", "LPT", "con_log.txt", "COMA"}) {
    Replace_Regular_File(files, folder.Path(plain), "kept");
    EXPECT_EQ(Read_File(folder.Path(plain)), "kept") << plain;
  }
}

TEST(Windows_File_System, ProbeSeesAFileAnotherProcessHolds) {
  Temp_Folder folder;
  const std::string name = folder.Path("run.log");
  Write_File(name, "x");
  Set_Write_Time(name, 1000000000, 123456700);
  const std::pair<std::string, const char*> rows[] = {
      {name, "CLOSED"}, {folder.Path("missing"), ""}, {folder.Path(""), ""}};  // a folder
  for (const auto& [file, state] : rows) EXPECT_EQ(Get_File_Open_State(files, file), state) << file;
  EXPECT_EQ(files.Probe_Exclusive_Open(folder.Path("missing")), Exclusive_Open::missing);
  EXPECT_EQ(files.Probe_Exclusive_Open(folder.Path("gone/run.log")), Exclusive_Open::missing);
  for (const bool share_reading_only : {false, true}) {
    SCOPED_TRACE(share_reading_only);
    {
      const Holding_Process child(name, share_reading_only);
      EXPECT_EQ(Get_File_Open_State(files, name), "OPEN");
    }
    EXPECT_EQ(Get_File_Open_State(files, name), "CLOSED");
  }
  EXPECT_EQ(Write_Time(name).tv_nsec, 123456700);  // the probe left no trace
}

TEST(Windows_File_System, PackedStampsRoundTripThroughTheSystem) {
  const int rows[][6] = {{1980, 1, 1, 0, 0, 0},
                         {2001, 2, 3, 4, 5, 7},
                         {2026, 7, 8, 9, 10, 12},  // summer time where there is one
                         {2044, 1, 1, 0, 0, 0},
                         {2107, 12, 31, 23, 59, 58}};
  Temp_Folder folder;
  Write_File(folder.Path("source"), "x");
  Write_File(folder.Path("copy"), "x");
  for (const auto& r : rows) {
    SCOPED_TRACE(r[0]);
    const std::int32_t packed = Packed(r[0], r[1], r[2], r[3], r[4], r[5]);
    Set_File_Date_Stamp(files, folder.Path("source"), packed, true);
    EXPECT_EQ(Get_File_Date_Stamp(files, folder.Path("source")), packed);
    // The system's own reading of the same local time.
    WIN32_FILE_ATTRIBUTE_DATA info{};
    ASSERT_TRUE(GetFileAttributesExA(folder.Path("source").c_str(), GetFileExInfoStandard, &info));
    FILETIME local{};
    WORD date = 0;
    WORD time = 0;
    SYSTEMTIME utc_fields{};
    SYSTEMTIME local_fields{};
    ASSERT_TRUE(FileTimeToSystemTime(&info.ftLastWriteTime, &utc_fields) &&
                SystemTimeToTzSpecificLocalTime(nullptr, &utc_fields, &local_fields) &&
                SystemTimeToFileTime(&local_fields, &local) &&
                FileTimeToDosDateTime(&local, &date, &time));
    EXPECT_EQ(static_cast<std::int32_t>(static_cast<std::uint32_t>(date) << 16 | time), packed);
    Set_File_Date_Stamp(files, folder.Path("copy"),
                        *Get_File_Date_Stamp(files, folder.Path("source")), false);
    EXPECT_EQ(Write_Time(folder.Path("copy")).tv_sec, Write_Time(folder.Path("source")).tv_sec);
  }
  Set_Write_Time(folder.Path("source"), Local_Seconds(1979, 6, 1, 12, 0, 0));
  EXPECT_EQ(Get_File_Date_Stamp(files, folder.Path("source")), std::nullopt);
}

TEST(Windows_File_System, ReadOnlyAttributeRefusesWrites) {
  Temp_Folder folder;
  const std::string name = folder.Path("velmaric.ini");
  Write_File(name, "kept");
  Set_File_Attribute_Flags(files, name, true, false, false, false);
  EXPECT_NE(GetFileAttributesA(name.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(files.Status(name).permissions & any_write_permission, 0u);
  EXPECT_EQ(Get_File_Open_State(files, name), "ERROR");
  EXPECT_EQ(Error_Of([&] { Replace_Regular_File(files, name, "new"); }), "File access denied");
  // Even where the system would let us (Wine run by root), as on Linux.
  EXPECT_EQ(Error_Of([&] { Append_To_Regular_File(files, name, "x"); }), "File access denied");
  EXPECT_EQ(Read_File(name), "kept");
  Set_File_Attribute_Flags(files, name, false, true, false, false);
  EXPECT_EQ(GetFileAttributesA(name.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  Replace_Regular_File(files, name, "new");
  EXPECT_EQ(Read_File(name), "new");
}

TEST(Windows_File_System, StatusAndFolderEntries) {
  Temp_Folder folder;
  Write_File(folder.Path("a.txt"), "12345");
  ASSERT_TRUE(std::filesystem::create_directory(folder.Path("sub")));
  const File_Status status = files.Status(folder.Path("a.txt"));
  EXPECT_EQ(status.type, File_Type::regular);
  EXPECT_EQ(status.size, 5u);
  EXPECT_TRUE(status.Same_File_As(files.Status(folder.Path("sub/../a.txt"))));
  EXPECT_FALSE(status.Same_File_As(files.Status(folder.Path("sub"))));
  EXPECT_EQ(files.Status(folder.Path("sub")).type, File_Type::directory);
  EXPECT_FALSE(files.Status(folder.Path("a.txt/x")).Exists());
  std::vector<std::string> entries = files.Folder_Entries(folder.Path(""));
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"a.txt", "sub"}));
  EXPECT_EQ(files.Folder_Entries(folder.Path("missing")), std::vector<std::string>{});
}

}  // namespace
}  // namespace velmaric
