// The copies to and from the medium, on real files.

#include <gtest/gtest.h>

#include "core/command_error.h"
#include "settings/disk_transfer_fixture.h"
#include "support/error_of.h"

namespace velmaric {
namespace {

TEST_F(Disk_Transfer, CopyOutCarriesTheStopThatTheSaveCounted) {
  window.on_save = [&] {
    Write_File(window.settings_file, "stop_count=2\n");
    Write_File(window.log_file, "header\nSTOP 2\n");
    Set_Write_Time(window.log_file, Local_Seconds(2011, 5, 6, 7, 8, 10));
  };
  Copy_Out();

  EXPECT_EQ(window.calls, (std::vector<std::string>{"events", "locate", "save"}));
  EXPECT_EQ(Read_File(folder.Path("medium/velmaric.ini")), "stop_count=2\n");
  EXPECT_EQ(Read_File(folder.Path("medium/run.log")), "header\nSTOP 2\n");
  EXPECT_EQ(Get_File_Date_Stamp(files, folder.Path("medium/run.log")),
            Packed(2011, 5, 6, 7, 8, 10));
  EXPECT_EQ(Notices(), std::vector<std::string>{copied_out});
}

// No disk: said so, and nothing saved, restored, copied or made.
TEST_F(Disk_Transfer, WithoutMediumBothCommandsSaySoAndDoNothing) {
  const std::set<std::string> before = Tree();
  Copy_Stopwatch_Times_To_Medium(files, window, boxes, Medium(std::nullopt));
  Copy_Stopwatch_Times_From_Medium(files, window, boxes, Medium(std::nullopt));

  EXPECT_EQ(Tree(), before);
  EXPECT_EQ(window.calls, (std::vector<std::string>{"events", "locate", "events", "locate"}));
  const std::string none = std::string("Information: ") + no_medium_text;
  EXPECT_EQ(Notices(), (std::vector<std::string>{none, none}));
}

// A disk that holds no settings, or settings the copy refuses to take:
// nothing is restored, so a running timing goes on untouched, and the
// closing message names what was not copied.
TEST_F(Disk_Transfer, CopyInWithoutNewSettingsRestoresNothingAndSaysWhy) {
  Copy_In();
  Write_File(folder.Path("medium/velmaric.ini"), "log=\n");
  Set_Read_Only(window.settings_file, true);  // read-only: refused
  Copy_In();

  EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "restore"), 0);
  EXPECT_EQ(Notices(), (std::vector<std::string>{
                           std::string("Information: ") + not_all_copied_from_medium_text +
                               "\r\n\r\nError: The source file \"" +
                               folder.Path("medium/velmaric.ini") + "\" does not exist !",
                           std::string("Information: ") + not_all_copied_from_medium_text +
                               "\r\n\r\nError: The target file \"" + window.settings_file +
                               "\" is locked by another program or is read only, and could not be "
                               "overwritten !"}));
}

TEST_F(Disk_Transfer, ARefusedCopyIsNamedInPlaceOfTheSuccessText) {
  Write_File(folder.Path("medium/velmaric.ini"), "older\n");
  Set_Read_Only(folder.Path("medium/velmaric.ini"), true);
  Copy_Out();

  EXPECT_EQ(Read_File(folder.Path("medium/velmaric.ini")), "older\n");
  EXPECT_EQ(Read_File(folder.Path("medium/run.log")), "header\n");  // the log still goes
  EXPECT_EQ(Notices(),
            std::vector<std::string>{
                std::string("Information: ") + not_all_copied_to_medium_text +
                "\r\n\r\nError: The target file \"" + folder.Path("medium/velmaric.ini") +
                "\" is locked by another program or is read only, and could not be "
                "overwritten !"});

  // No log name: no log to copy, and no failure.
  boxes.shown.clear();
  window.log_file.clear();
  Set_Read_Only(folder.Path("medium/velmaric.ini"), false);
  Copy_Out();
  EXPECT_EQ(Notices(), std::vector<std::string>{copied_out});
}

class Disk_Log_Name : public Disk_Transfer, public ::testing::WithParamInterface<Log_Case> {};

TEST_P(Disk_Log_Name, IsTakenOnlyAsAsked) {
  Take_Log(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Disk_Log_Name,
    ::testing::Values(Log_Case{"NoneOnTheDisk", "", true, "", "", ""},
                      Log_Case{"TheSameAsBefore", "%/logs/run.log", true, "", "%/logs/run.log",
                               "%/logs/run.log"},
                      Log_Case{"AnotherOneTaken", "%/elsewhere.log", true, "%/elsewhere.log",
                               "%/elsewhere.log", "%/elsewhere.log"},
                      Log_Case{"AnotherOneRefused", "%/elsewhere.log", false, "%/elsewhere.log",
                               "%/logs/run.log", ""},
                      Log_Case{"RelativeNameLandsInTheFolderOfBefore", "other.log", true,
                               "%/logs/other.log", "%/logs/other.log", "%/logs/other.log"}),
    [](const ::testing::TestParamInfo<Log_Case>& info) { return std::string(info.param.name); });

TEST_F(Disk_Transfer, ASettingsFileTooLargeOnTheDiskIsNeverReadIn) {
  Write_File(folder.Path("medium/velmaric.ini"), "log=\n");
  fs::resize_file(folder.Path("medium/velmaric.ini"), 2 << 20);
  const std::string settings = Read_File(window.settings_file);
  EXPECT_EQ(Error_Of([&] { Copy_In(); }), "File access denied");
  EXPECT_EQ(Read_File(window.settings_file), settings);
  EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "restore"), 0);
}

TEST_F(Disk_Transfer, ByteCopyFailureEndsTheCommandWithoutNotice) {
  // A log on the medium itself is its own copy target.
  window.log_file = folder.Path("medium/run.log");
  Write_File(window.log_file, "on medium\n");
  EXPECT_EQ(Error_Of([&] { Copy_Out(); }), "Cannot create file " + window.log_file);
  EXPECT_EQ(Read_File(folder.Path("medium/velmaric.ini")),
            "stop_count=1\nlog=" + folder.Path("work/logs/run.log") + "\n");
  EXPECT_EQ(Read_File(window.log_file), "on medium\n");

  // Copy-in: a failed settings copy also skips the restore.
  window.settings_file = folder.Path("medium/velmaric.ini");
  EXPECT_THROW(Copy_In(), Command_Error);
  EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "restore"), 0);
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace velmaric
