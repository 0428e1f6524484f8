#pragma once
// The elapsed-time clock and its run states.
//
// The run state is carried by two captions, exactly as the window shows
// them: the multi-function button ("&Start", "&Stop", "&Resume") and the
// hidden control label ("GO" while running). Commands branch on these texts;
// there is no separate state flag.
//
// Intervals are measured on the monotonic clock, so a change of the wall
// clock (daylight saving, a time server, the user) never moves the counter.
// The counter is recomputed from the value it had when the current run
// segment began plus the exact integer number of microseconds since, so no
// rounding accumulates over millions of ticks. The wall clock only feeds the
// texts a user reads and the stored time stamps.

#include <cstdint>
#include <string>

#include "core/clock.h"
#include "core/date_time.h"

namespace velmaric {

inline constexpr const char* caption_start = "&Start";
inline constexpr const char* caption_stop = "&Stop";
inline constexpr const char* caption_resume = "&Resume";
inline constexpr const char* label_go = "GO";
inline constexpr const char* label_stop = "STOP";
inline constexpr const char* label_reset = "RESET";
inline constexpr const char* label_design = "Control_Label";

// Work that Stop and Reset hand on. Each may throw Command_Error; the
// command then ends there and what it changed before stays changed.
class Stopwatch_Events {
 public:
  virtual ~Stopwatch_Events() = default;
  virtual void Write_Stop_Entry() = 0;     // the stop line of the log
  virtual void Save_Settings() = 0;        // the whole settings file
  virtual void Append_Reset_Marker() = 0;  // the reset marker, when a log is named
};

// The five display fields and the menu-bar clock as of the last reading.
struct Stopwatch_Texts {
  std::string date_time = " ... ../../.. 00:00:00";  // Date_Time_Edit
  std::string elapsed_secs = " 0.0";                 // Elapsed_Secs_Edit
  std::string elapsed_mins = " 0.0";                 // Elapsed_Mins_Edit
  std::string elapsed_hours = " 0.0";                // Elapsed_Hours_Edit
  std::string copy_edit = " 00:00:00:00.00";         // Copy_Edit_Box
  std::string menu_clock;                            // SpareMenu caption
};

class Stopwatch {
 public:
  Stopwatch(const Clock& clock, Stopwatch_Events& events);

  // The timer's tick: the counter and the texts brought up to the clock.
  void Timer1Timer() { Catch_Up(); }
  // One reading of the clock, taken by every command as it runs, so that
  // no figure depends on when the last tick came.
  void Catch_Up();
  void Start_Stop_Resume_BitBtnClick();
  // Leaves the notice to the caller: it is shown only when this returns.
  void Reset_BitBtnClick();

  bool Running() const { return control_label_caption_ == label_go; }

  double elapsed_centi_seconds() const { return elapsed_centi_seconds_; }
  // A restored counter; while running, counting goes on from it.
  void Set_Elapsed_Centi_Seconds(double centi_seconds);

  // The run segment from the last Start or Resume to the last reading, in
  // whole centiseconds (truncated), as the log shows it.
  double Segment_Centi_Seconds() const;

  // The last reading of the clock, by a tick or a command.
  const Clock_Reading& Last_Reading() const { return last_reading_; }

  // The display texts as of the last reading. They are built when asked for,
  // not on every tick: a window repaints far less often than the clock ticks.
  const Stopwatch_Texts& Texts() const;

  const std::string& start_stop_resume_caption() const { return start_stop_resume_caption_; }
  const std::string& control_label_caption() const { return control_label_caption_; }
  Date_Time last_tick_time() const { return last_tick_time_; }
  Date_Time resume_time() const { return resume_time_; }
  Date_Time original_start_date_time() const { return original_start_date_time_; }
  const std::string& resume_date_time_text() const { return resume_date_time_text_; }
  std::int32_t snap_shot_count() const { return snap_shot_count_; }
  std::int32_t stop_count() const { return stop_count_; }  // Stops_Since_Last_Reset_SpinEdit
  bool snap_shot_since_start_enabled() const { return snap_shot_since_start_enabled_; }
  bool snap_shot_since_resume_enabled() const { return snap_shot_since_resume_enabled_; }

  // One stop more. The count has no bounds and a settings file may hold the
  // largest 32-bit value: one more wraps to the smallest.
  void Count_Stop();
  // The number of the snapshot being logged: one more than the last since
  // the last click of the button.
  std::int32_t Take_Snap_Shot_Number();

  // The values a settings file restores, each on its own: a load applies
  // its keys one after the other and may stop between them.
  void Restore_Original_Start(Date_Time original_start) {
    original_start_date_time_ = original_start;
  }
  void Restore_Stop_Count(std::int32_t stop_count) { stop_count_ = stop_count; }
  // After a restore the run state follows the restored counter: a timing in
  // progress comes back stopped, ready to resume.
  void Settle_Restored_Run_State();

  // The running segment as a record of it keeps it: the count it would have
  // had at its start (a counter replaced since moves this), and its start.
  double Segment_Start_Count() const;
  std::int64_t Segment_Start_Monotonic_Us() const { return resume_monotonic_us_; }

  // A segment an earlier run of the program left running goes on from its
  // recorded start, as if the program had never stopped.
  void Resume_Segment(double start_count, const Clock_Reading& segment_start);
  // Or it ends where it was last seen: the stop is counted, logged and
  // saved as a Stop at that moment would have been.
  void Stop_Segment_At(double start_count, const Clock_Reading& segment_start,
                       const Clock_Reading& end);

 private:
  void Start(const Clock_Reading& now);
  void Resume(const Clock_Reading& now);
  void Stop();
  void Begin_Segment(const Clock_Reading& start);
  void Render() const;

  const Clock& clock_;
  Stopwatch_Events& events_;
  // The run state, as the window shows it.
  std::string start_stop_resume_caption_ = caption_start;
  std::string control_label_caption_ = label_design;
  Date_Time last_tick_time_ = 0.0;
  Date_Time resume_time_ = 0.0;
  Date_Time original_start_date_time_ = 0.0;
  std::string resume_date_time_text_;
  std::int32_t snap_shot_count_ = 0;
  std::int32_t stop_count_ = 0;
  bool snap_shot_since_start_enabled_ = false;
  bool snap_shot_since_resume_enabled_ = false;
  double elapsed_centi_seconds_ = 0.0;
  // Counting restarts from these whenever the counter is set from outside
  // or a segment begins.
  double base_centi_seconds_ = 0.0;
  std::int64_t base_monotonic_us_ = 0;
  std::int64_t resume_monotonic_us_ = 0;
  std::int64_t last_tick_monotonic_us_ = 0;
  Clock_Reading last_reading_;
  mutable Stopwatch_Texts texts_;
  mutable bool texts_stale_ = false;
};

}  // namespace velmaric
