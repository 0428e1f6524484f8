#pragma once
// The fifteen keys of the settings file in one table: each key's text, its
// default, the form of its value, and how a save reads the value from the
// program's state and a load applies it there.
//
// The table runs in the order a save writes the keys (which is also the line
// order of a file created from nothing); a load applies them in an order of
// its own. Every key ends in "=" and the value follows it directly.

#include <array>
#include <string>

namespace velmaric {

class Settings_Host;
class Stopwatch;

// Where the keys' values live: the window's controls, the stopwatch, and
// the one flag the start-up acts on after the load.
struct Settings_State {
  Settings_Host& host;
  Stopwatch& stopwatch;
  bool& pending_maximize;
};

// How a key's value reads; it decides what a value that breaks its line does.
enum class Value_Form { flag, integer, real, text };

struct Settings_Key {
  const char* text;      // "name=", as the file spells it
  const char* fallback;  // the value of a key the file lacks
  Value_Form form;
  // The value a save writes.
  std::string (*saved)(const Settings_State& state);
  // Applies a value the load read; an invalid integer throws Command_Error.
  void (*restore)(const Settings_State& state, const std::string& value);
};

namespace settings_key {

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

// Every key, in the order a save writes them.
extern const std::array<Settings_Key, 15> table;
// The same keys in the order a load applies them.
extern const std::array<const Settings_Key*, 15> load_order;

// True when key is the one whose text is name.
bool Is(const Settings_Key& key, const char* name);

}  // namespace settings_key
}  // namespace velmaric
