#pragma once
// Carrying a timing to another computer on a removable disk: the settings
// file and the log go to the root of the medium and come back from there.
//
// Both commands use the date-keeping copy with the time stamp copied and the
// target checked. A copy that the copy refuses for a reason of its own (no
// medium, no source, a target held by another program or read-only) is
// skipped silently and the command goes on to its closing notice; a failure
// of the byte copy itself (Command_Error) ends the command at once, without
// the notice.

#include <functional>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/removable_media.h"

namespace velmaric {

inline constexpr const char* copied_to_medium_text =
    "Stopwatch Time / Settings information copied to Floppy Disk succesfully !";
inline constexpr const char* copied_from_medium_text =
    "Stopwatch Time / Settings information copied from Floppy Disk succesfully !";

// The root folder of the medium, or nothing when none is mounted.
using Medium_Locator = std::function<std::optional<std::string>()>;

// The window's side of the transfer.
class Disk_Transfer_Host {
 public:
  virtual ~Disk_Transfer_Host() = default;
  // Lets the window finish what is pending (the closing menu, repaints)
  // before the copies hold up the event loop.
  virtual void Process_Pending_Events() = 0;
  // `Save_Settings`: a running stopwatch counts a stop and logs it first.
  virtual void Save_Settings() = 0;
  // The window's start-up restore run again: loads and applies the
  // settings file. A failure throws and ends the command.
  virtual void Restore_Settings() = 0;
  virtual std::string Settings_File_Name() const = 0;
  // The log file name the window holds now.
  virtual std::string Log_File_Name() const = 0;
};

// Saves the settings, then copies the settings file to
// "<medium>/velmaric.ini" and the log to "<medium>/<its file name>". With
// no medium nothing is copied and nothing created; the notice is shown all
// the same.
void Copy_Stopwatch_Times_To_Medium(File_System& files, Disk_Transfer_Host& host,
                                    Message_Box& boxes,
                                    const Medium_Locator& locate_medium = Removable_Medium_Root);

// Copies "<medium>/velmaric.ini" over the settings file, restores the
// window from the settings file (whether or not it was replaced), then
// copies "<medium>/<file name of the log now named>" to that log's full
// name, creating its folder when missing.
void Copy_Stopwatch_Times_From_Medium(File_System& files, Disk_Transfer_Host& host,
                                      Message_Box& boxes,
                                      const Medium_Locator& locate_medium = Removable_Medium_Root);

}  // namespace velmaric
