#pragma once
// The main window as the presenter sees it: controls by their design names,
// the window's place, its timers and the few dialogs. Any toolkit can
// implement it; tests implement it with plain values.

#include <cstdint>
#include <optional>
#include <string>

namespace velmaric {

// The controls whose state the logic reads or sets, by their design names.
enum class Main_Control {
  MainForm1,  // the window itself: its text is the title
  Date_Time_Edit,
  Elapsed_Secs_Edit,
  Elapsed_Mins_Edit,
  Elapsed_Hours_Edit,
  Copy_Edit_Box,
  Control_Label,
  Start_Stop_Resume_BitBtn,
  Snap_Shot_Since_Start_Button,
  Snap_Shot_Since_Resume_Button,
  Stops_Since_Last_Reset_SpinEdit,
  Log_to_File_RadioButton,
  Do_Not_Log_RadioButton,
  Log_File_Name_EditBox,
  Write_Time_to_Log_Only_CheckBox,
  Write_Stop_Count_CheckBox,
  Expert_Mode_Option,
  Always_On_Top_Option,
  Auto_Run_at_Windows_Startup_Option,
  SpareMenu,  // the menu-bar clock
};

enum class Main_Timer {
  Timer1,            // single shot: the next change of a shown text
  Run_Record_Timer,  // periodic: the run record's sign of life
  Close_Timer,       // single shot: a waiting close tries again
};

class Main_View {
 public:
  virtual ~Main_View() = default;

  // A control's caption or text; the log name box's text is the file name
  // as bytes. Setting the text a control already shows changes nothing.
  virtual std::string Text(Main_Control control) const = 0;
  virtual void Set_Text(Main_Control control, const std::string& text) = 0;
  virtual void Set_Value(Main_Control control, std::int32_t value) = 0;
  // Check marks and radio buttons. Setting a radio button acts as the
  // user's click on it, and both logging choices may end up unselected.
  virtual bool Checked(Main_Control control) const = 0;
  virtual void Set_Checked(Main_Control control, bool on) = 0;
  virtual void Set_Enabled(Main_Control control, bool on) = 0;
  virtual void Set_Visible(Main_Control control, bool on) = 0;

  // The window's place: top and left of the outer window, the size of its
  // client area (below the menu bar); those of its normal place while it is
  // being un-maximised. A client size is kept within the screen and above
  // the smallest readable size.
  virtual int Window_Top() const = 0;
  virtual int Window_Left() const = 0;
  virtual int Client_Width() const = 0;
  virtual int Client_Height() const = 0;
  virtual void Set_Window_Top(int top) = 0;
  virtual void Set_Window_Left(int left) = 0;
  virtual void Set_Client_Size(int width, int height) = 0;
  virtual bool Is_Maximized() const = 0;
  // Un-maximises, for a save of the normal place.
  virtual void Show_Normal() = 0;
  // A maximised or minimised window back to its normal place.
  virtual void Restore_Normal() = 0;
  virtual void Show_Maximized() = 0;
  // Records the controls' design layout, once; every resize scales it.
  virtual void Capture_Layout() = 0;
  // Brings the window within the screens.
  virtual void Keep_On_Screen() = 0;
  virtual void Stay_On_Top(bool on_top) = 0;

  // Arms a timer to fire after wait_us (a periodic one, every wait_us).
  virtual void Start_Timer(Main_Timer timer, std::int64_t wait_us) = 0;
  virtual void Stop_Timer(Main_Timer timer) = 0;

  // The user's choice of a log file, offering the last choice of this run;
  // nothing when cancelled or when the choice cannot be told (the view has
  // then said so).
  virtual std::optional<std::string> Choose_Log_File(const std::string& last_choice) = 0;
  // The copy field's text, selected and put on the clipboard.
  virtual void Copy_To_Clipboard(const std::string& text) = 0;
  virtual void Show_About_Box() = 0;
  // Lets pending repaints and the closing menu finish before a long command.
  virtual void Process_Pending_Events() = 0;
  // Answers the box or dialog in front in the way that changes nothing.
  virtual void Dismiss_Open_Box() = 0;
  // Asks the window to close, which comes back as a close query.
  virtual void Close() = 0;
};

}  // namespace velmaric
