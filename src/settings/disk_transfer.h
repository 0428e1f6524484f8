#pragma once
// Carrying a timing to another computer on a removable disk: the settings
// file and the log go to the root of the medium and come back from there.
//
// The disk comes from elsewhere and is trusted no further than its files'
// contents: a link on it is never followed, only regular files are copied
// either way, and the log name it brings is taken only after a question.
//
// Both commands use the date-keeping copy with the time stamp copied and the
// target checked. A copy that the copy refuses for a reason of its own (no
// source, a target held by another program or read-only, a folder that
// cannot be made) is skipped and named with its reason in the closing
// message, in place of the success text; a failure of the byte copy itself
// (Command_Error) ends the command at once, without a closing message.
// Without a disk, both commands say so and do nothing else.

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
inline constexpr const char* not_all_copied_to_medium_text =
    "Stopwatch Time / Settings information could NOT all be copied to Floppy Disk :";
inline constexpr const char* not_all_copied_from_medium_text =
    "Stopwatch Time / Settings information could NOT all be copied from Floppy Disk :";
inline constexpr const char* no_medium_text = "No removable disk was found: nothing was copied.";

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
  // Takes name as the log file name and saves it in the settings file at
  // once, the other keys as they are.
  virtual void Use_Log_File_Name(const std::string& name) = 0;
};

// Whether the named file lies on the removable disk: its links are then
// never followed.
bool Lies_On_Medium(const File_System& files, const std::string& name,
                    const Medium_Locator& locate_medium = Removable_Medium_Root);

// Saves the settings, then copies the settings file to
// "<medium>/velmaric.ini" and the log to "<medium>/<its file name>".
void Copy_Stopwatch_Times_To_Medium(File_System& files, Disk_Transfer_Host& host,
                                    Message_Box& boxes,
                                    const Medium_Locator& locate_medium = Removable_Medium_Root);

// Copies "<medium>/velmaric.ini" over the settings file and restores the
// window from it; when it was not copied, nothing is restored and a running
// timing goes on untouched. Then the log the settings name (the disk's
// name, D) comes from "<medium>/<file name of D>":
//   - D empty: no log is copied and the window holds no log name;
//   - D the name held before: copied there without a question;
//   - otherwise a warning asks whether the timing's log is to be written to
//     D from now on (and D replaced, when it exists): Yes copies it there,
//     No keeps the earlier name, saved at once, and copies nothing.
// A D that is not a full path here (written on another system) becomes its
// file name part in the folder of the earlier log, or beside the settings
// file; a D without a file name in it is no log name. The settings file
// itself is never taken for the log. While the question waits, the settings
// file holds the earlier name. A settings file on the disk larger than any
// settings file is refused with "File access denied", unread.
void Copy_Stopwatch_Times_From_Medium(File_System& files, Disk_Transfer_Host& host,
                                      Message_Box& boxes,
                                      const Medium_Locator& locate_medium = Removable_Medium_Root);

}  // namespace velmaric
