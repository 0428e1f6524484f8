#include "log/log_writer.h"

#include <gtest/gtest.h>

#include "log/log_writer_fixture.h"

namespace velmaric {
namespace {

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

}  // namespace
}  // namespace velmaric
