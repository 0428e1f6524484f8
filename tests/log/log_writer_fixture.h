#pragma once
// The log writer's tests share a stopwatch on a fake clock and a log in a
// folder of their own.

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/command_error.h"
#include "core/time_text.h"
#include "log/log_writer.h"
#include "platform/file_probe.h"
#include "support/ctype_locale.h"
#include "support/error_of.h"
#include "support/fake_clock.h"
#include "support/file_fixtures.h"
#include "support/forwarding_file_system.h"

namespace velmaric {

using testing::Error_Of;
using testing::Fake_Clock;
using testing::Read_File;
using testing::Temp_Folder;
using testing::Write_File;

inline File_System& files = Real_File_System();

inline const std::string header_1 =
    "Count               Start                                End                     Elapsed Time"
    "      Cummulative Total   ";
inline const std::string header_2 =
    "                Day, Date, Time                     Day, Date, Time             "
    "(DD.HH:MM:SS.HH)     (DD.HH:MM:SS.HH)   ";
inline const std::string header_3 =
    "=====  =================================== =================================== "
    "==================== ====================";
inline const std::string first_snap_shot =
    "        >> Snap Shot 001 Time since Resume/Start :       00.00:01:05.27    00.00:01:05.27";

// Resetting the log, two snapshots, a stop, a resume, the time since the
// original start, a second stop and a reset of the counters.
// clang-format off
inline const std::string worked_example =
    header_1 + "\r\n" + header_2 + "\r\n" + header_3 + "\r\n" +
    "\r\n" +
    first_snap_shot + "\r\n"
    "        >> Snap Shot 002 Time since Resume/Start :       00.00:03:12.50    00.00:03:12.50\r\n"
    "    1     Mon, 07/12/2026 @ 10:15:04          Mon, 07/12/2026 @ 10:20:31        "
    "00.00:05:27.12       00.00:05:27.12    \r\n"
    "        >> Time since original start :                   00.00:19:56.00\r\n"
    "    2     Mon, 07/12/2026 @ 10:30:00          Mon, 07/12/2026 @ 10:40:00        "
    "00.00:10:00.00       00.00:15:27.12    \r\n"
    "\r\n"
    "*** RESET\r\n"
    "\r\n";
// clang-format on

inline std::string Spaces(std::size_t n) {
  return std::string(n, ' ');
}

using testing::Ctype_Locale;

// A month name with an accented letter: 34 characters, 35 bytes in UTF-8.
inline const std::string december_start = "  Mon, 07 d\u00e9cembre 2026 @ 10:15:04";
inline const std::string december_end = "  Mon, 07 d\u00e9cembre 2026 @ 10:20:31";

// What the window does on Stop and Reset, with the settings as they stand.
class Log_Events : public Stopwatch_Events {
 public:
  Log_Events(const Log_Settings& settings, const Clock& clock)
      : settings_(settings), clock_(clock) {}
  void Write_Stop_Entry() override { Write_Log_Entry(files, kind_stop, settings_, *watch, clock_); }
  void Save_Settings() override {}
  void Append_Reset_Marker() override { velmaric::Append_Reset_Marker(files, settings_); }

  Stopwatch* watch = nullptr;

 private:
  const Log_Settings& settings_;
  const Clock& clock_;
};

class Log_Writer_Test : public ::testing::Test {
 protected:
  Log_Writer_Test() {
    Set_User_Date_Time_Formats({"%d/%m/%Y", "%H:%M:%S"});
    events.watch = &watch;
    watch.Timer1Timer();  // the date-time field shows the clock before the first click
  }
  ~Log_Writer_Test() override { Set_User_Date_Time_Formats(saved_formats_); }

  void Tick_After(std::int64_t centi_seconds) {
    clock.Advance_Centi_Seconds(centi_seconds);
    watch.Timer1Timer();
  }
  void Click() { watch.Start_Stop_Resume_BitBtnClick(); }
  void Entry(const std::string& kind) { Write_Log_Entry(files, kind, settings, watch, clock); }

  const Date_Time_Formats saved_formats_ = User_Date_Time_Formats();
  Temp_Folder folder;
  const std::string name = folder.Path("stopwatch.log");
  Log_Settings settings{true, name, false, true, "", Links::follow};
  Fake_Clock clock;  // Monday 2026-12-07 10:15:04
  Log_Events events{settings, clock};
  Stopwatch watch{clock, events};
};

}  // namespace velmaric
