// The main window's side of the settings: the options a save reads and a
// load sets, by the controls that show them, and the log file name.

#include "presenter/main_presenter.h"

namespace velmaric {
namespace {

Main_Control Control_Of(Option_Item item) {
  switch (item) {
    case Option_Item::Do_Not_Log_RadioButton:
      return Main_Control::Do_Not_Log_RadioButton;
    case Option_Item::Log_to_File_RadioButton:
      return Main_Control::Log_to_File_RadioButton;
    case Option_Item::Expert_Mode_Option:
      return Main_Control::Expert_Mode_Option;
    case Option_Item::Write_Stop_Count_CheckBox:
      return Main_Control::Write_Stop_Count_CheckBox;
    case Option_Item::Always_On_Top_Option:
      return Main_Control::Always_On_Top_Option;
    case Option_Item::Auto_Run_at_Windows_Startup_Option:
      return Main_Control::Auto_Run_at_Windows_Startup_Option;
  }
  return Main_Control::Expert_Mode_Option;
}

}  // namespace

bool Main_Presenter::Option(Option_Item item) const {
  return view_.Checked(Control_Of(item));
}

void Main_Presenter::Set_Option(Option_Item item, bool on) {
  view_.Set_Checked(Control_Of(item), on);
}

std::string Main_Presenter::Log_File_Name() const {
  return view_.Text(Main_Control::Log_File_Name_EditBox);
}

void Main_Presenter::Set_Log_File_Name(const std::string& name) {
  view_.Set_Text(Main_Control::Log_File_Name_EditBox, name);
}

void Main_Presenter::Use_Log_File_Name(const std::string& name) {
  Set_Log_File_Name(name);
  try {
    settings_.Save_Log_File_Name(name);
  } catch (...) {
    run_guard_.Settings_Saved(stopwatch_, false);
    throw;
  }
  run_guard_.Settings_Saved(stopwatch_, true);
}

}  // namespace velmaric
