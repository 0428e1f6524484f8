#pragma once
// The fifteen keys of the settings file, in the order a save writes them
// (which is also the line order of a file created from nothing). Every key
// ends in "=" and the value follows it directly.

#include <array>

namespace velmaric::settings_key {

inline constexpr const char* maximized = "WindowState_wsMaximized=";
inline constexpr const char* elapsed_centi_seconds = "elapsed_centi_seconds=";
inline constexpr const char* window_top = "window_top_posn=";
inline constexpr const char* window_left = "window_left_posn=";
inline constexpr const char* client_width = "window_ClientWidth=";
inline constexpr const char* client_height = "window_ClientHeight=";
inline constexpr const char* do_not_log = "Do_Not_Log_RadioButton=";
inline constexpr const char* log_to_file = "Log_to_File_RadioButton=";
inline constexpr const char* expert_mode = "Expert_Mode_Option=";
inline constexpr const char* original_start = "original_start_date_time=";
inline constexpr const char* log_file_name = "Log_File_Name_EditBox=";
inline constexpr const char* stop_count = "Stops_Since_Last_Reset_SpinEdit=";
inline constexpr const char* write_stop_count = "Write_Stop_Count_CheckBox=";
inline constexpr const char* always_on_top = "Always_on_Top_Option=";
inline constexpr const char* auto_run = "Auto_Run_at_Windows_Startup_Option=";

inline constexpr std::array<const char*, 15> write_order = {
    maximized,     elapsed_centi_seconds, window_top,     window_left,     client_width,
    client_height, do_not_log,            log_to_file,    expert_mode,     original_start,
    log_file_name, stop_count,            write_stop_count, always_on_top, auto_run};

}  // namespace velmaric::settings_key
