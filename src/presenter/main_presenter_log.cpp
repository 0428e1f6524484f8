// The main window's logging commands: the logging choice, the log file, the
// snapshots and the clipboard copy.

#include "log/log_commands.h"
#include "presenter/main_presenter.h"
#include "settings/ini_file.h"

namespace velmaric {
namespace {

constexpr const char* unusable_log_name =
    "The chosen file name contains a line break or a NUL character and can NOT be used for the "
    "Log file.  (The Log file name has NOT been changed)";

}  // namespace

Log_Settings Main_Presenter::Current_Log_Settings() const {
  Log_Settings log;
  log.logging_on = view_.Checked(Main_Control::Log_to_File_RadioButton);
  log.file_name = Log_File_Name();
  log.time_only = view_.Checked(Main_Control::Write_Time_to_Log_Only_CheckBox);
  log.count_column = view_.Checked(Main_Control::Write_Stop_Count_CheckBox);
  log.settings_file = settings_.Settings_File_Name();
  if (Lies_On_Medium(files_, log.file_name, locate_medium_)) log.links = Links::refuse;
  return log;
}

void Main_Presenter::Write_Stop_Entry() {
  Write_Log_Entry(files_, kind_stop, Current_Log_Settings(), stopwatch_, clock_);
}

void Main_Presenter::Append_Reset_Marker() {
  velmaric::Append_Reset_Marker(files_, Current_Log_Settings());
}

void Main_Presenter::Log_to_File_RadioButtonClick() {
  view_.Set_Enabled(Main_Control::Log_File_Name_EditBox, true);
}

void Main_Presenter::Do_Not_Log_RadioButtonClick() {
  view_.Set_Enabled(Main_Control::Log_File_Name_EditBox, false);
}

void Main_Presenter::Select_Log_File_BitBtnClick() {
  Choose_Log_File();
}

void Main_Presenter::Choose_Log_File() {
  const std::optional<std::string> chosen = choose_log_file_
                                                ? choose_log_file_(last_log_choice_)
                                                : view_.Choose_Log_File(last_log_choice_);
  if (!chosen) return;
  // The name is stored on a line of the settings file, where a line break
  // would start a line of the name's choosing.
  if (!Fits_On_One_Line(*chosen)) {
    boxes_.Information(unusable_log_name);
    return;
  }
  last_log_choice_ = *chosen;
  // Taken whole, whatever its length; logging is not switched on by it.
  Set_Log_File_Name(*chosen);
}

void Main_Presenter::Reset_Log_ButtonClick() {
  Run_Command([this] {
    Reset_Log(files_, Current_Log_Settings(), view_.Checked(Main_Control::Expert_Mode_Option),
              boxes_);
  });
}

void Main_Presenter::View_Log_ButtonClick() {
  Run_Command([this] { View_Log(files_, Current_Log_Settings(), editor_, boxes_); });
}

void Main_Presenter::Snap_Shot_Since_Resume_ButtonClick() {
  Run_Command([this] {
    Write_Log_Entry(files_, kind_snap_shot, Current_Log_Settings(), stopwatch_, clock_);
    run_guard_.Refresh(stopwatch_);
  });
}

void Main_Presenter::Snap_Shot_Since_Start_ButtonClick() {
  Run_Command([this] {
    Write_Log_Entry(files_, kind_original_start, Current_Log_Settings(), stopwatch_, clock_);
    run_guard_.Refresh(stopwatch_);
  });
}

void Main_Presenter::Copy_Elapsed_Time_To_Clipboard_OptionClick() {
  // The total at the moment of the copy.
  stopwatch_.Catch_Up();
  Refresh_Fields();
  view_.Copy_To_Clipboard(stopwatch_.Texts().copy_edit);
}

}  // namespace velmaric
