#include "log/log_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/command_error.h"
#include "core/time_text.h"
#include "platform/file_probe.h"
#include "support/ctype_locale.h"
#include "support/error_of.h"
#include "support/fake_clock.h"
#include "support/file_fixtures.h"
#include "support/file_size_limit.h"
#include "support/forwarding_file_system.h"

namespace velmaric {
namespace {

using testing::Error_Of;
using testing::Error_Under_Size_Limit;
using testing::Fake_Clock;
using testing::Read_File;
using testing::Temp_Folder;
using testing::Write_File;

File_System& files = Real_File_System();

const std::string header_1 =
    "Count               Start                                End                     Elapsed Time"
    "      Cummulative Total   ";
const std::string header_2 =
    "                Day, Date, Time                     Day, Date, Time             "
    "(DD.HH:MM:SS.HH)     (DD.HH:MM:SS.HH)   ";
const std::string header_3 =
    "=====  =================================== =================================== "
    "==================== ====================";
const std::string first_snap_shot =
    "        >> Snap Shot 001 Time since Resume/Start :       00.00:01:05.27    00.00:01:05.27";

// Resetting the log, two snapshots, a stop, a resume, the time since the
// original start, a second stop and a reset of the counters.
// clang-format off
const std::string worked_example =
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

std::string Spaces(std::size_t n) {
  return std::string(n, ' ');
}

using testing::Ctype_Locale;

// A month name with an accented letter: 34 characters, 35 bytes in UTF-8.
const std::string december_start = "  Mon, 07 d\u00e9cembre 2026 @ 10:15:04";
const std::string december_end = "  Mon, 07 d\u00e9cembre 2026 @ 10:20:31";

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

TEST_F(Log_Writer_Test, WritesTheWorkedExampleByteForByte) {
  Write_Log_Header(files, settings);
  Click();  // Start at 10:15:04
  Tick_After(6527);
  Entry(kind_snap_shot);
  Tick_After(19250 - 6527);
  Entry(kind_snap_shot);
  Tick_After(32712 - 19250);
  Click();  // Stop at 10:20:31.12
  Tick_After(56888);
  Click();  // Resume at 10:30:00
  Tick_After(30000);
  Entry(kind_original_start);
  Tick_After(30000);
  Click();  // Stop at 10:40:00
  watch.Reset_BitBtnClick();
  EXPECT_EQ(Read_File(name), worked_example);
}

TEST_F(Log_Writer_Test, TimeOnlyWritesTheBareElapsedTextAndStillNumbersSnapShots) {
  settings.time_only = true;  // the count column stays on and is ignored
  Click();
  Tick_After(6527);
  Entry(kind_snap_shot);
  settings.time_only = false;
  Entry(kind_snap_shot);
  settings.time_only = true;
  Tick_After(32712 - 6527);
  Click();
  Tick_After(100);
  Entry(kind_original_start);
  EXPECT_EQ(Read_File(name), " 00.00:01:05.27\r\n" +
                                 Replace_All(first_snap_shot, " 001 ", " 002 ") + "\r\n" +
                                 " 00.00:05:27.12\r\n"
                                 " 00.00:05:28.12\r\n");
}

TEST_F(Log_Writer_Test, NothingIsWrittenOrCountedWithoutALog) {
  Entry(kind_original_start);  // no Start yet
  Click();
  Tick_After(6527);
  for (const Log_Settings& off : {Log_Settings{false, name, false, true, "", Links::follow},
                                  Log_Settings{false, name, true, true, "", Links::follow},
                                  Log_Settings{true, "", false, true, "", Links::follow}}) {
    for (const char* kind : {kind_snap_shot, kind_original_start, kind_stop}) {
      Write_Log_Entry(files, kind, off, watch, clock);
    }
  }
  for (const char* kind : {"snap shot", "Stop", "STOP ", "Original start time", ""}) Entry(kind);
  EXPECT_EQ(watch.snap_shot_count(), 0);
  EXPECT_FALSE(File_Exists(files, name));
  Write_Log_Header(files, {true, "", false, true, "", Links::follow});
  Append_Reset_Marker(files, Log_Settings{});

  Entry(kind_snap_shot);  // creates the file, without a header
  watch.Reset_BitBtnClick();
  Entry(kind_original_start);  // the reset cleared the original start
  EXPECT_EQ(Read_File(name), first_snap_shot + "\r\n\r\n*** RESET\r\n\r\n");
}

// Date formats that spell the month out give names such as "décembre".
TEST_F(Log_Writer_Test, StopLineColumnsCountCharactersOfTheLocale) {
  const Ctype_Locale ctype("C.UTF-8");
  ASSERT_TRUE(ctype.Set());
  Set_User_Date_Time_Formats({"%d d\u00e9cembre %Y", "%H:%M:%S"});
  watch.Timer1Timer();
  Click();  // Start at 10:15:04
  Tick_After(32712);
  Click();  // Stop at 10:20:31.12
  const std::string segment = " 00.00:05:27.12";
  EXPECT_EQ(Read_File(name), "    1 " + december_start + Spaces(1) + " " + december_end +
                                 Spaces(1) + " " + Spaces(1) + segment + Spaces(4) + " " +
                                 Spaces(1) + segment + Spaces(4) + "\r\n");
}

TEST_F(Log_Writer_Test, SinceOriginalStartCountsStopsAndClosedPrograms) {
  settings.logging_on = false;
  Click();
  Tick_After(60000);
  Click();                                   // ran 10 minutes
  clock.Advance_Centi_Seconds(26 * 360000);  // the program was closed for 26 hours

  Log_Events later_events{settings, clock};
  Stopwatch later{clock, later_events};
  later_events.watch = &later;
  later.Restore_Original_Start(watch.original_start_date_time());
  later.Set_Elapsed_Centi_Seconds(watch.elapsed_centi_seconds());
  later.Settle_Restored_Run_State();
  later.Timer1Timer();
  later.Start_Stop_Resume_BitBtnClick();
  clock.Advance_Centi_Seconds(30000);
  later.Timer1Timer();
  settings.logging_on = true;
  Write_Log_Entry(files, kind_original_start, settings, later, clock);
  EXPECT_EQ(Read_File(name),
            "        >> Time since original start :                   01.02:15:00.00\r\n");
}

TEST_F(Log_Writer_Test, HeaderReplacesTheFileWhetherLoggingIsOnOrOff) {
  Write_File(name, "an earlier line\r\n");
  settings = {false, name, false, false, "", Links::follow};
  Write_Log_Header(files, settings);
  EXPECT_EQ(Read_File(name), header_1.substr(6) + "\r\n" + header_2.substr(7) + "\r\n" +
                                 header_3.substr(7) + "\r\n\r\n");
}

// The count prefix is one column wider on the two lower header lines.
TEST(Log_Header_Lines, PrefixIsSixCharactersOnLineOneAndSevenBelow) {
  EXPECT_EQ(Log_Header_Lines(true), (std::vector<std::string>{header_1, header_2, header_3, ""}));
  const std::vector<std::string> plain = Log_Header_Lines(false);
  EXPECT_EQ(plain, (std::vector<std::string>{header_1.substr(6), header_2.substr(7),
                                             header_3.substr(7), ""}));
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(plain[i].size(), 113u) << i;
}

TEST(Stop_Line, CentresEachColumnAndNeverCutsALongerText) {
  const std::string start = "  Mon, 07/12/2026 @ 10:15:04";  // 2 before, 5 after in 35
  const std::string end = "  Mon, 07/12/2026 @ 10:20:31";
  const std::string segment = " 00.00:05:27.12";  // 1 before, 4 after in 20
  const std::string days_100 = " 100.00:00:00.00";
  const std::string long_start = "  Wed, 30 September 2026 @ 10:15:04 CEST";
  ASSERT_EQ(long_start.size(), 40u);
  const std::string usual_end = " " + Spaces(2) + end + Spaces(5) + " ";
  const std::string usual_times =
      Spaces(1) + segment + Spaces(4) + " " + Spaces(1) + segment + Spaces(4);
  const struct {
    const char* what;
    bool count_column;
    std::int32_t count;
    std::string start, segment, expected;
    const char* ctype = "C";  // the LC_CTYPE whose characters the columns count
  } rows[] = {
      {"count 7", true, 7, start, segment,
       "    7 " + Spaces(2) + start + Spaces(5) + usual_end + usual_times},
      {"count 123456", true, 123456, start, segment,
       "123456 " + Spaces(2) + start + Spaces(5) + usual_end + usual_times},
      {"no count column", false, 7, start, segment,
       Spaces(2) + start + Spaces(5) + usual_end + usual_times},
      {"100 days", false, 7, start, days_100,
       Spaces(2) + start + Spaces(5) + usual_end + Spaces(1) + days_100 + Spaces(3) + " " +
           Spaces(1) + segment + Spaces(4)},
      {"40-character start", true, 1, long_start, segment,
       "    1 " + long_start + usual_end + usual_times},
      {"34-character start in UTF-8", true, 1, december_start, segment,
       "    1 " + december_start + Spaces(1) + usual_end + usual_times, "C.UTF-8"},
      {"35-byte start in C", true, 1, december_start, segment,
       "    1 " + december_start + usual_end + usual_times},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const Ctype_Locale ctype(row.ctype);
    ASSERT_TRUE(ctype.Set()) << "no locale " << row.ctype;
    EXPECT_EQ(Stop_Line(row.count_column, row.count, row.start, end, row.segment, segment),
              row.expected);
  }
}

TEST(Snap_Shot_Line, NumbersHaveAtLeastThreeDigits) {
  const std::string segment = " 00.00:01:05.27";
  for (const auto& [number, digits] : std::vector<std::pair<int, std::string>>{
           {1, "001"}, {42, "042"}, {999, "999"}, {1000, "1000"}, {123456, "123456"}}) {
    EXPECT_EQ(Snap_Shot_Line(number, segment, segment),
              Replace_All(first_snap_shot, " 001 ", " " + digits + " "));
  }
}

// The process runs as root in CI, and root writes into files without write
// bits: the writer refuses those itself. Devices and pipes are never written,
// and neither is the settings file, whatever name leads to it.
TEST_F(Log_Writer_Test, EveryFileSystemFailureEndsTheWriteWithItsDescription) {
  const std::string read_only = folder.Path("read_only.log");
  Write_File(read_only, "kept\r\n");
  ASSERT_EQ(chmod(read_only.c_str(), 0444), 0);
  ASSERT_TRUE(std::filesystem::create_directory(folder.Path("folder")));
  settings.settings_file = folder.Path("velmaric.ini");
  Write_File(settings.settings_file, "k=1\r\n");
  ASSERT_EQ(symlink("velmaric.ini", folder.Path("settings_link").c_str()), 0);
  struct Row {
    std::string name;
    const char* description;
    bool settings = false;  // the settings file, which only the log writer knows to keep apart
  };
  std::vector<Row> rows = {{folder.Path("missing/stopwatch.log"), "File not found"},
                           {folder.Path("folder"), "File access denied"},
                           {read_only, "File access denied"},
                           {folder.Path("velmaric.ini"), "File access denied", true},
                           {folder.Path("settings_link"), "File access denied", true},
                           {folder.Path("folder/../velmaric.ini"), "File access denied", true}};
  testing::Make_Hostile_Nodes(folder);
  for (const char* node : {"null", "fifo", "link_to_zero"}) {
    rows.push_back({folder.Path(node), "File access denied"});
  }
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    settings.file_name = row.name;
    Click();  // Start, then Resume after the failed stop below
    Tick_After(100);
    if (!row.settings) {
      EXPECT_EQ(Error_Of([&] { Append_Line_To_File(files, row.name, "a line"); }), row.description);
    }
    EXPECT_EQ(Error_Of([&] { Append_Reset_Marker(files, settings); }), row.description);
    EXPECT_EQ(Error_Of([&] { Write_Log_Header(files, settings); }), row.description);
    EXPECT_EQ(Error_Of([&] { Entry(kind_original_start); }), row.description);
    EXPECT_EQ(Error_Of([&] { Entry(kind_snap_shot); }), row.description);
    EXPECT_EQ(watch.snap_shot_count(), 1);  // its number was taken before the write
    EXPECT_EQ(Error_Of([&] { Click(); }), row.description);  // the stop line
  }
  EXPECT_EQ(Read_File(read_only), "kept\r\n");
  EXPECT_EQ(Read_File(settings.settings_file), "k=1\r\n");
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path("folder")));
  EXPECT_FALSE(std::filesystem::exists(folder.Path("missing")));
}

// Someone with a hand in the log's folder swaps the log for a link to the
// settings file between the writer's look at the name and its open.
class Swapping_File_System final : public testing::Forwarding_File_System {
 public:
  Swapping_File_System(const std::string& settings_file)
      : Forwarding_File_System(Real_File_System()), settings_file_(settings_file) {}
  std::unique_ptr<Writable_File> Open_For_Appending(const std::string& name, bool create,
                                                    Links links) override {
    std::filesystem::remove(name);
    std::filesystem::create_symlink(settings_file_, name);
    return Inner().Open_For_Appending(name, create, links);
  }

 private:
  std::string settings_file_;
};

TEST_F(Log_Writer_Test, ALogSwappedForTheSettingsFileWhileOpeningIsRefused) {
  settings.settings_file = folder.Path("velmaric.ini");
  Write_File(settings.settings_file, "k=1\r\n");
  Swapping_File_System swapping(settings.settings_file);
  for (const bool log_exists : {true, false}) {
    if (log_exists) Write_File(name, "kept\r\n");
    for (const auto& write : std::vector<std::function<void()>>{
             [&] { Write_Log_Header(swapping, settings); },
             [&] { Append_Reset_Marker(swapping, settings); },
             [&] { Write_Log_Entry(swapping, kind_snap_shot, settings, watch, clock); }}) {
      EXPECT_EQ(Error_Of(write), "File access denied");
      EXPECT_EQ(Read_File(settings.settings_file), "k=1\r\n");
      std::filesystem::remove(name);
      if (log_exists) Write_File(name, "kept\r\n");
    }
  }
}

// A file-size limit fails a write part-way through a line.
TEST_F(Log_Writer_Test, ALineThatCannotBeWrittenWholeIsTakenBackOut) {
  Write_File(name, "kept\r\n");
  EXPECT_EQ(
      Error_Under_Size_Limit(50, [&] { Append_Line_To_File(files, name, std::string(100, 'x')); }),
      "I/O error 27");
  EXPECT_EQ(Read_File(name), "kept\r\n");

  // The header is one write: the erased file gets all of it or nothing.
  EXPECT_EQ(Error_Under_Size_Limit(200, [&] { Write_Log_Header(files, settings); }),
            "I/O error 27");
  EXPECT_EQ(Read_File(name), "");
}

}  // namespace
}  // namespace velmaric
