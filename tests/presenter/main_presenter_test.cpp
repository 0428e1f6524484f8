// The main window's decisions without a window: what the view is told to
// show after each command and tick, what it is asked to arm, and what the
// commands write.

#include <filesystem>
#include <string>
#include <vector>

#include "presenter_fixture.h"
#include "settings/run_guard.h"

namespace velmaric::testing {
namespace {

using C = Main_Control;

class Main_Presenter_Test : public Presenter_Fixture {};

TEST_F(Main_Presenter_Test, StartStopResumeResetDriveCaptionsSnapShotsAndFields) {
  Start_Program();
  EXPECT_EQ(Shown(C::Start_Stop_Resume_BitBtn), "&Start");
  EXPECT_FALSE(view_->Enabled(C::Snap_Shot_Since_Start_Button));
  EXPECT_FALSE(view_->Enabled(C::Snap_Shot_Since_Resume_Button));

  presenter_->Start_Stop_Resume_BitBtnClick();
  EXPECT_EQ(Shown(C::Start_Stop_Resume_BitBtn), "&Stop");
  EXPECT_EQ(Shown(C::Control_Label), "GO");
  EXPECT_TRUE(view_->Enabled(C::Snap_Shot_Since_Start_Button));
  EXPECT_TRUE(view_->Enabled(C::Snap_Shot_Since_Resume_Button));

  world_.clock.Advance_Centi_Seconds(150);
  presenter_->Start_Stop_Resume_BitBtnClick();
  EXPECT_EQ(Shown(C::Start_Stop_Resume_BitBtn), "&Resume");
  EXPECT_EQ(Shown(C::Control_Label), "STOP");
  EXPECT_EQ(view_->values[C::Stops_Since_Last_Reset_SpinEdit], 1);
  EXPECT_EQ(Shown(C::Elapsed_Secs_Edit), "            1.50 ");
  EXPECT_EQ(Shown(C::Copy_Edit_Box), " 00.00:00:01.50");

  // Stopped, the clock moves on and the counter does not.
  world_.clock.Advance_Centi_Seconds(500);
  presenter_->Timer1Timer();
  EXPECT_EQ(Shown(C::Copy_Edit_Box), " 00.00:00:01.50");

  presenter_->Start_Stop_Resume_BitBtnClick();
  EXPECT_EQ(Shown(C::Start_Stop_Resume_BitBtn), "&Stop");
  world_.clock.Advance_Centi_Seconds(25);
  presenter_->Start_Stop_Resume_BitBtnClick();
  EXPECT_EQ(Shown(C::Copy_Edit_Box), " 00.00:00:01.75");
  EXPECT_EQ(view_->values[C::Stops_Since_Last_Reset_SpinEdit], 2);

  presenter_->Reset_BitBtnClick();
  EXPECT_EQ(Shown(C::Start_Stop_Resume_BitBtn), "&Start");
  EXPECT_EQ(Shown(C::Control_Label), "RESET");
  EXPECT_EQ(view_->values[C::Stops_Since_Last_Reset_SpinEdit], 0);
  EXPECT_EQ(Shown(C::Elapsed_Secs_Edit), "            0.00 ");
  EXPECT_FALSE(view_->Enabled(C::Snap_Shot_Since_Resume_Button));
}

// The reset notice is for beginners; expert mode silences it.
TEST_F(Main_Presenter_Test, ExpertModeSilencesTheResetNotice) {
  Start_Program();
  for (const bool expert : {false, true}) {
    SCOPED_TRACE(expert);
    if (view_->Checked(C::Expert_Mode_Option) != expert) presenter_->Expert_Mode_OptionClick();
    world_.boxes.shown.clear();
    presenter_->Reset_BitBtnClick();
    if (expert) {
      EXPECT_TRUE(world_.boxes.shown.empty());
    } else {
      ASSERT_EQ(world_.boxes.shown.size(), 1U);
      EXPECT_EQ(world_.boxes.shown[0].kind, "Information");
      EXPECT_EQ(world_.boxes.shown[0].text,
                "StopWatch counters Reset.  (The Log file has NOT been Reset)");
    }
  }
}

TEST_F(Main_Presenter_Test, AStopWhileLoggingWritesOneLineWithTheCount) {
  Start_Program();
  const std::string log = folder_.Path("times.log");
  world_.next_log_choice = log;
  presenter_->Select_Log_File_BitBtnClick();
  view_->Set_Checked(C::Log_to_File_RadioButton, true);
  view_->Set_Checked(C::Write_Stop_Count_CheckBox, true);
  EXPECT_TRUE(view_->Enabled(C::Log_File_Name_EditBox));
  presenter_->Start_Stop_Resume_BitBtnClick();
  world_.clock.Advance_Centi_Seconds(200);
  presenter_->Start_Stop_Resume_BitBtnClick();
  const std::string written = Read_File(log);
  EXPECT_NE(written.find("    1 "), std::string::npos) << written;
  EXPECT_NE(written.find("00.00:00:02.00"), std::string::npos) << written;
  // Logging off: the name box greys out and a stop writes nothing.
  view_->Set_Checked(C::Do_Not_Log_RadioButton, true);
  EXPECT_FALSE(view_->Enabled(C::Log_File_Name_EditBox));
  presenter_->Start_Stop_Resume_BitBtnClick();
  presenter_->Start_Stop_Resume_BitBtnClick();
  EXPECT_EQ(Read_File(log), written);
}

TEST_F(Main_Presenter_Test, AChosenLogNameIsTakenWholeUnlessItBreaksItsLine) {
  Start_Program();
  view_->Set_Text(C::Log_File_Name_EditBox, "old.log");
  world_.next_log_choice = folder_.Path("a\nb.log");
  presenter_->Choose_Log_File();
  EXPECT_EQ(Shown(C::Log_File_Name_EditBox), "old.log");
  ASSERT_EQ(Box_Kinds(), std::vector<std::string>{"Information"});
  const std::string long_name = folder_.Path(std::string(300, 'x') + ".log");
  world_.next_log_choice = long_name;
  presenter_->Choose_Log_File();
  EXPECT_EQ(Shown(C::Log_File_Name_EditBox), long_name);
  presenter_->Choose_Log_File();
  EXPECT_EQ(world_.offered_choices.back(), long_name);
  // Without a chooser of its own, the view's dialog asks.
  world_.real_file_dialog = true;
  Start_Program();
  view_->next_log_choice = "from-the-dialog.log";
  presenter_->Select_Log_File_BitBtnClick();
  EXPECT_EQ(Shown(C::Log_File_Name_EditBox), "from-the-dialog.log");
}

// At rest the timer wakes just after the clock's next second; running, at the
// view's pace; the run record's timer only while a running time is kept.
TEST_F(Main_Presenter_Test, TheTimerIsArmedForTheNextChangeOfAShownText) {
  Start_Program();
  EXPECT_EQ(view_->Wait(Main_Timer::Timer1), 1'001'000);
  world_.clock.Advance_Micro_Seconds(250'000);
  presenter_->Timer1Timer();
  EXPECT_EQ(view_->Wait(Main_Timer::Timer1), 751'000);
  EXPECT_FALSE(view_->Armed(Main_Timer::Run_Record_Timer));

  presenter_->Start_Stop_Resume_BitBtnClick();
  EXPECT_EQ(view_->Wait(Main_Timer::Timer1), Main_Presenter::view_refresh_us);
  EXPECT_EQ(view_->Wait(Main_Timer::Run_Record_Timer), Run_Guard::refresh_interval_us);
  presenter_->Timer1Timer();
  EXPECT_EQ(view_->Wait(Main_Timer::Timer1), Main_Presenter::view_refresh_us);

  presenter_->Start_Stop_Resume_BitBtnClick();
  EXPECT_FALSE(view_->Armed(Main_Timer::Run_Record_Timer));
  EXPECT_EQ(view_->Wait(Main_Timer::Timer1), 751'000);
}

// Ticks faster than the view's pace change no field; the menu-bar clock
// shows once the clock has been read.
TEST_F(Main_Presenter_Test, RunningFieldsFollowAtTheViewsPace) {
  Start_Program();
  EXPECT_TRUE(view_->visible[C::SpareMenu]);
  EXPECT_FALSE(Shown(C::SpareMenu).empty());
  presenter_->Start_Stop_Resume_BitBtnClick();
  presenter_->Timer1Timer();
  const std::string first = Shown(C::Copy_Edit_Box);
  world_.clock.Advance_Micro_Seconds(Main_Presenter::view_refresh_us / 2);
  presenter_->Timer1Timer();
  EXPECT_EQ(Shown(C::Copy_Edit_Box), first);
  world_.clock.Advance_Micro_Seconds(Main_Presenter::view_refresh_us / 2);
  presenter_->Timer1Timer();
  EXPECT_EQ(Shown(C::Copy_Edit_Box), " 00.00:00:00.04");
}

TEST_F(Main_Presenter_Test, TheClipboardGetsTheTotalAtTheMomentOfTheCopy) {
  Start_Program();
  presenter_->Start_Stop_Resume_BitBtnClick();
  world_.clock.Advance_Centi_Seconds(6125);
  presenter_->Copy_Elapsed_Time_To_Clipboard_OptionClick();
  EXPECT_EQ(view_->clipboard, std::vector<std::string>{" 00.00:01:01.25"});
  EXPECT_EQ(Shown(C::Copy_Edit_Box), " 00.00:01:01.25");
}

TEST_F(Main_Presenter_Test, OptionsLogNameAndPlaceRoundTripThroughTheSettingsFile) {
  Start_Program();
  view_->Set_Checked(C::Log_to_File_RadioButton, true);
  view_->Set_Text(C::Log_File_Name_EditBox, folder_.Path("round.log"));
  view_->Set_Checked(C::Write_Stop_Count_CheckBox, true);
  presenter_->Expert_Mode_OptionClick();
  presenter_->Always_On_Top_OptionClick();
  EXPECT_TRUE(view_->on_top);
  view_->Set_Window_Top(123);
  view_->Set_Window_Left(45);
  view_->Set_Client_Size(500, 400);
  presenter_->Start_Stop_Resume_BitBtnClick();
  world_.clock.Advance_Centi_Seconds(300);
  presenter_->Start_Stop_Resume_BitBtnClick();
  ASSERT_TRUE(Close_Program());

  Start_Program();
  EXPECT_TRUE(view_->Checked(C::Log_to_File_RadioButton));
  EXPECT_FALSE(view_->Checked(C::Do_Not_Log_RadioButton));
  EXPECT_TRUE(view_->Enabled(C::Log_File_Name_EditBox));
  EXPECT_EQ(Shown(C::Log_File_Name_EditBox), folder_.Path("round.log"));
  EXPECT_TRUE(view_->Checked(C::Write_Stop_Count_CheckBox));
  EXPECT_TRUE(view_->Checked(C::Expert_Mode_Option));
  EXPECT_TRUE(view_->Checked(C::Always_On_Top_Option));
  EXPECT_TRUE(view_->on_top);
  EXPECT_EQ(view_->top, 123);
  EXPECT_EQ(view_->left, 45);
  EXPECT_EQ(view_->width, 500);
  EXPECT_EQ(view_->height, 400);
  EXPECT_EQ(Shown(C::Start_Stop_Resume_BitBtn), "&Resume");
  EXPECT_EQ(Shown(C::Copy_Edit_Box), " 00.00:00:03.00");
  EXPECT_EQ(view_->values[C::Stops_Since_Last_Reset_SpinEdit], 1);
}

TEST_F(Main_Presenter_Test, FactoryDefaultsAfterYesDeleteTheFileAndShowTheDefaults) {
  Start_Program();
  const int default_width = view_->width;
  const int default_height = view_->height;
  view_->Set_Client_Size(default_width + 50, default_height + 50);
  presenter_->Expert_Mode_OptionClick();
  view_->maximized = true;
  ASSERT_TRUE(Close_Program());
  Start_Program();
  ASSERT_TRUE(view_->Checked(C::Expert_Mode_Option));
  for (const bool yes : {false, true}) {
    SCOPED_TRACE(yes);
    world_.boxes.answer_yes = yes;
    presenter_->Restore_Factory_Defaults_OptionClick();
    EXPECT_EQ(view_->Checked(C::Expert_Mode_Option), !yes);
    EXPECT_EQ(std::filesystem::exists(world_.settings_file), !yes);
    EXPECT_EQ(view_->restored, yes ? 1 : 0);
  }
  EXPECT_EQ(view_->width, default_width);
  EXPECT_EQ(view_->height, default_height);
}

TEST_F(Main_Presenter_Test, HelpAndAboutGoToTheEditorAndTheBox) {
  Start_Program();
  presenter_->AboutOptionClick();
  EXPECT_EQ(view_->about_boxes, 1);
  presenter_->View_Readme_file_OptionClick();
  presenter_->SpareMenuClick();
  EXPECT_EQ(world_.editor.started,
            (std::vector<std::string>{"/opt/velmaric/velmaric.txt", "/opt/velmaric/velmaric.txt"}));
  EXPECT_EQ(Shown(C::MainForm1), "Velmaric");
}

}  // namespace
}  // namespace velmaric::testing
