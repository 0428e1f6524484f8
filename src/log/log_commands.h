#pragma once
// The commands around the log: erase it and start it afresh, and view it in
// the editor.

#include <string>

#include "log/log_writer.h"
#include "platform/editor.h"
#include "platform/message_box.h"

namespace velmaric {

// Erases the named log and writes its header (whether logging is on or
// not), then says so unless in expert mode.
void Reset_Log(File_System& files, const Log_Settings& log, bool expert_mode, Message_Box& boxes);

// Opens the named log in the editor, creating it with its header first when
// it does not exist yet. A name that leads to anything but a regular file
// ends the command with "File access denied". An editor that cannot be
// started is reported in an error box.
void View_Log(File_System& files, const Log_Settings& log, Editor& editor, Message_Box& boxes);

}  // namespace velmaric
