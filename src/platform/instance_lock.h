#pragma once
// One program per settings file on Windows (the Qt window on Linux does the
// same with a local socket, ui/single_instance.h).
//
// The program that runs on a settings file holds a named mutex in this
// logon session, named after a digest of that file's full name; a second
// start on the same file finds it, asks the running program's window to come
// to the front and ends without touching the file. Starts on other settings
// files run side by side. The system lets go of the name when the holder
// ends, however it ends; nothing is made on disk, and the settings file
// itself is not held, so the open-state probe never finds it taken.

#include <string>

namespace velmaric {

class Instance_Lock {
 public:
  explicit Instance_Lock(const std::string& settings_file);
  ~Instance_Lock();
  Instance_Lock(const Instance_Lock&) = delete;
  Instance_Lock& operator=(const Instance_Lock&) = delete;

  // True when another program (or another lock of this one) held the name
  // first: this start is to hand over and end.
  bool Held_Elsewhere() const { return held_elsewhere_; }
  // "Local\velmaric-<16 hexadecimal digits>".
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
  void* mutex_ = nullptr;
  bool held_elsewhere_ = false;
};

// The message a second start posts to the running program's main window,
// registered under this name (RegisterWindowMessage): the window brings
// itself, or the box that waits for an answer, to the front.
inline constexpr const char* show_window_message = "Velmaric.ShowWindow";

// Finds the running program's main window by its window class, restores it
// when minimised, gives it the foreground (this start was the user's last
// input, so the system allows that) and posts it show_window_message. False
// when no such window exists (the program is still starting up).
bool Bring_Running_Window_Forward(const std::string& window_class);

}  // namespace velmaric
