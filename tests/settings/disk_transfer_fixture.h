#pragma once
// The disk transfer's tests: a medium and a work folder of real files, and
// the window as far as the transfer sees it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_probe.h"
#include "settings/disk_transfer.h"
#include "support/file_fixtures.h"
#include "support/recording_message_box.h"

namespace velmaric {

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

// The log name the disk's settings bring, against the one held before.
struct Log_Case {
  const char* name;
  std::string disk_log;  // the name in the disk's settings; "%" stands for the work folder
  bool answer_yes;
  std::string asked_about;  // the log the question names; empty: no question
  std::string log_after;    // the window's log name at the end
  std::string copied_to;    // where the disk's log went; empty: nowhere
};

inline void PrintTo(const Log_Case& row, std::ostream* out) {
  *out << row.name;
}

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
  // "%" in a name stands for the work folder.
  std::string Here(const std::string& name) const {
    std::string text = name;
    const std::size_t at = text.find('%');
    if (at != std::string::npos) text.replace(at, 1, folder.Path("work"));
    return text;
  }
  // Copies in settings that name the row's log, and checks what became of it.
  void Take_Log(const Log_Case& row) {
    Write_File(folder.Path("medium/velmaric.ini"),
               "stop_count=7\nlog=" + Here(row.disk_log) + "\n");
    const std::string disk_log = Here(row.disk_log);
    Write_File(folder.Path("medium/" + disk_log.substr(disk_log.find_last_of("/\\") + 1)),
               "the disk's log\n");
    Write_File(folder.Path("work/elsewhere.log"), "a file of the user's\n");
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

  File_System& files = Real_File_System();
  Temp_Folder folder;
  Fake_Window window;
  Recording_Message_Box boxes;
  const std::string copied_out = std::string("Information: ") + copied_to_medium_text;
  const std::string copied_in = std::string("Information: ") + copied_from_medium_text;
};

}  // namespace velmaric
