#pragma once
// Web and mail links handed to the desktop.
//
// On Windows the shell's "open" action (ShellExecute): the user's browser or
// mail program. The Qt window on Linux keeps QDesktopServices::openUrl, which
// already goes through xdg-open, or through the desktop portal inside a
// sandbox where no xdg-open of ours could reach the user's programs; this
// function is built for Windows only.

#include <string>

namespace velmaric {

// Opens the link with the program the user chose for it, without waiting;
// false when no program took it. Only http:, https: and mailto: links are
// opened: anything else (a file name would run the program it names) does
// nothing and gives false.
bool Open_Link(const std::string& link);

}  // namespace velmaric
