#pragma once
// The entry that starts this program whenever the user logs in.
//
// The entry is one string value in the user's start-up registry (see
// platform/startup_registry.h): named after the executable's file name, it
// holds the executable's full path. The "Auto-Run at Windows Startup" check
// mark mirrors it: it is set from Check_Startup_Entry at every start-up
// sequence and changes only when an add or remove succeeded.
//
// The registry operations check the outcomes they expect and report the
// others in an error box; a refusal they do not check (a value of another
// type, a write the store rejects) throws Command_Error for the command guard.

#include <string>

#include "platform/message_box.h"
#include "platform/startup_registry.h"

namespace velmaric {

// True when the value was written and reads back exactly equal. A missing
// key or a value that reads back different is shown in an error box.
bool Write_Registry_String(Startup_Registry& registry, const std::string& value_name,
                           const std::string& value_text, Message_Box& boxes);

// True when the value is gone afterwards, also when there was none. A missing
// key or a value that stays is shown in an error box.
bool Delete_Registry_Value(Startup_Registry& registry, const std::string& value_name,
                           Message_Box& boxes);

// The value's text; empty when the key or the value is missing.
std::string Read_Registry_String(const Startup_Registry& registry, const std::string& value_name);

// Write or delete the entry of the executable at executable_path, and tell
// the user so; false when that failed (the error has been shown).
bool Add_Startup_Entry(Startup_Registry& registry, const std::string& executable_path,
                       Message_Box& boxes);
bool Remove_Startup_Entry(Startup_Registry& registry, const std::string& executable_path,
                          Message_Box& boxes);

// True when an entry for this executable's file name exists. When it holds
// another path (letter case a-z aside) the user is asked whether to update
// it; the result is true whatever the answer.
bool Check_Startup_Entry(Startup_Registry& registry, const std::string& executable_path,
                         Message_Box& boxes);

// Check_Startup_Entry for the program's start, which must not end on it: a
// failure is shown in an error box; an entry that cannot be read counts as
// none, one that could not be updated still counts as present.
bool Check_Startup_Entry_At_Program_Start(Startup_Registry& registry,
                                          const std::string& executable_path, Message_Box& boxes);

// The menu command: removes the entry when checked, adds it otherwise. Gives
// the new state of the check mark, which changes only on success.
bool Auto_Run_at_Windows_Startup_OptionClick(bool checked, Startup_Registry& registry,
                                             const std::string& executable_path,
                                             Message_Box& boxes);

}  // namespace velmaric
