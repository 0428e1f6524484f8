#pragma once
// The start-up entry's tests: the program's path, and the texts its boxes show.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "settings/startup_entry.h"
#include "support/recording_message_box.h"

namespace velmaric {

using namespace velmaric::testing;
using Shown = std::vector<std::pair<std::string, std::string>>;

inline const std::string exe = "/opt/a b/velmaric";
inline const std::string added =
    "This program (velmaric) will now run automatically at Windows Start-Up.";
inline const std::string removed =
    "This program (velmaric) will now no-longer run automatically at Windows Start-Up.";

inline std::string Error_Text(const std::string& first_lines, const std::string& key,
                              bool value_line) {
  return first_lines + "\r\n\r\n Error Key   = " + key + "\r\n Error Item  = velmaric\r\n" +
         (value_line ? " Error Value = /opt/a b/velmaric\r\n" : "") +
         "\r\nPlease contact the program's author.";
}
inline const std::string key_missing =
    "Error: The specified Registry Key for this operation \r\ndoes NOT exist on your PC.  ";
inline const std::string not_saved =
    "Error: The required settings could not be created \r\nor saved in the Windows Registry.  ";
inline const std::string not_removed =
    "Error: The required Registry Key settings \r\n"
    "could not be removed from the Windows Registry.  ";

inline std::string Prompt(const std::string& old_path) {
  return "The directory / path settings required to make this program (velmaric)\r\n"
         "run automatically at Windows Start-up do not match where the program \r\n"
         "is currently being run from.\r\n\r\n Old      = " +
         old_path +
         "\r\n Current = /opt/a b/velmaric\r\n\r\n"
         "Do you want to update the Windows Registry to reflect the programs current locaton ?";
}

inline std::string Shown_Text(const Recording_Message_Box& boxes) {
  std::string text;
  for (const auto& box : boxes.shown) text += "|" + box.kind + ":" + box.text;
  return text;
}

// Clicks the menu command both ways and checks, as "<results>|<kind>:<text>...".
inline std::string Click_Both_Ways(Startup_Registry& registry) {
  Recording_Message_Box boxes;
  const bool added_mark = Auto_Run_at_Windows_Startup_OptionClick(false, registry, exe, boxes);
  const bool removed_mark = Auto_Run_at_Windows_Startup_OptionClick(true, registry, exe, boxes);
  const bool found = Check_Startup_Entry(registry, exe, boxes);
  return std::to_string(added_mark) + std::to_string(removed_mark) + std::to_string(found) +
         Shown_Text(boxes);
}

}  // namespace velmaric
