#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/ini_values.h"
#include "settings/settings_location.h"
#include "support/error_of.h"
#include "support/fake_clock.h"
#include "support/fake_settings_host.h"
#include "support/file_fixtures.h"

namespace velmaric {
namespace {

using namespace velmaric::testing;

// Records what the settings file asks of the window, in order.
class Recording_Host final : public Fake_Settings_Host {
 public:
  void Show_Normal() override {
    Fake_Settings_Host::Show_Normal();
    width = 368;
    calls.push_back("Show_Normal");
  }
  void Write_Stop_Entry() override {
    calls.push_back("Write_Stop_Entry " + std::to_string(watch->stop_count()));
    if (stop_entry_fails) throw Command_Error("I/O error 28");
  }

  bool stop_entry_fails = false;
  const Stopwatch* watch = nullptr;
  std::vector<std::string> calls;
};

class No_Events final : public Stopwatch_Events {
 public:
  void Write_Stop_Entry() override {}
  void Save_Settings() override {}
  void Append_Reset_Marker() override {}
};

class Settings_File_Test : public ::testing::Test {
 protected:
  Settings_File_Test() { host.watch = &watch; }

  bool Option(Option_Item item) const { return host.Option(item); }

  Temp_Folder folder;
  const std::string name = folder.Path("velmaric.ini");
  Fake_Clock clock;
  No_Events events;
  Stopwatch watch{clock, events};
  Recording_Host host;
  Settings_File settings{Real_File_System(), host, watch, [this] { return name; }};
};

// A file whose stop count is no integer, between keys the load applies
// before it and keys it applies after it.
const char* const stop_count_broken =
    "elapsed_centi_seconds= 5.00000000000000E+0002\r\n"
    "window_top_posn=33\r\n"
    "original_start_date_time= 4.63630000000000E+0004\r\n"
    "Log_File_Name_EditBox=run.log\r\n"
    "Expert_Mode_Option=True\r\n"
    "Stops_Since_Last_Reset_SpinEdit=x\r\n"
    "Write_Stop_Count_CheckBox=True\r\n"
    "WindowState_wsMaximized=True\r\n";

TEST_F(Settings_File_Test, WithoutAReportTheLoadEndsAtTheFailingKey) {
  Write_File(name, stop_count_broken);
  watch.Restore_Stop_Count(9);
  EXPECT_EQ(Error_Of([&] { settings.Load_Settings(); }), "'x' is not a valid integer value");
  // Applied before the stop count.
  EXPECT_EQ(watch.elapsed_centi_seconds(), 500.0);
  EXPECT_EQ(host.top, 33);
  EXPECT_EQ(watch.original_start_date_time(), 46363.0);
  EXPECT_EQ(host.log_name, "run.log");
  EXPECT_TRUE(Option(Option_Item::Expert_Mode_Option));
  // Not reached.
  EXPECT_EQ(watch.stop_count(), 9);
  EXPECT_FALSE(Option(Option_Item::Write_Stop_Count_CheckBox));
  EXPECT_FALSE(settings.pending_maximize);
  EXPECT_EQ(watch.start_stop_resume_caption(), caption_start);
}

TEST_F(Settings_File_Test, WithAReportTheFailingKeyTakesItsDefaultAndTheLoadGoesOn) {
  Write_File(name, stop_count_broken);
  watch.Restore_Stop_Count(9);
  std::vector<std::string> reports;
  settings.Load_Settings([&](const Command_Error& failure) { reports.push_back(failure.what()); });
  EXPECT_EQ(reports, std::vector<std::string>{"'x' is not a valid integer value"});
  EXPECT_EQ(watch.stop_count(), 0);
  EXPECT_TRUE(Option(Option_Item::Write_Stop_Count_CheckBox));
  EXPECT_TRUE(settings.pending_maximize);
  // Keys the file lacks take their defaults.
  EXPECT_EQ(host.left, 20);
  EXPECT_EQ(host.width, 368);
  EXPECT_EQ(host.height, 313);
  EXPECT_TRUE(Option(Option_Item::Do_Not_Log_RadioButton));
  // The run state follows the restored counter.
  EXPECT_EQ(watch.start_stop_resume_caption(), caption_resume);
  EXPECT_TRUE(watch.snap_shot_since_start_enabled());
}

// A maximised window is saved as such with its normal geometry; a running
// stopwatch counts a stop and logs it between the log name and the count.
TEST_F(Settings_File_Test, SaveWritesEveryKeyInItsOrderWithTheStepsBetween) {
  host.top = 1;
  host.left = 2;
  host.height = 4;
  host.log_name = "run.log";
  watch.Restore_Stop_Count(4);
  watch.Start_Stop_Resume_BitBtnClick();
  clock.Advance_Centi_Seconds(250);
  for (const bool stop_entry_fails : {false, true}) {
    SCOPED_TRACE(stop_entry_fails);
    host.maximized = true;
    host.calls.clear();
    host.stop_entry_fails = stop_entry_fails;
    Write_File(name, "");
    const std::string count = stop_entry_fails ? "6" : "5";
    EXPECT_EQ(Error_Of([&] { settings.Save_Settings(); }),
              stop_entry_fails ? "I/O error 28" : "(no error)");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Show_Normal", "Write_Stop_Entry " + count}));
    const std::string up_to_the_stop_line =
        "WindowState_wsMaximized=True\r\n"
        "elapsed_centi_seconds= 2.50000000000000E+0002\r\n"
        "window_top_posn=1\r\n"
        "window_left_posn=2\r\n"
        "window_ClientWidth=368\r\n"
        "window_ClientHeight=4\r\n"
        "Do_Not_Log_RadioButton=False\r\n"
        "Log_to_File_RadioButton=False\r\n"
        "Expert_Mode_Option=False\r\n"
        "original_start_date_time=" +
        Real_Ini_Text(watch.original_start_date_time()) +
        "\r\n"
        "Log_File_Name_EditBox=run.log\r\n";
    // A failed stop line keeps what was written before it.
    EXPECT_EQ(Read_File(name),
              stop_entry_fails ? up_to_the_stop_line
                               : up_to_the_stop_line + "Stops_Since_Last_Reset_SpinEdit=" + count +
                                     "\r\n"
                                     "Write_Stop_Count_CheckBox=False\r\n"
                                     "Always_on_Top_Option=False\r\n"
                                     "Auto_Run_at_Windows_Startup_Option=False\r\n");
  }
}

// Beside the program when its folder takes files, else the user's folder;
// without one, beside the program anyway (its save then says why it fails).
TEST(Settings_Location_Test, BesideTheProgramUnlessItsFolderIsClosedAndTheUserHasOne) {
  EXPECT_EQ(Settings_File_Name_For("/opt/v/velmaric", true, "/home/u/.config/velmaric/"),
            "/opt/v/velmaric.ini");
  EXPECT_EQ(Settings_File_Name_For("/opt/v/velmaric", false, "/home/u/.config/velmaric/"),
            "/home/u/.config/velmaric/velmaric.ini");
  EXPECT_EQ(Settings_File_Name_For("/opt/v/velmaric", false, ""), "/opt/v/velmaric.ini");
}

}  // namespace
}  // namespace velmaric
