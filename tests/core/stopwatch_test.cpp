#include "core/stopwatch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/command_error.h"
#include "core/time_text.h"
#include "support/fake_clock.h"

namespace velmaric {
namespace {

constexpr std::int64_t second_us = 1'000'000;
// Monday 2026-12-07 00:05:03 local time.
constexpr Date_Time first_wall = 46363.0 + 303.0 / 86400.0;
constexpr std::int64_t first_monotonic_us = 987'654'321'000;

using testing::Fake_Clock;

// Records each call with the caption and stop count the stopwatch had then.
class Recording_Events : public Stopwatch_Events {
 public:
  void Write_Stop_Entry() override { Record("Write_Stop_Entry"); }
  void Save_Settings() override { Record("Save_Settings"); }
  void Append_Reset_Marker() override { Record("Append_Reset_Marker"); }

  const Stopwatch* watch = nullptr;
  std::string failing_call;
  std::vector<std::string> calls;

 private:
  void Record(const std::string& name) {
    calls.push_back(name + " " + watch->start_stop_resume_caption() + " " +
                    std::to_string(watch->stop_count()));
    if (name == failing_call) throw Command_Error("I/O error 29");
  }
};

std::string Boxed_Blanks(std::size_t blanks, const std::string& number) {
  return " " + std::string(blanks, ' ') + number + " ";
}

class Stopwatch_Test : public ::testing::Test {
 protected:
  Stopwatch_Test() : saved_formats_(User_Date_Time_Formats()) {
    Set_User_Date_Time_Formats({"%d.%m.%Y", "%-H:%M:%S"});
    events.watch = &watch;
  }
  ~Stopwatch_Test() override { Set_User_Date_Time_Formats(saved_formats_); }

  void Tick_After(std::int64_t us) {
    clock.Advance_Micro_Seconds(us);
    watch.Timer1Timer();
  }
  // Numbers 1 to count, as that many logged snapshots take them after a click.
  void Take_Snap_Shot_Numbers(std::int32_t count) {
    for (std::int32_t number = 1; number <= count; ++number) {
      EXPECT_EQ(watch.Take_Snap_Shot_Number(), number);
    }
    EXPECT_EQ(watch.snap_shot_count(), count);
  }
  // Every click of the button clears the snapshot count.
  void Click() {
    Take_Snap_Shot_Numbers(3);
    watch.Start_Stop_Resume_BitBtnClick();
    EXPECT_EQ(watch.snap_shot_count(), 0);
  }
  void Expect_State(const char* caption, const char* label, bool since_start, bool since_resume) {
    EXPECT_EQ(watch.start_stop_resume_caption(), caption);
    EXPECT_EQ(watch.control_label_caption(), label);
    EXPECT_EQ(watch.snap_shot_since_start_enabled(), since_start);
    EXPECT_EQ(watch.snap_shot_since_resume_enabled(), since_resume);
  }
  void Start_And_Run(std::int64_t us) {
    Click();
    Tick_After(us);
  }

 private:
  Date_Time_Formats saved_formats_;

 protected:
  Fake_Clock clock{first_wall, first_monotonic_us};
  Recording_Events events;
  Stopwatch watch{clock, events};
};

TEST_F(Stopwatch_Test, StartStopResumeStopSumsTheRunningSpans) {
  Expect_State("&Start", "Control_Label", false, false);
  watch.Timer1Timer();
  clock.Advance_Micro_Seconds(2 * second_us);
  const Date_Time start_wall = clock.Wall();

  Click();
  Expect_State("&Stop", "GO", true, true);
  EXPECT_EQ(watch.resume_date_time_text(), "  Mon, 07.12.2026 @ 00:05:05");  // the click's reading
  EXPECT_EQ(watch.original_start_date_time(), start_wall);
  EXPECT_EQ(watch.resume_time(), start_wall);
  EXPECT_EQ(watch.last_tick_time(), start_wall);
  EXPECT_EQ(watch.elapsed_centi_seconds(), 0.0);

  Tick_After(1'500'000);
  EXPECT_EQ(watch.elapsed_centi_seconds(), 150.0);
  clock.Advance_Micro_Seconds(700'000);  // Stop reads the clock itself: these 0.7 s count
  Click();
  Expect_State("&Resume", "STOP", true, false);
  EXPECT_EQ(watch.stop_count(), 1);
  EXPECT_EQ(watch.elapsed_centi_seconds(), 220.0);
  // The save sees the caption already changed, so it counts no second stop.
  EXPECT_EQ(events.calls,
            (std::vector<std::string>{"Write_Stop_Entry &Resume 1", "Save_Settings &Resume 1"}));

  Tick_After(10 * second_us);
  EXPECT_EQ(watch.elapsed_centi_seconds(), 220.0);
  const Date_Time resume_wall = clock.Wall();
  Click();
  Expect_State("&Stop", "GO", true, true);
  EXPECT_EQ(watch.resume_time(), resume_wall);
  EXPECT_EQ(watch.original_start_date_time(), start_wall);
  EXPECT_EQ(watch.elapsed_centi_seconds(), 220.0);

  Tick_After(2'250'000);
  Click();
  EXPECT_EQ(watch.elapsed_centi_seconds(), 445.0);
  EXPECT_EQ(watch.stop_count(), 2);
  EXPECT_EQ(watch.original_start_date_time(), start_wall);
  EXPECT_EQ(events.calls.size(), 4U);
  EXPECT_EQ(events.calls.back(), "Save_Settings &Resume 2");
}

// A settings file may hold the largest count; the next stop wraps to the
// smallest instead of overflowing.
TEST_F(Stopwatch_Test, StopCountWrapsPastTheLargest32BitValue) {
  const std::int32_t largest = std::numeric_limits<std::int32_t>::max();
  const std::int32_t smallest = std::numeric_limits<std::int32_t>::min();
  watch.Restore_Stop_Count(largest);
  Start_And_Run(second_us);
  Click();
  EXPECT_EQ(watch.stop_count(), smallest);
  EXPECT_EQ(events.calls.front(), "Write_Stop_Entry &Resume " + std::to_string(smallest));
  watch.Count_Stop();
  EXPECT_EQ(watch.stop_count(), smallest + 1);
}

TEST_F(Stopwatch_Test, StartAfterResetBeginsAtZero) {
  Start_And_Run(5 * second_us);
  Click();
  watch.Reset_BitBtnClick();
  clock.Advance_Micro_Seconds(second_us);
  const Date_Time restart_wall = clock.Wall();
  Click();
  EXPECT_EQ(watch.elapsed_centi_seconds(), 0.0);
  EXPECT_EQ(watch.original_start_date_time(), restart_wall);
  Tick_After(second_us);
  EXPECT_EQ(watch.elapsed_centi_seconds(), 100.0);
}

TEST_F(Stopwatch_Test, ResumeContinuesFromARestoredCounter) {
  // As after program start with a saved counter.
  watch.Set_Elapsed_Centi_Seconds(12345.9);
  watch.Settle_Restored_Run_State();
  Click();
  Tick_After(second_us);
  EXPECT_DOUBLE_EQ(watch.elapsed_centi_seconds(), 12445.9);
}

// A timing in progress comes back stopped, ready to resume; a counter of
// zero or less leaves nothing to resume.
TEST_F(Stopwatch_Test, RestoredRunStateFollowsTheRestoredCounter) {
  const struct {
    double counter;
    const char* caption;
    bool since_start;
  } rows[] = {
      {12345.9, "&Resume", true},
      {0.01, "&Resume", true},
      {0, "&Start", false},
      {-500, "&Start", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.counter);
    Stopwatch restored{clock, events};
    restored.Restore_Stop_Count(7);
    restored.Restore_Original_Start(first_wall);
    restored.Set_Elapsed_Centi_Seconds(row.counter);
    restored.Take_Snap_Shot_Number();
    restored.Settle_Restored_Run_State();
    EXPECT_EQ(restored.start_stop_resume_caption(), row.caption);
    EXPECT_EQ(restored.control_label_caption(), "Control_Label");
    EXPECT_EQ(restored.snap_shot_since_start_enabled(), row.since_start);
    EXPECT_FALSE(restored.snap_shot_since_resume_enabled());
    EXPECT_EQ(restored.snap_shot_count(), 0);
    EXPECT_EQ(restored.stop_count(), 7);
    EXPECT_EQ(restored.original_start_date_time(), first_wall);
    EXPECT_EQ(restored.elapsed_centi_seconds(), row.counter);
  }
}

TEST_F(Stopwatch_Test, ResetWhileRunningStopsCountingAtOnce) {
  Start_And_Run(second_us);
  Click();
  Click();
  Tick_After(second_us);
  const Date_Time last_tick = watch.last_tick_time();
  const Date_Time resume_time = watch.resume_time();
  const std::string resume_text = watch.resume_date_time_text();
  events.calls.clear();
  Take_Snap_Shot_Numbers(4);

  watch.Reset_BitBtnClick();
  Expect_State("&Start", "RESET", false, false);
  EXPECT_FALSE(watch.Running());
  EXPECT_EQ(watch.stop_count(), 0);
  EXPECT_EQ(watch.snap_shot_count(), 0);
  EXPECT_EQ(watch.elapsed_centi_seconds(), 0.0);
  EXPECT_EQ(watch.original_start_date_time(), 0.0);
  EXPECT_EQ(watch.Texts().elapsed_secs, Boxed_Blanks(11, "0.00"));
  EXPECT_EQ(watch.Texts().elapsed_mins, Boxed_Blanks(11, "0.0"));
  EXPECT_EQ(watch.Texts().elapsed_hours, Boxed_Blanks(11, "0.0"));
  EXPECT_EQ(watch.Texts().copy_edit, " 00:00:00:00.00 ");
  // Reset appends the marker but saves nothing.
  EXPECT_EQ(events.calls, std::vector<std::string>{"Append_Reset_Marker &Start 0"});
  EXPECT_EQ(watch.last_tick_time(), last_tick);
  EXPECT_EQ(watch.resume_time(), resume_time);
  EXPECT_EQ(watch.resume_date_time_text(), resume_text);

  Tick_After(second_us);
  EXPECT_EQ(watch.elapsed_centi_seconds(), 0.0);
  EXPECT_EQ(watch.Texts().copy_edit, " 00.00:00:00.00");
  EXPECT_EQ(watch.Texts().elapsed_secs, Boxed_Blanks(11, "0.00"));
}

TEST_F(Stopwatch_Test, FailedStopEntrySkipsTheSave) {
  Start_And_Run(second_us);
  events.failing_call = "Write_Stop_Entry";
  EXPECT_THROW(watch.Start_Stop_Resume_BitBtnClick(), Command_Error);
  EXPECT_EQ(events.calls, std::vector<std::string>{"Write_Stop_Entry &Resume 1"});
  Expect_State("&Resume", "STOP", true, false);
  EXPECT_EQ(watch.stop_count(), 1);
}

TEST_F(Stopwatch_Test, FailedResetMarkerLeavesTheLaterStepsUndone) {
  const Date_Time start_wall = clock.Wall();
  Start_And_Run(second_us);
  Click();
  Take_Snap_Shot_Numbers(2);
  events.failing_call = "Append_Reset_Marker";
  EXPECT_THROW(watch.Reset_BitBtnClick(), Command_Error);
  // Done before the marker.
  EXPECT_EQ(watch.start_stop_resume_caption(), "&Start");
  EXPECT_EQ(watch.control_label_caption(), "RESET");
  EXPECT_EQ(watch.stop_count(), 0);
  EXPECT_EQ(watch.elapsed_centi_seconds(), 0.0);
  EXPECT_EQ(watch.Texts().copy_edit, " 00:00:00:00.00 ");
  // Not done.
  EXPECT_EQ(watch.original_start_date_time(), start_wall);
  EXPECT_EQ(watch.snap_shot_count(), 2);
  EXPECT_TRUE(watch.snap_shot_since_start_enabled());
}

TEST_F(Stopwatch_Test, FieldsShowTheCounterTruncatedToWholeCentiseconds) {
  const struct {
    double counter;
    std::string secs, mins, hours, copy;
  } rows[] = {
      {0, Boxed_Blanks(11, "0.00"), Boxed_Blanks(11, "0.0"), Boxed_Blanks(11, "0.0"),
       " 00.00:00:00.00"},
      {12345.9, Boxed_Blanks(9, "123.45"), Boxed_Blanks(11, "2.1"), Boxed_Blanks(11, "0.0"),
       " 00.00:02:03.45"},
      {5999.99, Boxed_Blanks(10, "59.99"), Boxed_Blanks(11, "1.0"), Boxed_Blanks(11, "0.0"),
       " 00.00:00:59.99"},
      {12345678, Boxed_Blanks(6, "123456.78"), Boxed_Blanks(8, "2057.6"), Boxed_Blanks(10, "34.3"),
       " 01.10:17:36.78"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.counter);
    watch.Set_Elapsed_Centi_Seconds(row.counter);
    watch.Timer1Timer();
    EXPECT_EQ(watch.Texts().elapsed_secs, row.secs);
    EXPECT_EQ(watch.Texts().elapsed_mins, row.mins);
    EXPECT_EQ(watch.Texts().elapsed_hours, row.hours);
    EXPECT_EQ(watch.Texts().copy_edit, row.copy);
    EXPECT_EQ(watch.elapsed_centi_seconds(), row.counter);
  }
}

TEST_F(Stopwatch_Test, WallClockStepsDoNotMoveTheCounter) {
  const struct {
    std::int64_t step_us;
    const char* date_time;
  } rows[] = {
      {3600 * second_us, "  Mon, 07.12.2026 @ 1:05:05"},
      {-3600 * second_us, "  Sun, 06.12.2026 @ 23:05:05"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.step_us);
    Fake_Clock fresh_clock{first_wall, first_monotonic_us};
    Stopwatch fresh{fresh_clock, events};
    fresh.Start_Stop_Resume_BitBtnClick();
    fresh_clock.Advance_Micro_Seconds(second_us);
    fresh.Timer1Timer();
    fresh_clock.Step_Wall_Clock(row.step_us);
    fresh_clock.Advance_Micro_Seconds(second_us);
    fresh.Timer1Timer();
    EXPECT_EQ(fresh.elapsed_centi_seconds(), 200.0);
    EXPECT_EQ(fresh.last_tick_time(), fresh_clock.Wall());
    EXPECT_EQ(fresh.Texts().date_time, row.date_time);
  }
}

TEST_F(Stopwatch_Test, ManyTicksLoseNoTime) {
  const struct {
    std::int64_t tick_us;
    int ticks;
    double centi_seconds;
    const char* copy;
  } rows[] = {
      {1000, 1'000'000, 100000.0, " 00.00:16:40.00"},
      {333, 300'000, 9990.0, " 00.00:01:39.90"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tick_us);
    watch.Reset_BitBtnClick();
    Click();
    for (int tick = 0; tick < row.ticks; ++tick) Tick_After(row.tick_us);
    EXPECT_EQ(watch.elapsed_centi_seconds(), row.centi_seconds);
    EXPECT_EQ(watch.Texts().copy_edit, row.copy);
  }
}

TEST_F(Stopwatch_Test, RestoredCounterWhileRunningCountsOnFromIt) {
  Start_And_Run(second_us);
  clock.Advance_Micro_Seconds(300'000);
  watch.Set_Elapsed_Centi_Seconds(5000.5);
  EXPECT_EQ(watch.elapsed_centi_seconds(), 5000.5);
  // The next tick adds everything since the last tick.
  Tick_After(200'000);
  EXPECT_EQ(watch.elapsed_centi_seconds(), 5050.5);
  EXPECT_EQ(watch.Segment_Centi_Seconds(), 150.0);  // still from the Start
  Tick_After(second_us);
  EXPECT_EQ(watch.elapsed_centi_seconds(), 5150.5);
}

TEST_F(Stopwatch_Test, SegmentRunsFromLastStartOrResumeToLastReading) {
  Start_And_Run(1'234'567);
  EXPECT_EQ(watch.Segment_Centi_Seconds(), 123.0);
  clock.Advance_Micro_Seconds(second_us);
  Click();  // Stop's own reading ends the segment
  EXPECT_EQ(watch.Segment_Centi_Seconds(), 223.0);
  Tick_After(second_us);
  Click();
  EXPECT_EQ(watch.Segment_Centi_Seconds(), 0.0);
  Tick_After(500'000);
  EXPECT_EQ(watch.Segment_Centi_Seconds(), 50.0);
  EXPECT_DOUBLE_EQ(watch.elapsed_centi_seconds(), 273.4567);
}

TEST_F(Stopwatch_Test, EachTickReadsTheClockOnce) {
  clock.advance_per_read_us = second_us;
  watch.Timer1Timer();  // 00:05:03, idle
  EXPECT_EQ(watch.Texts().date_time, "  Mon, 07.12.2026 @ 00:05:03");
  EXPECT_EQ(watch.Texts().menu_clock, "07.12.2026, 0:05:03");
  Click();  // 00:05:04
  const Date_Time start_wall = watch.last_tick_time();
  watch.Timer1Timer();  // 00:05:05
  EXPECT_EQ(watch.elapsed_centi_seconds(), 100.0);
  EXPECT_EQ(watch.Texts().date_time, "  Mon, 07.12.2026 @ 00:05:05");
  EXPECT_EQ(watch.Texts().menu_clock, "07.12.2026, 0:05:05");
  EXPECT_NEAR((watch.last_tick_time() - start_wall) * 86400.0, 1.0, 1e-6);
  watch.Timer1Timer();  // 00:05:06
  EXPECT_EQ(watch.elapsed_centi_seconds(), 200.0);
}

}  // namespace
}  // namespace velmaric
