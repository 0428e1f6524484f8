#pragma once
// The clipboard, as plain text.

#include <windows.h>

#include <string>

namespace velmaric::win32 {

// Puts the text on the clipboard as Unicode text, from which the system
// offers the ANSI form as well; false when the clipboard is held elsewhere.
bool Put_On_Clipboard(HWND owner, const std::string& utf8);

}  // namespace velmaric::win32
