#include "settings/disk_transfer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <vector>

#include "core/command_error.h"
#include "platform/file_probe.h"
#include "support/error_of.h"
#include "support/file_fixtures.h"
#include "support/recording_message_box.h"

namespace velmaric {
namespace {

namespace fs = std::filesystem;
using namespace velmaric::testing;

// The window as far as the transfer sees it. Its settings file holds the
// log name on a line "log=<name>", which a restore takes.
class Fake_Window : public Disk_Transfer_Host {
 public:
  void Process_Pending_Events() override { calls.push_back("events"); }
  void Save_Settings() override {
    calls.push_back("save");
    if (on_save) on_save();
  }
  void Restore_Settings() override {
    calls.push_back("restore");
    const std::string text = Read_File(settings_file);
    const std::size_t at = text.find("log=");
    log_file = at == std::string::npos ? "" : text.substr(at + 4, text.find('\n', at) - at - 4);
  }
  std::string Settings_File_Name() const override { return settings_file; }
  std::string Log_File_Name() const override { return log_file; }
  // As the window does: the name, and at once the settings file's line.
  void Use_Log_File_Name(const std::string& name) override {
    calls.push_back("use " + name);
    log_file = name;
    std::string text = Read_File(settings_file);
    const std::size_t at = text.find("log=");
    if (at != std::string::npos) text.erase(at, text.find('\n', at) + 1 - at);
    Write_File(settings_file, text + "log=" + name + "\n");
  }
  std::string Saved_Log_File_Name() const {
    const std::string text = Read_File(settings_file);
    const std::size_t at = text.find("log=");
    return at == std::string::npos ? "" : text.substr(at + 4, text.find('\n', at) - at - 4);
  }

  std::vector<std::string> calls;
  std::function<void()> on_save;
  std::string settings_file, log_file;
};

class Disk_Transfer : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder.Path("medium"));
    fs::create_directories(folder.Path("work/logs"));
    window.settings_file = folder.Path("work/velmaric.ini");
    window.log_file = folder.Path("work/logs/run.log");
    Write_File(window.settings_file, "stop_count=1\nlog=" + window.log_file + "\n");
    Write_File(window.log_file, "header\n");
  }
  Medium_Locator Medium(std::optional<std::string> root) {
    return [this, root] {
      window.calls.push_back("locate");
      return root;
    };
  }
  Medium_Locator Medium() { return Medium(folder.Path("medium")); }
  void Copy_Out() { Copy_Stopwatch_Times_To_Medium(files, window, boxes, Medium()); }
  void Copy_In() { Copy_Stopwatch_Times_From_Medium(files, window, boxes, Medium()); }
  std::set<std::string> Tree() const {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder.Path(""))) {
      names.insert(entry.path().string() + "=" +
                   (entry.is_regular_file() ? Read_File(entry.path().string()) : ""));
    }
    return names;
  }
  std::vector<std::string> Notices() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes.shown) texts.push_back(box.kind + ": " + box.text);
    return texts;
  }

  File_System& files = Real_File_System();
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

// The log name the disk's settings bring, against the one held before.
struct Log_Case {
  const char* name;
  std::string disk_log;  // the name in the disk's settings; "%" stands for the work folder
  bool answer_yes;
  std::string asked_about;  // the log the question names; empty: no question
  std::string log_after;    // the window's log name at the end
  std::string copied_to;    // where the disk's log went; empty: nowhere
};

void PrintTo(const Log_Case& row, std::ostream* out) {
  *out << row.name;
}

class Disk_Log_Name : public Disk_Transfer, public ::testing::WithParamInterface<Log_Case> {
 protected:
  std::string Here(const std::string& name) const {
    std::string text = name;
    const std::size_t at = text.find('%');
    if (at != std::string::npos) text.replace(at, 1, folder.Path("work"));
    return text;
  }
};

TEST_P(Disk_Log_Name, IsTakenOnlyAsAsked) {
  const Log_Case& row = GetParam();
  Write_File(folder.Path("medium/velmaric.ini"), "stop_count=7\nlog=" + Here(row.disk_log) + "\n");
  const std::string disk_log = Here(row.disk_log);
  Write_File(folder.Path("medium/" + disk_log.substr(disk_log.find_last_of("/\\") + 1)),
             "the disk's log\n");
  Write_File(folder.Path("work/elsewhere.log"), "a file of the user's\n");
  fs::create_symlink("velmaric.ini", folder.Path("work/settings_link"));
  boxes.answer_yes = row.answer_yes;
  const bool existed = !row.asked_about.empty() && fs::exists(Here(row.asked_about));
  Copy_In();

  const auto question = std::find_if(boxes.shown.begin(), boxes.shown.end(),
                                     [](const auto& box) { return box.kind == "Warning"; });
  EXPECT_EQ(question != boxes.shown.end(), !row.asked_about.empty());
  if (question != boxes.shown.end()) {
    EXPECT_NE(question->text.find("    " + Here(row.asked_about) + "\r\n"), std::string::npos)
        << question->text;
    EXPECT_NE(question->text.find("From now on the timing's Log will be written there."),
              std::string::npos);
    // Only an existing file is said to be replaced.
    EXPECT_EQ(question->text.find("will be replaced") != std::string::npos, existed);
  }
  EXPECT_EQ(window.log_file, Here(row.log_after));
  for (const std::string& log :
       {folder.Path("work/logs/run.log"), folder.Path("work/run.log"),
        folder.Path("work/elsewhere.log"), folder.Path("work/logs/other.log")}) {
    const bool copied = !row.copied_to.empty() && log == Here(row.copied_to);
    const std::string now = fs::exists(log) ? Read_File(log) : "";
    EXPECT_EQ(now == "the disk's log\n", copied) << log;
  }
  // The name the window ends with is the one in the settings file.
  EXPECT_EQ(window.Saved_Log_File_Name(), Here(row.log_after));
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
                      Log_Case{"WindowsNameBecomesTheSameAsBefore", "C:\\Logs\\run.log", false, "",
                               "%/logs/run.log", "%/logs/run.log"},
                      Log_Case{"RelativeNameLandsInTheFolderOfBefore", "other.log", true,
                               "%/logs/other.log", "%/logs/other.log", "%/logs/other.log"},
                      Log_Case{"TheSettingsFileIsNeverTheLog", "%/settings_link", true, "",
                               "%/logs/run.log", ""}),
    [](const ::testing::TestParamInfo<Log_Case>& info) { return std::string(info.param.name); });

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
