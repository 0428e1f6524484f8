#include "settings/settings_file.h"

#include <algorithm>

#include "platform/file_probe.h"
#include "platform/paths.h"
#include "platform/regular_files.h"
#include "settings/ini_file.h"
#include "settings/ini_values.h"
#include "settings/settings_keys.h"

namespace velmaric {
namespace {

namespace key = settings_key;

// No system opens a longer name (it is the longest path Windows takes):
// a longer value is no file name, and would swell the file it is saved in.
constexpr std::size_t longest_file_name = 32767;
constexpr std::size_t longest_shown_value = 100;

// A message shows the value with a replacement character where the line
// broke (a CR would break the message too, and a NUL would end it), and
// only the start of a value too long to read in a box.
std::string Shown_Value(const std::string& value) {
  std::string shown;
  for (const char c : value.substr(0, longest_shown_value)) {
    shown += Fits_On_One_Line(std::string_view(&c, 1)) ? std::string(1, c) : "\uFFFD";
  }
  return value.size() > longest_shown_value ? shown + "..." : shown;
}

// What a save writes, or the start of it: lines of the program's keys, the
// last one perhaps cut short. A file of the same name holding anything else
// is the user's, not a leftover.
bool Looks_Like_A_Save(const std::string& contents) {
  std::size_t start = 0;
  while (start < contents.size()) {
    const std::size_t end = contents.find('\n', start);
    const std::string_view line(contents.data() + start,
                                (end == std::string::npos ? contents.size() : end) - start);
    const bool whole = end != std::string::npos;
    const bool ours =
        std::any_of(key::table.begin(), key::table.end(), [&](const Settings_Key& entry) {
          const std::string_view owner = entry.text;
          return whole ? line.substr(0, owner.size()) == owner
                       : owner.substr(0, line.size()) == line.substr(0, owner.size());
        });
    if (!ours) return false;
    if (!whole) break;
    start = end + 1;
  }
  return true;
}

bool Is_Valid(const std::string& value, Value_Form form) {
  return Fits_On_One_Line(value) && (form != Value_Form::text || value.size() <= longest_file_name);
}

// Reads one key and applies it. A failure ends the load, or, when there is
// a report, is reported and the key takes its default instead.
void Load_Key(const Ini_Snapshot& file, const Settings_Key& key, const Settings_State& state,
              const Settings_File::Failure_Report& report) {
  const std::string value = file.Read(key.text, key.fallback);
  try {
    if (Is_Valid(value, key.form)) {
      key.restore(state, value);
    } else if (key.form == Value_Form::integer) {
      throw Invalid_Integer_Error(Shown_Value(value));
    } else if (key.form == Value_Form::text) {
      throw Invalid_File_Name_Error(Shown_Value(value));
    } else {
      key.restore(state, key.fallback);  // these forms report nothing
    }
  } catch (const Command_Error& failure) {
    if (!report) throw;
    report(failure);
    key.restore(state, key.fallback);
  }
}

}  // namespace

Command_Error Invalid_File_Name_Error(const std::string& text) {
  return Command_Error("'" + text + "' is not a valid file name");
}

Settings_File::Settings_File(File_System& files, Settings_Host& host, Stopwatch& stopwatch,
                             Locator locate)
    : files_(files), host_(host), stopwatch_(stopwatch), locate_(std::move(locate)) {}

void Settings_File::Clear_Leftovers() {
  const std::string name = locate_();
  Remove_Leftover_Temporaries(files_, name, Looks_Like_A_Save);
  // Saves through a link make their temporary files beside the file it names.
  try {
    const std::string target = Link_Final_Target(files_, name);
    if (target != name) Remove_Leftover_Temporaries(files_, target, Looks_Like_A_Save);
  } catch (const File_Error&) {
    // A loop of links: the load that follows reports it.
  }
}

void Settings_File::Save_Settings() {
  // The counter as of this moment, not of the last tick.
  stopwatch_.Catch_Up();
  if (settings_file_name_.empty()) settings_file_name_ = locate_();
  const std::string folder = Directory_Of_File(settings_file_name_);
  if (!Directory_Exists(files_, folder)) Force_Directory_Path(files_, folder);

  Ini_Batch file(files_, settings_file_name_);
  const Settings_State state{host_, stopwatch_, pending_maximize};
  for (const Settings_Key& entry : key::table) {
    if (key::Is(entry, key::stop_count) && stopwatch_.start_stop_resume_caption() == caption_stop) {
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
    const std::string value = entry.saved(state);
    file.Write(entry.text, value);
    // The geometry that follows is the normal window's.
    if (key::Is(entry, key::maximized) && Ini_Flag_Value(value)) host_.Show_Normal();
  }
  file.Commit();
}

void Settings_File::Save_Log_File_Name(const std::string& name) {
  if (settings_file_name_.empty()) settings_file_name_ = locate_();
  Write_Ini_Value(files_, settings_file_name_, key::log_file_name, name);
}

void Settings_File::Load_Settings(const Failure_Report& report) {
  settings_file_name_ = locate_();
  const Ini_Snapshot file = [&] {
    if (!report) return Ini_Snapshot(files_, settings_file_name_);
    try {
      return Ini_Snapshot(files_, settings_file_name_);
    } catch (const Command_Error& failure) {
      report(failure);
      return Ini_Snapshot();  // every key takes its default
    }
  }();
  const Settings_State state{host_, stopwatch_, pending_maximize};
  for (const Settings_Key* entry : key::load_order) Load_Key(file, *entry, state, report);
  stopwatch_.Settle_Restored_Run_State();
}

bool Delete_Closed_File(File_System& files, const std::string& name) {
  if (!File_Exists(files, name)) return false;
  const std::string file = Link_Final_Target(files, name);
  if (files.Status(file).type != File_Type::regular) return false;
  Set_File_Attribute_Flags(files, file, false, false, false, false);
  if (Get_File_Open_State(files, file) != open_state_closed) return false;
  try {
    files.Remove(file);
  } catch (const File_Error&) {
    // Still there: the result says so.
  }
  return !File_Exists(files, name);
}

bool Restore_Factory_Defaults(File_System& files, Message_Box& boxes,
                              const std::string& settings_file) {
  const std::string question =
      "Every option, the window's place and size and the stopwatch's counters will go back to "
      "their factory defaults.\r\n"
      "The elapsed time and the stop count will be set to 0 and the log file name cleared.\r\n"
      "The log file itself and the start at login are not changed.\r\n"
      "\r\n"
      "Do you want to restore the factory default settings ?";
  if (!boxes.Warning_Yes_No(question)) return false;
  Delete_Closed_File(files, settings_file);
  return true;
}

}  // namespace velmaric
