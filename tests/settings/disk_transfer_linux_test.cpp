// The disk transfer against links, and against names of another system.

#include <gtest/gtest.h>

#include "settings/disk_transfer_fixture.h"
#include "support/error_of.h"

namespace velmaric {
namespace {

// A link on the disk is never followed, either way: not to a file of this
// computer read in as the settings, nor to one written over by a copy.
TEST_F(Disk_Transfer, LinksOnTheDiskAreRefusedBothWays) {
  Write_File(folder.Path("secret"), "root only\n");
  Write_File(folder.Path("victim"), "the user's own\n");
  fs::create_symlink(folder.Path("secret"), folder.Path("medium/velmaric.ini"));
  fs::create_symlink(folder.Path("victim"), folder.Path("medium/run.log"));
  const std::string settings = Read_File(window.settings_file);

  EXPECT_EQ(Error_Of([&] { Copy_In(); }), "File access denied");
  EXPECT_EQ(Read_File(window.settings_file), settings);
  EXPECT_EQ(Error_Of([&] { Copy_Out(); }), "File access denied");
  fs::remove(folder.Path("medium/velmaric.ini"));
  EXPECT_EQ(Error_Of([&] { Copy_Out(); }), "File access denied");  // the settings went, the log not
  EXPECT_EQ(Read_File(folder.Path("victim")), "the user's own\n");
  EXPECT_EQ(Read_File(folder.Path("secret")), "root only\n");
  EXPECT_TRUE(fs::is_symlink(folder.Path("medium/run.log")));
  EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "restore"), 0);
  EXPECT_TRUE(boxes.shown.empty());
}

// The rows with a link to the settings file in the work folder, and one
// with a Windows name, which is no full path here.
class Disk_Log_Name_Linux : public Disk_Transfer, public ::testing::WithParamInterface<Log_Case> {
 protected:
  void SetUp() override {
    Disk_Transfer::SetUp();
    fs::create_symlink("velmaric.ini", folder.Path("work/settings_link"));
  }
};

TEST_P(Disk_Log_Name_Linux, IsTakenOnlyAsAsked) {
  Take_Log(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Disk_Log_Name_Linux,
    ::testing::Values(Log_Case{"WindowsNameBecomesTheSameAsBefore", "C:\\Logs\\run.log", false, "",
                               "%/logs/run.log", "%/logs/run.log"},
                      Log_Case{"TheSettingsFileIsNeverTheLog", "%/settings_link", true, "",
                               "%/logs/run.log", ""}),
    [](const ::testing::TestParamInfo<Log_Case>& info) { return std::string(info.param.name); });

// A backslash is part of a file name here: the log goes to the disk under
// its whole file name and comes back from there.
TEST_F(Disk_Transfer, ALogWithABackslashInItsNameComesBack) {
  window.log_file = folder.Path("work/logs/day\\one.log");
  Write_File(window.settings_file, "log=" + window.log_file + "\n");
  Write_File(window.log_file, "the first day\n");
  Copy_Out();
  EXPECT_EQ(Read_File(folder.Path("medium/day\\one.log")), "the first day\n");
  Write_File(folder.Path("medium/day\\one.log"), "the disk's log\n");
  Copy_In();
  EXPECT_EQ(Read_File(window.log_file), "the disk's log\n");
  EXPECT_EQ(Notices(), (std::vector<std::string>{copied_out, copied_in}));
}

// A Windows name from another computer is no full path here either.
TEST_F(Disk_Transfer, ANewComputerIsAskedAndTheLogLandsBesideTheSettings) {
  window.log_file.clear();
  Write_File(folder.Path("medium/velmaric.ini"), "log=D:\\timings\\run.log\n");
  Write_File(folder.Path("medium/run.log"), "the disk's log\n");
  Copy_In();
  EXPECT_EQ(window.log_file, folder.Path("work/run.log"));
  EXPECT_EQ(Read_File(folder.Path("work/run.log")), "the disk's log\n");
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].kind, "Warning");
  EXPECT_EQ(boxes.shown[0].text.find("replaced"), std::string::npos);  // nothing there yet
  EXPECT_EQ(Notices().back(), copied_in);
}

// While the question waits, the settings file keeps the earlier log name,
// and a link to the settings file made meanwhile in the new log's place gets
// no further than the copy.
class Meddling_Boxes final : public Message_Box {
 public:
  void Information(const std::string& text) override { shown.push_back(text); }
  bool Warning_Yes_No(const std::string&) override {
    meddle();
    return true;
  }
  std::optional<std::size_t> Warning_Choice(const std::string&,
                                            const std::vector<std::string>&) override {
    return std::nullopt;
  }
  void Error(const std::string& text) override { shown.push_back(text); }
  void Answer_At_Once() override {}
  std::function<void()> meddle;
  std::vector<std::string> shown;
};

TEST_F(Disk_Transfer, TheQuestionGivesNothingAwayWhileItWaits) {
  const std::string elsewhere = folder.Path("work/elsewhere.log");
  Write_File(folder.Path("medium/velmaric.ini"), "log=" + elsewhere + "\n");
  Write_File(folder.Path("medium/elsewhere.log"), "the disk's log\n");
  Meddling_Boxes meddling;
  std::string settings_while_asked;
  meddling.meddle = [&] {
    settings_while_asked = Read_File(window.settings_file);
    fs::create_symlink(window.settings_file, elsewhere);
  };
  EXPECT_EQ(Error_Of([&] { Copy_Stopwatch_Times_From_Medium(files, window, meddling, Medium()); }),
            "File access denied");
  EXPECT_EQ(settings_while_asked.find(elsewhere), std::string::npos);
  EXPECT_EQ(Read_File(window.settings_file).find("the disk's log"), std::string::npos);
}

}  // namespace
}  // namespace velmaric
