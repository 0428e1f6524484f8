// The log writer on what only Linux has: links, devices, FIFOs, a file-size
// limit.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "log/log_writer_fixture.h"
#include "support/file_size_limit.h"
#include "support/hostile_folder.h"

namespace velmaric {
namespace {

using testing::Error_Under_Size_Limit;

TEST_F(Log_Writer_Test, EveryFileSystemFailureEndsTheWriteWithItsDescription) {
  const std::string read_only = folder.Path("read_only.log");
  Write_File(read_only, "kept\r\n");
  ASSERT_EQ(chmod(read_only.c_str(), 0444), 0);
  ASSERT_TRUE(std::filesystem::create_directory(folder.Path("folder")));
  settings.settings_file = folder.Path("velmaric.ini");
  Write_File(settings.settings_file, "k=1\r\n");
  ASSERT_EQ(symlink("velmaric.ini", folder.Path("settings_link").c_str()), 0);
  struct Row {
    std::string name;
    const char* description;
    bool settings = false;  // the settings file, which only the log writer knows to keep apart
  };
  std::vector<Row> rows = {{folder.Path("missing/stopwatch.log"), "File not found"},
                           {folder.Path("folder"), "File access denied"},
                           {read_only, "File access denied"},
                           {folder.Path("velmaric.ini"), "File access denied", true},
                           {folder.Path("settings_link"), "File access denied", true},
                           {folder.Path("folder/../velmaric.ini"), "File access denied", true}};
  testing::Make_Hostile_Nodes(folder);
  for (const char* node : {"null", "fifo", "link_to_zero"}) {
    rows.push_back({folder.Path(node), "File access denied"});
  }
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    settings.file_name = row.name;
    Click();  // Start, then Resume after the failed stop below
    Tick_After(100);
    if (!row.settings) {
      EXPECT_EQ(Error_Of([&] { Append_Line_To_File(files, row.name, "a line"); }), row.description);
    }
    EXPECT_EQ(Error_Of([&] { Append_Reset_Marker(files, settings); }), row.description);
    EXPECT_EQ(Error_Of([&] { Write_Log_Header(files, settings); }), row.description);
    EXPECT_EQ(Error_Of([&] { Entry(kind_original_start); }), row.description);
    EXPECT_EQ(Error_Of([&] { Entry(kind_snap_shot); }), row.description);
    EXPECT_EQ(watch.snap_shot_count(), 1);  // its number was taken before the write
    EXPECT_EQ(Error_Of([&] { Click(); }), row.description);  // the stop line
  }
  EXPECT_EQ(Read_File(read_only), "kept\r\n");
  EXPECT_EQ(Read_File(settings.settings_file), "k=1\r\n");
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path("folder")));
  EXPECT_FALSE(std::filesystem::exists(folder.Path("missing")));
}

// Someone with a hand in the log's folder swaps the log for a link to the
// settings file between the writer's look at the name and its open.
class Swapping_File_System final : public testing::Forwarding_File_System {
 public:
  Swapping_File_System(const std::string& settings_file)
      : Forwarding_File_System(Real_File_System()), settings_file_(settings_file) {}
  std::unique_ptr<Writable_File> Open_For_Appending(const std::string& name, bool create,
                                                    Links links) override {
    std::filesystem::remove(name);
    std::filesystem::create_symlink(settings_file_, name);
    return Inner().Open_For_Appending(name, create, links);
  }

 private:
  std::string settings_file_;
};

TEST_F(Log_Writer_Test, ALogSwappedForTheSettingsFileWhileOpeningIsRefused) {
  settings.settings_file = folder.Path("velmaric.ini");
  Write_File(settings.settings_file, "k=1\r\n");
  Swapping_File_System swapping(settings.settings_file);
  for (const bool log_exists : {true, false}) {
    if (log_exists) Write_File(name, "kept\r\n");
    for (const auto& write : std::vector<std::function<void()>>{
             [&] { Write_Log_Header(swapping, settings); },
             [&] { Append_Reset_Marker(swapping, settings); },
             [&] { Write_Log_Entry(swapping, kind_snap_shot, settings, watch, clock); }}) {
      EXPECT_EQ(Error_Of(write), "File access denied");
      EXPECT_EQ(Read_File(settings.settings_file), "k=1\r\n");
      std::filesystem::remove(name);
      if (log_exists) Write_File(name, "kept\r\n");
    }
  }
}

// A file-size limit fails a write part-way through a line.
TEST_F(Log_Writer_Test, ALineThatCannotBeWrittenWholeIsTakenBackOut) {
  Write_File(name, "kept\r\n");
  EXPECT_EQ(
      Error_Under_Size_Limit(50, [&] { Append_Line_To_File(files, name, std::string(100, 'x')); }),
      "I/O error 27");
  EXPECT_EQ(Read_File(name), "kept\r\n");

  // The header is one write: the erased file gets all of it or nothing.
  EXPECT_EQ(Error_Under_Size_Limit(200, [&] { Write_Log_Header(files, settings); }),
            "I/O error 27");
  EXPECT_EQ(Read_File(name), "");
}

}  // namespace
}  // namespace velmaric
