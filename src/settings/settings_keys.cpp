#include "settings/settings_keys.h"

#include <string_view>

#include "core/stopwatch.h"
#include "settings/ini_values.h"
#include "settings/settings_file.h"

namespace velmaric::settings_key {
namespace {

using State = Settings_State;

template <Option_Item item>
constexpr Settings_Key Option_Key(const char* text, const char* fallback) {
  return {text, fallback, Value_Form::flag,
          [](const State& state) { return Flag_Ini_Text(state.host.Option(item)); },
          [](const State& state, const std::string& value) {
            state.host.Set_Option(item, Ini_Flag_Value(value));
          }};
}

template <int (Settings_Host::*get)() const, void (Settings_Host::*set)(int)>
constexpr Settings_Key Geometry_Key(const char* text, const char* fallback) {
  return {text, fallback, Value_Form::integer,
          [](const State& state) { return Integer_Ini_Text((state.host.*get)()); },
          [](const State& state, const std::string& value) {
            (state.host.*set)(Ini_Integer_Value(value));
          }};
}

}  // namespace

// Declared extern in the header, so constexpr here keeps external linkage.
constexpr std::array<Settings_Key, 15> table = {{
    {maximized, "False", Value_Form::flag,
     [](const State& state) { return Flag_Ini_Text(state.host.Is_Maximized()); },
     [](const State& state, const std::string& value) {
       state.pending_maximize = Ini_Flag_Value(value);
     }},
    {elapsed_centi_seconds, "0", Value_Form::real,
     [](const State& state) { return Real_Ini_Text(state.stopwatch.elapsed_centi_seconds()); },
     [](const State& state, const std::string& value) {
       state.stopwatch.Set_Elapsed_Centi_Seconds(Ini_Real_Value(value));
     }},
    Geometry_Key<&Settings_Host::Window_Top, &Settings_Host::Set_Window_Top>(window_top, "20"),
    Geometry_Key<&Settings_Host::Window_Left, &Settings_Host::Set_Window_Left>(window_left, "20"),
    Geometry_Key<&Settings_Host::Client_Width, &Settings_Host::Set_Client_Width>(client_width,
                                                                                 "368"),
    Geometry_Key<&Settings_Host::Client_Height, &Settings_Host::Set_Client_Height>(client_height,
                                                                                   "313"),
    Option_Key<Option_Item::Do_Not_Log_RadioButton>(do_not_log, "True"),
    Option_Key<Option_Item::Log_to_File_RadioButton>(log_to_file, "False"),
    Option_Key<Option_Item::Expert_Mode_Option>(expert_mode, "False"),
    {original_start, "0", Value_Form::real,
     [](const State& state) { return Real_Ini_Text(state.stopwatch.original_start_date_time()); },
     [](const State& state, const std::string& value) {
       state.stopwatch.Restore_Original_Start(Ini_Real_Value(value));
     }},
    {log_file_name, "", Value_Form::text,
     [](const State& state) { return state.host.Log_File_Name(); },
     [](const State& state, const std::string& value) { state.host.Set_Log_File_Name(value); }},
    {stop_count, "0", Value_Form::integer,
     [](const State& state) { return Integer_Ini_Text(state.stopwatch.stop_count()); },
     [](const State& state, const std::string& value) {
       state.stopwatch.Restore_Stop_Count(Ini_Integer_Value(value));
     }},
    Option_Key<Option_Item::Write_Stop_Count_CheckBox>(write_stop_count, "False"),
    Option_Key<Option_Item::Always_On_Top_Option>(always_on_top, "False"),
    Option_Key<Option_Item::Auto_Run_at_Windows_Startup_Option>(auto_run, "False"),
}};

namespace {

constexpr const Settings_Key* Key(std::string_view text) {
  for (const Settings_Key& key : table) {
    if (text == key.text) return &key;
  }
  return nullptr;
}

constexpr bool Each_Key_Once(const std::array<const Settings_Key*, 15>& order) {
  for (const Settings_Key& key : table) {
    int found = 0;
    for (const Settings_Key* entry : order) found += entry == &key ? 1 : 0;
    if (found != 1) return false;
  }
  return true;
}

}  // namespace

constexpr std::array<const Settings_Key*, 15> load_order = {
    Key(elapsed_centi_seconds),
    Key(window_top),
    Key(window_left),
    Key(client_width),
    Key(client_height),
    Key(do_not_log),
    Key(log_to_file),
    Key(original_start),
    Key(log_file_name),
    Key(expert_mode),
    Key(stop_count),
    Key(write_stop_count),
    Key(maximized),
    Key(always_on_top),
    Key(auto_run),
};
static_assert(Each_Key_Once(load_order), "a load applies every key once");

bool Is(const Settings_Key& key, const char* name) {
  return std::string_view(key.text) == name;
}

}  // namespace velmaric::settings_key
