#pragma once
// Opening a text file in the editor from a command, with the boxes that say
// why it did not happen. The log's View Log and the companion files share it.

#include <string>

#include "platform/editor.h"
#include "platform/message_box.h"

namespace velmaric {

// Whether there is an editor to start and a file name to give it; when not,
// says which is missing in an information box (the editor first).
bool Ready_To_Open(const std::string& name, const Editor& editor, Message_Box& boxes);

// Starts the editor on the file, or says in an error box why it could not
// be started.
void Start_Editor(const std::string& name, Editor& editor, Message_Box& boxes);

// Opens a text file in the editor; whether it exists is not checked. An
// editor that cannot be started is reported in an error box.
void Open_In_Notepad(const std::string& name, Editor& editor, Message_Box& boxes);

}  // namespace velmaric
