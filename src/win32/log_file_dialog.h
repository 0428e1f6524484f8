#pragma once
// The system's file-open dialog, for the choice of a log file.

#include <windows.h>

#include <optional>
#include <string>

namespace velmaric::win32 {

// The filter pairs, each a name and its patterns, as the dialog wants them:
// every text ends in a NUL and the list in one more.
extern const char log_file_filter[];

// The user's choice, offering the last one; nothing when cancelled.
std::optional<std::string> Ask_For_Log_File(HWND owner, const std::string& last_choice);

}  // namespace velmaric::win32
