#include "core/stopwatch.h"

#include <cmath>

#include "core/time_text.h"

namespace velmaric {
namespace {

constexpr double micro_seconds_per_centi_second = 10000.0;

std::string Boxed(const std::string& text) {
  return " " + text + " ";
}

}  // namespace

Stopwatch::Stopwatch(const Clock& clock, Stopwatch_Events& events)
    : clock_(clock), events_(events) {}

void Stopwatch::Set_Elapsed_Centi_Seconds(double centi_seconds) {
  elapsed_centi_seconds_ = centi_seconds;
  base_centi_seconds_ = centi_seconds;
  base_monotonic_us_ = last_tick_monotonic_us_;
}

double Stopwatch::Segment_Centi_Seconds() const {
  return std::trunc(static_cast<double>(last_tick_monotonic_us_ - resume_monotonic_us_) /
                    micro_seconds_per_centi_second);
}

void Stopwatch::Catch_Up() {
  // One reading serves the counter, the next reading's base and every text.
  const Clock_Reading now = clock_.Now();
  if (Running()) {
    last_tick_monotonic_us_ = now.monotonic_us;
    last_tick_time_ = now.wall;
    elapsed_centi_seconds_ =
        base_centi_seconds_ +
        static_cast<double>(now.monotonic_us - base_monotonic_us_) / micro_seconds_per_centi_second;
  }
  last_reading_ = now;
  texts_stale_ = true;
}

const Stopwatch_Texts& Stopwatch::Texts() const {
  if (texts_stale_) Render();
  return texts_;
}

void Stopwatch::Render() const {
  texts_stale_ = false;
  const Clock_Reading& now = last_reading_;
  Stopwatch_Texts& texts = texts_;
  texts.date_time = Date_Time_Line(now.wall, now.wall);
  const double shown = std::trunc(elapsed_centi_seconds_);
  texts.copy_edit = Elapsed_Text(shown);
  const double seconds = shown / 100.0;
  const double minutes = seconds / 60.0;
  const double hours = minutes / 60.0;
  texts.elapsed_secs = Boxed(Fixed_Number(seconds, 15, 2));
  texts.elapsed_mins = Boxed(Fixed_Number(minutes, 14, 1));
  texts.elapsed_hours = Boxed(Fixed_Number(hours, 14, 1));
  texts.menu_clock = Format_Short_Date(now.wall) + ", " + Format_Long_Time(now.wall);
}

void Stopwatch::Start_Stop_Resume_BitBtnClick() {
  Catch_Up();
  if (start_stop_resume_caption_ == caption_start) {
    Start(last_reading_);
  } else if (start_stop_resume_caption_ == caption_resume) {
    Resume(last_reading_);
  } else if (start_stop_resume_caption_ == caption_stop) {
    Stop();
  }
  snap_shot_count_ = 0;
}

void Stopwatch::Begin_Segment(const Clock_Reading& start) {
  start_stop_resume_caption_ = caption_stop;
  control_label_caption_ = label_go;
  resume_date_time_text_ = Date_Time_Line(start.wall, start.wall);
  resume_time_ = last_tick_time_ = start.wall;
  resume_monotonic_us_ = last_tick_monotonic_us_ = start.monotonic_us;
  snap_shot_since_start_enabled_ = snap_shot_since_resume_enabled_ = true;
}

void Stopwatch::Start(const Clock_Reading& now) {
  Begin_Segment(now);
  original_start_date_time_ = now.wall;
  Set_Elapsed_Centi_Seconds(0.0);
}

void Stopwatch::Resume(const Clock_Reading& now) {
  Begin_Segment(now);
  Set_Elapsed_Centi_Seconds(elapsed_centi_seconds_);
}

double Stopwatch::Segment_Start_Count() const {
  return base_centi_seconds_ - static_cast<double>(base_monotonic_us_ - resume_monotonic_us_) /
                                   micro_seconds_per_centi_second;
}

void Stopwatch::Resume_Segment(double start_count, const Clock_Reading& segment_start) {
  Begin_Segment(segment_start);
  Set_Elapsed_Centi_Seconds(start_count);
  snap_shot_count_ = 0;
  Catch_Up();
}

void Stopwatch::Stop_Segment_At(double start_count, const Clock_Reading& segment_start,
                                const Clock_Reading& end) {
  Begin_Segment(segment_start);
  Set_Elapsed_Centi_Seconds(start_count);
  // The end is the reading the counter, the stop line and its texts show.
  last_tick_monotonic_us_ = end.monotonic_us;
  last_tick_time_ = end.wall;
  elapsed_centi_seconds_ =
      start_count + static_cast<double>(end.monotonic_us - segment_start.monotonic_us) /
                        micro_seconds_per_centi_second;
  last_reading_ = end;
  texts_stale_ = true;
  snap_shot_count_ = 0;
  Stop();
}

void Stopwatch::Stop() {
  // The counter keeps the value of the click's own reading, which the stop
  // line shows as well.
  start_stop_resume_caption_ = caption_resume;
  control_label_caption_ = label_stop;
  snap_shot_since_resume_enabled_ = false;
  Count_Stop();
  events_.Write_Stop_Entry();
  events_.Save_Settings();
}

void Stopwatch::Count_Stop() {
  // Unsigned arithmetic wraps where the signed increment would overflow.
  stop_count_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(stop_count_) + 1u);
}

std::int32_t Stopwatch::Take_Snap_Shot_Number() {
  return ++snap_shot_count_;
}

void Stopwatch::Settle_Restored_Run_State() {
  snap_shot_count_ = 0;
  snap_shot_since_resume_enabled_ = snap_shot_since_start_enabled_ = false;
  if (elapsed_centi_seconds_ > 0) {
    start_stop_resume_caption_ = caption_resume;
    snap_shot_since_start_enabled_ = true;
  }
}

void Stopwatch::Reset_BitBtnClick() {
  Catch_Up();
  control_label_caption_ = label_reset;
  start_stop_resume_caption_ = caption_start;
  stop_count_ = 0;
  Stopwatch_Texts& texts = texts_;
  if (texts_stale_) Render();
  texts.elapsed_secs = Boxed(Fixed_Number(0, 15, 2));
  texts.elapsed_mins = texts.elapsed_hours = Boxed(Fixed_Number(0, 14, 1));
  texts.copy_edit = " 00:00:00:00.00 ";
  Set_Elapsed_Centi_Seconds(0.0);
  events_.Append_Reset_Marker();
  original_start_date_time_ = 0.0;
  snap_shot_count_ = 0;
  snap_shot_since_start_enabled_ = snap_shot_since_resume_enabled_ = false;
}

}  // namespace velmaric
