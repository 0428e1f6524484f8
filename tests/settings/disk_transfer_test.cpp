#include "settings/disk_transfer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <vector>

#include "core/command_error.h"
#include "platform/file_fixtures.h"
#include "platform/file_probe.h"
#include "support/recording_message_box.h"

namespace velmaric {
namespace {

namespace fs = std::filesystem;
using namespace velmaric::testing;

class Fake_Window : public Disk_Transfer_Host {
 public:
  void Process_Pending_Events() override { calls.push_back("events"); }
  void Save_Settings() override {
    calls.push_back("save");
    if (on_save) on_save();
  }
  void Restore_Settings() override {
    calls.push_back("restore");
    if (on_restore) on_restore();
  }
  std::string Settings_File_Name() const override { return settings_file; }
  std::string Log_File_Name() const override { return log_file; }

  std::vector<std::string> calls;
  std::function<void()> on_save, on_restore;
  std::string settings_file, log_file;
};

class Disk_Transfer : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder.Path("medium"));
    fs::create_directories(folder.Path("work/logs"));
    window.settings_file = folder.Path("work/velmaric.ini");
    window.log_file = folder.Path("work/logs/run.log");
    Write_File(window.settings_file, "stop_count=1\n");
    Write_File(window.log_file, "header\n");
  }
  Medium_Locator Medium(std::optional<std::string> root) {
    return [this, root] {
      window.calls.push_back("locate");
      return root;
    };
  }
  std::set<std::string> Tree() const {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder.Path(""))) {
      names.insert(entry.path().string() + "=" +
                   (entry.is_regular_file() ? Read_File(entry.path()) : ""));
    }
    return names;
  }
  std::vector<std::string> Notices() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes.shown) texts.push_back(box.kind + ": " + box.text);
    return texts;
  }

  Temp_Folder folder;
  Fake_Window window;
  Recording_Message_Box boxes;
  const std::string copied_out = std::string("Information: ") + copied_to_medium_text;
  const std::string copied_in = std::string("Information: ") + copied_from_medium_text;
};

TEST_F(Disk_Transfer, CopyOutCarriesTheStopThatTheSaveCounted) {
  window.on_save = [&] {
    Write_File(window.settings_file, "stop_count=2\n");
    Write_File(window.log_file, "header\nSTOP 2\n");
    Set_Write_Time(window.log_file, Local_Seconds(2011, 5, 6, 7, 8, 10));
  };
  Copy_Stopwatch_Times_To_Medium(Real_File_System(), window, boxes, Medium(folder.Path("medium/")));

  EXPECT_EQ(window.calls, (std::vector<std::string>{"events", "save", "locate"}));
  EXPECT_EQ(Read_File(folder.Path("medium/velmaric.ini")), "stop_count=2\n");
  EXPECT_EQ(Read_File(folder.Path("medium/run.log")), "header\nSTOP 2\n");
  EXPECT_EQ(Get_File_Date_Stamp(Real_File_System(), folder.Path("medium/run.log")),
            Packed(2011, 5, 6, 7, 8, 10));
  EXPECT_EQ(Notices(), std::vector<std::string>{copied_out});
}

TEST_F(Disk_Transfer, WithoutMediumBothCommandsCopyAndCreateNothing) {
  const std::set<std::string> before = Tree();
  Copy_Stopwatch_Times_To_Medium(Real_File_System(), window, boxes, Medium(std::nullopt));
  Copy_Stopwatch_Times_From_Medium(Real_File_System(), window, boxes, Medium(std::nullopt));

  EXPECT_EQ(Tree(), before);
  // An empty root must not turn into the file system's root or the current folder.
  for (const char* stray : {"/velmaric.ini", "/run.log", "velmaric.ini", "run.log"}) {
    EXPECT_FALSE(fs::exists(stray)) << stray;
  }
  EXPECT_EQ(window.calls,
            (std::vector<std::string>{"events", "save", "locate", "events", "locate", "restore"}));
  EXPECT_EQ(Notices(), (std::vector<std::string>{copied_out, copied_in}));
}

TEST_F(Disk_Transfer, CopyInRestoresThenBringsTheLogToItsNewlyLoadedName) {
  const std::string loaded_log = folder.Path("elsewhere/deep/run.log");
  Write_File(folder.Path("medium/velmaric.ini"), "log=" + loaded_log + "\n");
  Write_File(folder.Path("medium/run.log"), "from medium\n");
  std::string settings_seen_by_restore;
  window.on_restore = [&] {
    settings_seen_by_restore = Read_File(window.settings_file);
    window.log_file = loaded_log;
  };
  Copy_Stopwatch_Times_From_Medium(Real_File_System(), window, boxes,
                                   Medium(folder.Path("medium")));

  EXPECT_EQ(window.calls, (std::vector<std::string>{"events", "locate", "restore"}));
  EXPECT_EQ(settings_seen_by_restore, "log=" + loaded_log + "\n");
  EXPECT_EQ(Read_File(loaded_log), "from medium\n");
  EXPECT_EQ(Read_File(folder.Path("work/logs/run.log")), "header\n");
  EXPECT_EQ(Notices(), std::vector<std::string>{copied_in});
}

TEST_F(Disk_Transfer, ReadOnlySettingsOnTheMediumAreSkippedAndTheLogStillGoes) {
  Write_File(folder.Path("medium/velmaric.ini"), "older\n");
  ASSERT_EQ(chmod(folder.Path("medium/velmaric.ini").c_str(), 0444), 0);
  Copy_Stopwatch_Times_To_Medium(Real_File_System(), window, boxes, Medium(folder.Path("medium")));

  EXPECT_EQ(Read_File(folder.Path("medium/velmaric.ini")), "older\n");
  EXPECT_EQ(Read_File(folder.Path("medium/run.log")), "header\n");
  EXPECT_EQ(Notices(), std::vector<std::string>{copied_out});
}

TEST_F(Disk_Transfer, ByteCopyFailureEndsTheCommandWithoutNotice) {
  // A log on the medium itself is its own copy target.
  window.log_file = folder.Path("medium/run.log");
  Write_File(window.log_file, "on medium\n");
  try {
    Copy_Stopwatch_Times_To_Medium(Real_File_System(), window, boxes,
                                   Medium(folder.Path("medium")));
    ADD_FAILURE() << "copy-out went through";
  } catch (const Command_Error& error) {
    EXPECT_EQ(error.what(), "Cannot create file " + window.log_file);
  }
  EXPECT_EQ(Read_File(folder.Path("medium/velmaric.ini")), "stop_count=1\n");
  EXPECT_EQ(Read_File(window.log_file), "on medium\n");

  // Copy-in: a failed settings copy also skips the restore.
  window.settings_file = folder.Path("medium/velmaric.ini");
  EXPECT_THROW(Copy_Stopwatch_Times_From_Medium(Real_File_System(), window, boxes,
                                                Medium(folder.Path("medium"))),
               Command_Error);
  EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "restore"), 0);
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace velmaric
