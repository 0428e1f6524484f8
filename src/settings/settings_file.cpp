#include "settings/settings_file.h"

#include <cstdio>

#include "platform/file_probe.h"
#include "platform/paths.h"
#include "settings/ini_file.h"
#include "settings/ini_values.h"
#include "settings/settings_keys.h"

namespace velmaric {
namespace {

namespace key = settings_key;

std::string Flag_Text(bool on) { return on ? "True" : "False"; }

}  // namespace

Settings_File::Settings_File(Settings_Host& host, Stopwatch& stopwatch, Locator locate)
    : host_(host), stopwatch_(stopwatch), locate_(std::move(locate)) {}

void Settings_File::Save_Settings() {
  if (settings_file_name_.empty()) settings_file_name_ = locate_();
  const std::string folder = Directory_Of_File(settings_file_name_);
  if (!Directory_Exists(folder)) Force_Directory_Path(folder);

  Ini_Batch file(settings_file_name_);
  if (host_.Is_Maximized()) {
    file.Write(key::maximized, "True");
    host_.Show_Normal();
  } else {
    file.Write(key::maximized, "False");
  }
  file.Write(key::elapsed_centi_seconds, Real_Ini_Text(stopwatch_.elapsed_centi_seconds()));
  file.Write(key::window_top, Integer_Ini_Text(host_.Window_Top()));
  file.Write(key::window_left, Integer_Ini_Text(host_.Window_Left()));
  file.Write(key::client_width, Integer_Ini_Text(host_.Client_Width()));
  file.Write(key::client_height, Integer_Ini_Text(host_.Client_Height()));
  file.Write(key::do_not_log, Flag_Text(host_.Option(Option_Item::Do_Not_Log_RadioButton)));
  file.Write(key::log_to_file, Flag_Text(host_.Option(Option_Item::Log_to_File_RadioButton)));
  file.Write(key::expert_mode, Flag_Text(host_.Option(Option_Item::Expert_Mode_Option)));
  file.Write(key::original_start, Real_Ini_Text(stopwatch_.original_start_date_time));
  file.Write(key::log_file_name, host_.Log_File_Name());
  if (stopwatch_.start_stop_resume_caption == caption_stop) {
    // Closing or copying while running counts as a stop, without stopping.
    stopwatch_.Count_Stop();
    try {
      host_.Write_Stop_Entry();
    } catch (...) {
      // What was saved before the failure stays saved.
      file.Commit();
      throw;
    }
  }
  file.Write(key::stop_count, Integer_Ini_Text(stopwatch_.stop_count));
  file.Write(key::write_stop_count,
             Flag_Text(host_.Option(Option_Item::Write_Stop_Count_CheckBox)));
  file.Write(key::always_on_top, Flag_Text(host_.Option(Option_Item::Always_On_Top_Option)));
  file.Write(key::auto_run,
             Flag_Text(host_.Option(Option_Item::Auto_Run_at_Windows_Startup_Option)));
  file.Commit();
}

void Settings_File::Load_Settings(const Failure_Report& report) {
  settings_file_name_ = locate_();
  const Ini_Snapshot file = [&] {
    if (!report) return Ini_Snapshot(settings_file_name_);
    try {
      return Ini_Snapshot(settings_file_name_);
    } catch (const Command_Error& failure) {
      report(failure);
      return Ini_Snapshot(std::string());  // every key takes its default
    }
  }();
  // Reads one key and applies it. A failure ends the load, or, when there is
  // a report, is reported and the key takes its default instead.
  const auto load = [&](const char* name, const char* fallback, auto&& apply) {
    if (!report) return apply(file.Read(name, fallback));
    try {
      apply(file.Read(name, fallback));
    } catch (const Command_Error& failure) {
      report(failure);
      apply(std::string(fallback));
    }
  };
  const auto option = [&](Option_Item item) {
    return [this, item](const std::string& text) { host_.Set_Option(item, Ini_Flag_Value(text)); };
  };
  using Item = Option_Item;

  load(key::elapsed_centi_seconds, "0", [this](const std::string& text) {
    stopwatch_.Set_Elapsed_Centi_Seconds(Ini_Real_Value(text));
  });
  load(key::window_top, "20",
       [this](const std::string& text) { host_.Set_Window_Top(Ini_Integer_Value(text)); });
  load(key::window_left, "20",
       [this](const std::string& text) { host_.Set_Window_Left(Ini_Integer_Value(text)); });
  load(key::client_width, "368",
       [this](const std::string& text) { host_.Set_Client_Width(Ini_Integer_Value(text)); });
  load(key::client_height, "313",
       [this](const std::string& text) { host_.Set_Client_Height(Ini_Integer_Value(text)); });
  load(key::do_not_log, "True", option(Item::Do_Not_Log_RadioButton));
  load(key::log_to_file, "False", option(Item::Log_to_File_RadioButton));
  load(key::original_start, "0", [this](const std::string& text) {
    stopwatch_.original_start_date_time = Ini_Real_Value(text);
  });
  load(key::log_file_name, "", [this](const std::string& text) { host_.Set_Log_File_Name(text); });
  load(key::expert_mode, "False", option(Item::Expert_Mode_Option));
  load(key::stop_count, "0",
       [this](const std::string& text) { stopwatch_.stop_count = Ini_Integer_Value(text); });
  load(key::write_stop_count, "False", option(Item::Write_Stop_Count_CheckBox));
  load(key::maximized, "False",
       [this](const std::string& text) { pending_maximize = Ini_Flag_Value(text); });
  load(key::always_on_top, "False", option(Item::Always_On_Top_Option));
  load(key::auto_run, "False", option(Item::Auto_Run_at_Windows_Startup_Option));

  // The run state follows the restored counter: a timing in progress comes
  // back stopped, ready to resume.
  stopwatch_.snap_shot_count = 0;
  stopwatch_.snap_shot_since_resume_enabled = stopwatch_.snap_shot_since_start_enabled = false;
  if (stopwatch_.elapsed_centi_seconds() > 0) {
    stopwatch_.start_stop_resume_caption = caption_resume;
    stopwatch_.snap_shot_since_start_enabled = true;
  }
}

bool Delete_Closed_File(const std::string& name) {
  if (!File_Exists(name)) return false;
  Set_File_Attribute_Flags(name, false, false, false, false);
  if (Get_File_Open_State(name) != open_state_closed) return false;
  std::remove(name.c_str());
  return !File_Exists(name);
}

bool Restore_Factory_Defaults(Message_Box& boxes, const std::string& settings_file) {
  const std::string question =
      "Every option, the window's place and size and the stopwatch's counters will go back to "
      "their factory defaults.\r\n"
      "The elapsed time and the stop count will be set to 0 and the log file name cleared.\r\n"
      "The log file itself and the start at login are not changed.\r\n"
      "\r\n"
      "Do you want to restore the factory default settings ?";
  if (!boxes.Warning_Yes_No(question)) return false;
  Delete_Closed_File(settings_file);
  return true;
}

}  // namespace velmaric
