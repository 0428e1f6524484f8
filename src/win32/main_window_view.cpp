// The controls' states as the presenter sets and reads them, by their
// design names.

#include "win32/main_window.h"
#include "win32/win32_text.h"

namespace velmaric::win32 {

const char* TMainForm1::Name_Of(Main_Control control) {
  switch (control) {
    case Main_Control::MainForm1:
      return nullptr;
    case Main_Control::Date_Time_Edit:
      return "Date_Time_Edit";
    case Main_Control::Elapsed_Secs_Edit:
      return "Elapsed_Secs_Edit";
    case Main_Control::Elapsed_Mins_Edit:
      return "Elapsed_Mins_Edit";
    case Main_Control::Elapsed_Hours_Edit:
      return "Elapsed_Hours_Edit";
    case Main_Control::Copy_Edit_Box:
      return "Copy_Edit_Box";
    case Main_Control::Control_Label:
      return "Control_Label";
    case Main_Control::Start_Stop_Resume_BitBtn:
      return "Start_Stop_Resume_BitBtn";
    case Main_Control::Snap_Shot_Since_Start_Button:
      return "Snap_Shot_Since_Start_Button";
    case Main_Control::Snap_Shot_Since_Resume_Button:
      return "Snap_Shot_Since_Resume_Button";
    case Main_Control::Stops_Since_Last_Reset_SpinEdit:
      return "Stops_Since_Last_Reset_SpinEdit";
    case Main_Control::Log_to_File_RadioButton:
      return "Log_to_File_RadioButton";
    case Main_Control::Do_Not_Log_RadioButton:
      return "Do_Not_Log_RadioButton";
    case Main_Control::Log_File_Name_EditBox:
      return "Log_File_Name_EditBox";
    case Main_Control::Write_Time_to_Log_Only_CheckBox:
      return "Write_Time_to_Log_Only_CheckBox";
    case Main_Control::Write_Stop_Count_CheckBox:
      return "Write_Stop_Count_CheckBox";
    case Main_Control::Expert_Mode_Option:
      return "Expert_Mode_Option";
    case Main_Control::Always_On_Top_Option:
      return "Always_On_Top_Option";
    case Main_Control::Auto_Run_at_Windows_Startup_Option:
      return "Auto_Run_at_Windows_Startup_Option";
    case Main_Control::SpareMenu:
      return "SpareMenu";
  }
  return nullptr;
}

bool TMainForm1::Is_Menu_Item(Main_Control control) {
  switch (control) {
    case Main_Control::Expert_Mode_Option:
    case Main_Control::Always_On_Top_Option:
    case Main_Control::Auto_Run_at_Windows_Startup_Option:
    case Main_Control::SpareMenu:
      return true;
    default:
      return false;
  }
}

std::string TMainForm1::Text(Main_Control control) const {
  const char* const name = Name_Of(control);
  if (name == nullptr) return Window_Text(window_);
  if (Is_Menu_Item(control)) return menu_->Text(name);
  return Window_Text(controls_->Window(name));
}

void TMainForm1::Set_Text(Main_Control control, const std::string& text) {
  const char* const name = Name_Of(control);
  if (name == nullptr) {
    Set_Window_Text(window_, text);
  } else if (Is_Menu_Item(control)) {
    if (menu_->Set_Text(name, text)) DrawMenuBar(window_);
  } else {
    Set_Window_Text(controls_->Window(name), text);
  }
}

void TMainForm1::Set_Value(Main_Control control, std::int32_t value) {
  Set_Text(control, std::to_string(value));
}

bool TMainForm1::Checked(Main_Control control) const {
  const char* const name = Name_Of(control);
  if (name == nullptr) return false;
  if (Is_Menu_Item(control)) return menu_->Checked(name);
  return SendMessageA(controls_->Window(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TMainForm1::Set_Checked(Main_Control control, bool on) {
  const char* const name = Name_Of(control);
  if (name == nullptr) return;
  if (Is_Menu_Item(control)) {
    menu_->Set_Checked(name, on);
  } else if (controls_->Named(name).row->kind == forms::Control_Kind::Radio_Button) {
    Select_Radio_Button(name, on);
  } else {
    SendMessageA(controls_->Window(name), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

// Selecting a logging choice clears the other and runs its handler, as the
// user's click would; both may end up unselected.
void TMainForm1::Select_Radio_Button(const char* name, bool on) {
  const std::string chosen = name;
  const char* const other =
      chosen == "Do_Not_Log_RadioButton" ? "Log_to_File_RadioButton" : "Do_Not_Log_RadioButton";
  HWND const button = controls_->Window(name);
  const bool was_on = SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (on) SendMessageA(controls_->Window(other), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageA(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  if (on && !was_on) handlers_.at(chosen)();
}

void TMainForm1::Set_Enabled(Main_Control control, bool on) {
  const char* const name = Name_Of(control);
  if (name == nullptr) return;
  if (Is_Menu_Item(control)) {
    menu_->Set_Enabled(name, on);
    return;
  }
  const Built_Control& built = controls_->Named(name);
  EnableWindow(built.window, on ? TRUE : FALSE);
  if (built.arrows != nullptr) EnableWindow(built.arrows, on ? TRUE : FALSE);
  // The log name box greys out with logging off.
  InvalidateRect(built.window, nullptr, TRUE);
}

void TMainForm1::Set_Visible(Main_Control control, bool on) {
  const char* const name = Name_Of(control);
  if (name == nullptr) return;
  if (Is_Menu_Item(control)) {
    if (menu_->Set_Visible(name, on)) DrawMenuBar(window_);
    return;
  }
  controls_->Show(controls_->Named(name), on);
}

}  // namespace velmaric::win32
