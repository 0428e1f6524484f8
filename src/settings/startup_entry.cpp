#include "settings/startup_entry.h"

#include <initializer_list>

#include "core/command_error.h"
#include "platform/executable.h"

namespace velmaric {
namespace {

constexpr const char* key_missing_first = "Error: The specified Registry Key for this operation ";
constexpr const char* key_missing_second = "does NOT exist on your PC.  ";
constexpr const char* contact_author = "Please contact the program's author.";

std::string Join_Lines(std::initializer_list<std::string> lines) {
  std::string text;
  bool first = true;
  for (const std::string& line : lines) {
    if (!first) text += "\r\n";
    text += line;
    first = false;
  }
  return text;
}

std::string Error_Text_With_Value(const std::string& first, const std::string& second,
                                  const Startup_Registry& registry, const std::string& value_name,
                                  const std::string& value_text) {
  return Join_Lines({first, second, "", " Error Key   = " + registry.Key_Text(),
                     " Error Item  = " + value_name, " Error Value = " + value_text, "",
                     contact_author});
}

std::string Error_Text_Without_Value(const std::string& first, const std::string& second,
                                     const Startup_Registry& registry,
                                     const std::string& value_name) {
  return Join_Lines({first, second, "", " Error Key   = " + registry.Key_Text(),
                     " Error Item  = " + value_name, "", contact_author});
}

// Only the letters a to z: the comparison must not depend on the locale.
std::string Upper_Case_A_To_Z(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string Mismatch_Prompt(const std::string& executable_path, const std::string& stored_path) {
  return Join_Lines(
      {"The directory / path settings required to make this program (" +
           File_Name_Part(executable_path) + ")",
       "run automatically at Windows Start-up do not match where the program ",
       "is currently being run from.", "", " Old      = " + stored_path,
       " Current = " + executable_path, "",
       "Do you want to update the Windows Registry to reflect the programs current locaton ?"});
}

// Steps of the start-up check that follow reading the stored path.
bool Check_Stored_Path(const std::string& stored_path, Startup_Registry& registry,
                       const std::string& executable_path, Message_Box& boxes) {
  if (stored_path.empty()) return false;
  if (Upper_Case_A_To_Z(stored_path) == Upper_Case_A_To_Z(executable_path)) return true;
  if (boxes.Warning_Yes_No(Mismatch_Prompt(executable_path, stored_path))) {
    Add_Startup_Entry(registry, executable_path, boxes);
  }
  // The old entry still starts some copy of the program.
  return true;
}

}  // namespace

bool Write_Registry_String(Startup_Registry& registry, const std::string& value_name,
                           const std::string& value_text, Message_Box& boxes) {
  if (!registry.Key_Exists()) {
    boxes.Error(Error_Text_With_Value(key_missing_first, key_missing_second, registry, value_name,
                                      value_text));
    return false;
  }
  registry.Write_String(value_name, value_text);
  if (registry.Read_String(value_name) == value_text) return true;
  boxes.Error(Error_Text_With_Value("Error: The required settings could not be created ",
                                    "or saved in the Windows Registry.  ", registry, value_name,
                                    value_text));
  return false;
}

bool Delete_Registry_Value(Startup_Registry& registry, const std::string& value_name,
                           Message_Box& boxes) {
  if (!registry.Key_Exists()) {
    boxes.Error(
        Error_Text_Without_Value(key_missing_first, key_missing_second, registry, value_name));
    return false;
  }
  registry.Delete_Value(value_name);
  if (!registry.Value_Exists(value_name)) return true;
  boxes.Error(Error_Text_Without_Value("Error: The required Registry Key settings ",
                                       "could not be removed from the Windows Registry.  ",
                                       registry, value_name));
  return false;
}

std::string Read_Registry_String(const Startup_Registry& registry, const std::string& value_name) {
  if (!registry.Key_Exists()) return {};
  return registry.Read_String(value_name);
}

bool Add_Startup_Entry(Startup_Registry& registry, const std::string& executable_path,
                       Message_Box& boxes) {
  const std::string name = File_Name_Part(executable_path);
  if (!Write_Registry_String(registry, name, executable_path, boxes)) return false;
  boxes.Information("This program (" + name + ") will now run automatically at Windows Start-Up.");
  return true;
}

bool Remove_Startup_Entry(Startup_Registry& registry, const std::string& executable_path,
                          Message_Box& boxes) {
  const std::string name = File_Name_Part(executable_path);
  if (!Delete_Registry_Value(registry, name, boxes)) return false;
  boxes.Information("This program (" + name +
                    ") will now no-longer run automatically at Windows Start-Up.");
  return true;
}

bool Check_Startup_Entry(Startup_Registry& registry, const std::string& executable_path,
                         Message_Box& boxes) {
  const std::string stored_path = Read_Registry_String(registry, File_Name_Part(executable_path));
  return Check_Stored_Path(stored_path, registry, executable_path, boxes);
}

bool Check_Startup_Entry_At_Program_Start(Startup_Registry& registry,
                                          const std::string& executable_path, Message_Box& boxes) {
  std::string stored_path;
  try {
    stored_path = Read_Registry_String(registry, File_Name_Part(executable_path));
  } catch (const Command_Error& error) {
    boxes.Error(error.what());
    return false;
  }
  try {
    return Check_Stored_Path(stored_path, registry, executable_path, boxes);
  } catch (const Command_Error& error) {
    boxes.Error(error.what());
    return true;  // the update failed; the old entry is still there
  }
}

bool Auto_Run_at_Windows_Startup_OptionClick(bool checked, Startup_Registry& registry,
                                             const std::string& executable_path,
                                             Message_Box& boxes) {
  if (checked) return !Remove_Startup_Entry(registry, executable_path, boxes);
  return Add_Startup_Entry(registry, executable_path, boxes);
}

}  // namespace velmaric
