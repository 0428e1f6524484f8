#include "forms/main_form_design.h"

#include "core/stopwatch.h"
#include "core/window_place.h"

namespace velmaric::forms {
namespace {

constexpr const char* client = "client";
constexpr Font_Design design_font{"Times New Roman", 11, Font_Unit::Points, false, false};
constexpr Font_Design design_bold_font{"Times New Roman", 11, Font_Unit::Points, true, false};

using K = Control_Kind;

// Every control of the window wears the design font: the layout record keeps
// each one's point size to rescale it.
Control_Design Row(Control_Kind kind, const char* name, Rectangle rectangle,
                   const Font_Design& font = design_font) {
  return Control(kind, name, client, rectangle).Font(font);
}

Control_Design Shown_Field(const char* name, Rectangle rectangle, const char* text,
                           const char* hint) {
  return Row(K::Read_Only_Edit, name, rectangle)
      .Caption(text)
      .Hint(hint)
      .Background(Colour_Role::Inactive_Border);
}

std::vector<Control_Design> Controls() {
  return {
      Row(K::Bevel, "Bevel1", {4, 4, 433, 365}).Bevel(Bevel_Style::Lowered_Box),
      Row(K::Label, "Label2", {8, 16, 127, 17}).Caption("Current Date / Time :"),
      Shown_Field("Date_Time_Edit", {188, 8, 238, 25}, " ... ../../.. 00:00:00",
                  "Current Date & Time"),
      Row(K::Label, "Label3", {8, 48, 154, 17}).Caption("Elapsed Time in Seconds :"),
      Shown_Field("Elapsed_Secs_Edit", {245, 40, 113, 25}, " 0.0", "Elapsed Time in Seconds"),
      Row(K::Label, "Label4", {8, 80, 152, 17}).Caption("Elapsed Time in Minutes :"),
      Shown_Field("Elapsed_Mins_Edit", {245, 72, 113, 25}, " 0.0", "Elapsed Time in Minutes"),
      Row(K::Label, "Label5", {8, 112, 141, 17}).Caption("Elapsed Time in Hours :"),
      Shown_Field("Elapsed_Hours_Edit", {245, 104, 113, 25}, " 0.0", "Elapsed Time in Hours"),
      Row(K::Label, "Label6", {8, 140, 227, 17}).Caption("Elapsed Time in DD.HH:MM:SS.HH :"),
      Shown_Field("Copy_Edit_Box", {245, 136, 113, 25}, " 00:00:00:00.00",
                  "Elapsed Time in DD.HH:MM:SS.HH format."),
      // Holds the run state for the logic; never shown.
      Row(K::Label, "Control_Label", {100, 160, 95, 17}, design_bold_font)
          .Caption(label_design)
          .Hidden(),

      // The logging rows lie on the client, over the group box's frame.
      Row(K::Group_Box, "RadioGroup1", {8, 176, 421, 149}).Caption("Logging Options :"),
      Row(K::Radio_Button, "Log_to_File_RadioButton", {16, 204, 93, 17}).Caption("Log to file : "),
      Row(K::Push_Button, "Select_Log_File_BitBtn", {112, 200, 25, 25})
          .Glyph("select-log")
          .Hint("Select Log File")
          .Accessible_Name("Select Log File"),
      Row(K::Edit, "Log_File_Name_EditBox", {140, 200, 285, 25})
          .Disabled()
          .Background(Colour_Role::Grey)
          .Accessible_Name("Log file name"),
      Row(K::Radio_Button, "Do_Not_Log_RadioButton", {16, 236, 145, 17})
          .Caption("Do NOT Log to file.")
          .Checked(),
      Row(K::Push_Button, "Reset_Log_Button", {256, 232, 81, 25}, design_bold_font)
          .Caption("Reset Log")
          .Hint("Erase and Reset the Stop Watch Log File"),
      Row(K::Push_Button, "View_Log_Button", {344, 232, 81, 25}, design_bold_font)
          .Caption("View Log")
          .Hint("View / Edit the Stop Watch Log file."),
      Row(K::Check_Box, "Write_Time_to_Log_Only_CheckBox", {16, 268, 289, 17})
          .Caption("Write HHH:MM:SS.HHH to Log File only"),
      Row(K::Check_Box, "Write_Stop_Count_CheckBox", {16, 296, 289, 17})
          .Caption("Log the number Stops since the last Reset"),
      Row(K::Read_Only_Spin_Edit, "Stops_Since_Last_Reset_SpinEdit", {324, 291, 73, 27})
          .Background(Colour_Role::Menu)
          .Accessible_Name("Stops since the last Reset"),

      Row(K::Push_Button, "Start_Stop_Resume_BitBtn", {16, 332, 88, 32}, design_bold_font)
          .Caption(caption_start)
          .Glyph("start-stop")
          .Hint("Multi-function button to Start / Stop / Resume the Stop Watch."),
      // Flat picture buttons are clicked, never tabbed to: the keyboard's
      // cycle ends on Start / Stop / Resume and wraps to the copy box.
      Row(K::Push_Button, "Snap_Shot_Since_Start_Button", {120, 332, 41, 33})
          .Glyph("snapshot-start")
          .Hint("Write elapsed time since original Start to LOG File.")
          .Flat()
          .Not_Focusable()
          .Accessible_Name("Snapshot since the original Start"),
      Row(K::Push_Button, "Snap_Shot_Since_Resume_Button", {176, 332, 41, 33})
          .Glyph("snapshot-resume")
          .Hint("Write elapsed time since last Resume to LOG File.")
          .Flat()
          .Not_Focusable()
          .Accessible_Name("Snapshot since the last Resume"),
      Row(K::Push_Button, "Reset_BitBtn", {232, 332, 88, 32}, design_bold_font)
          .Caption("&Reset")
          .Glyph("reset")
          .Hint("Reset the Stop Watch counters (NOT the log file) to 0."),
      Row(K::Push_Button, "Exit_BitBtn", {336, 332, 88, 32}, design_bold_font)
          .Caption("&Exit")
          .Glyph("exit")
          .Hint("Stop and Exit this program"),
      // Holds the layout record; never shown, and placed beyond the client's
      // right edge.
      Row(K::List_Box, "Scaling_ListBox", {440, 104, 37, 43}).Hidden(),
  };
}

std::vector<Menu_Design> Menu() {
  using M = Menu_Kind;
  return {
      {M::Bar, "MainMenu1", "", "", false},
      {M::Menu, "FileMenu", "MainMenu1", "&File", false},
      {M::Item, "Copy_Elapsed_Time_To_Clipboard_Option", "FileMenu",
       "&Copy Elapsed Time To Clipboard", false},
      {M::Separator, "N1", "FileMenu", "", false},
      {M::Item, "Copy_Stopwatch_Times_to_FloppyDisk_Option", "FileMenu",
       "Copy Stopwatch Times &To Floppy Disk A:", false},
      {M::Item, "Copy_Stopwatch_Times_From_FloppyDisk_Option", "FileMenu",
       "Copy Stopwatch Times &From Floppy Disk A:", false},
      {M::Separator, "N2", "FileMenu", "", false},
      {M::Item, "Select_Log_File_Option", "FileMenu", "&Select Log File", false},
      {M::Separator, "N3", "FileMenu", "", false},
      {M::Item, "Expert_Mode_Option", "FileMenu", "Expert Mode (Turn Off message prompts).", true},
      {M::Separator, "N4", "FileMenu", "", false},
      {M::Item, "Always_On_Top_Option", "FileMenu", "Always on Top", true},
      {M::Item, "Auto_Run_at_Windows_Startup_Option", "FileMenu", "Auto-Run at Windows Startup",
       true},
      {M::Item, "Restore_Factory_Defaults_Option", "FileMenu", "Restore Factory Defaults", false},
      {M::Separator, "N5", "FileMenu", "", false},
      {M::Item, "Exit1", "FileMenu", "E&xit", false},
      {M::Menu, "HelpMenu", "MainMenu1", "&Help", false},
      {M::Item, "View_Readme_file_Option", "HelpMenu", "&View Readme file", false},
      {M::Item, "View_Shareware_Catalog_Option", "HelpMenu", "View &Shareware Catalog", false},
      {M::Separator, "N6", "HelpMenu", "", false},
      {M::Item, "AboutOption", "HelpMenu", "&About", false},
      // Shows the clock on the bar; its caption comes with the first tick.
      {M::Item, "SpareMenu", "MainMenu1", "", false},
  };
}

}  // namespace

const Form_Design& Main_Form() {
  static const Form_Design form{
      client,
      {441, 373},
      {smallest_client_width, smallest_client_height},
      Colour_Role::Button_Face,
      Controls(),
      {"Copy_Edit_Box", "Do_Not_Log_RadioButton", "Log_to_File_RadioButton",
       "Log_File_Name_EditBox", "Reset_Log_Button", "View_Log_Button", "Select_Log_File_BitBtn",
       "Write_Time_to_Log_Only_CheckBox", "Elapsed_Secs_Edit", "Elapsed_Mins_Edit",
       "Elapsed_Hours_Edit", "Date_Time_Edit", "Stops_Since_Last_Reset_SpinEdit",
       "Write_Stop_Count_CheckBox", "Exit_BitBtn", "Reset_BitBtn", "Start_Stop_Resume_BitBtn"},
      Menu(),
  };
  return form;
}

}  // namespace velmaric::forms
