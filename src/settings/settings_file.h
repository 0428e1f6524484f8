#pragma once
// Saving and restoring everything a timing needs across runs: the counters,
// the window's place and size, and every option.
//
// The settings live in the window's controls and in the stopwatch; the save
// reads them through `Settings_Host` and the stopwatch, and the load applies
// them the same way, one key after the other in its own order, so that a
// failure part-way leaves the keys before it applied.

#include <functional>
#include <string>

#include "core/command_error.h"
#include "core/stopwatch.h"
#include "platform/file_system.h"
#include "platform/message_box.h"

namespace velmaric {

enum class Option_Item {
  Do_Not_Log_RadioButton,
  Log_to_File_RadioButton,
  Expert_Mode_Option,
  Write_Stop_Count_CheckBox,
  Always_On_Top_Option,
  Auto_Run_at_Windows_Startup_Option,
};

// The window's side of the settings.
class Settings_Host {
 public:
  virtual ~Settings_Host() = default;
  virtual bool Is_Maximized() const = 0;
  virtual void Show_Normal() = 0;
  // Top and left of the outer window; width and height of its client area.
  virtual int Window_Top() const = 0;
  virtual int Window_Left() const = 0;
  virtual int Client_Width() const = 0;
  virtual int Client_Height() const = 0;
  virtual void Set_Window_Top(int top) = 0;
  virtual void Set_Window_Left(int left) = 0;
  virtual void Set_Client_Width(int width) = 0;
  virtual void Set_Client_Height(int height) = 0;
  virtual bool Option(Option_Item item) const = 0;
  // Selecting a radio button acts as the user's click on it.
  virtual void Set_Option(Option_Item item, bool on) = 0;
  virtual std::string Log_File_Name() const = 0;
  virtual void Set_Log_File_Name(const std::string& name) = 0;
  // The log's stop line, for a save that finds the stopwatch running.
  virtual void Write_Stop_Entry() = 0;
};

class Settings_File {
 public:
  using Locator = std::function<std::string()>;
  using Failure_Report = std::function<void(const Command_Error&)>;

  Settings_File(File_System& files, Settings_Host& host, Stopwatch& stopwatch, Locator locate);

  // Removes what an interrupted save left beside the settings file (and
  // beside the file it links to): its temporary files, named as a save
  // names them and holding what a save writes, and nothing else.
  void Clear_Leftovers();

  // Writes all fifteen keys as one new version of the file. A running
  // stopwatch counts one more stop and logs it first; a maximised window is
  // returned to its normal size so that the normal geometry is saved.
  void Save_Settings();

  // Writes the log file name alone, the other keys as they are.
  void Save_Log_File_Name(const std::string& name);

  // Reads and applies all keys. Without a report the first failure ends the
  // load (it throws); with one, a failing key takes its default, the
  // failure is reported and the remaining keys are still loaded.
  //
  // A value with a CR or a NUL inside its line is invalid, and so is a log
  // file name longer than any system takes (32767 bytes): an integer or the
  // log file name fails with its message, a flag or a real quietly takes its
  // default.
  void Load_Settings(const Failure_Report& report = nullptr);

  // The file the last load used; every other user takes this one.
  const std::string& Settings_File_Name() const { return settings_file_name_; }

  // "True" in the file: maximise at the end of the start-up.
  bool pending_maximize = false;

 private:
  File_System& files_;
  Settings_Host& host_;
  Stopwatch& stopwatch_;
  Locator locate_;
  std::string settings_file_name_;
};

// True when the file was there and is gone. A file another program holds is
// left in place (with its attributes cleared), and so is anything that is
// not a regular file. A link stays: the file it names goes.
bool Delete_Closed_File(File_System& files, const std::string& name);

// Asks whether to go back to the factory defaults and, on Yes, deletes the
// settings file. True when the user said Yes: the caller then restores the
// window and runs its start-up restore again, which finds every default.
bool Restore_Factory_Defaults(File_System& files, Message_Box& boxes,
                              const std::string& settings_file);

// The failure of a log file name in the settings file that breaks its line.
Command_Error Invalid_File_Name_Error(const std::string& text);

}  // namespace velmaric
