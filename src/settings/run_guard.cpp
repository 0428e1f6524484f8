#include "settings/run_guard.h"

#include <algorithm>
#include <utility>

#include "core/time_text.h"

namespace velmaric {

std::string Left_Running_Question(const Run_Record& record, bool keep_offered) {
  return "The stopwatch was running when the program ended.\r\n"
         "It was last seen running at " +
         Format_Short_Date(record.seen_wall) + " " + Format_Long_Time(record.seen_wall) +
         ".\r\n\r\n"
         "Count the time until then (one stop is counted and logged), " +
         (keep_offered ? "keep counting as if the program had never stopped, " : "") +
         "or discard the time since the last save ?";
}

std::vector<std::string> Left_Running_Captions(const Run_Record& record, const std::string& boot,
                                               std::int64_t now_monotonic_us) {
  if (boot.empty() || record.boot != boot || record.seen_monotonic_us > now_monotonic_us) {
    return {caption_count_until_then, caption_discard};
  }
  return {caption_count_until_then, caption_keep_counting, caption_discard};
}

Run_Guard::Run_Guard(File_System& files, std::string boot, Notice notice)
    : files_(files), boot_(std::move(boot)), notice_(std::move(notice)) {}

std::optional<Run_Record> Run_Guard::Left_Running(const std::string& settings_file) {
  const std::string name = Run_Record_Name(settings_file);
  try {
    Clear_Run_Record_Leftovers(files_, name);
    std::optional<Run_Record> record = Read_Run_Record(files_, name);
    if (!record || record->settings_file != settings_file ||
        record->settings_digest != Settings_Digest(files_, settings_file)) {
      return std::nullopt;
    }
    return record;
  } catch (const Command_Error&) {
    return std::nullopt;  // the settings file cannot be read: the load says so
  }
}

void Run_Guard::Adopt(const std::string& settings_file) {
  settings_file_ = settings_file;
  keeping_ = true;
}

void Run_Guard::Leave_For_Next_Start(const Run_Record& record) {
  unanswered_ = record;
}

void Run_Guard::Segment_Changed(const std::string& settings_file, const Stopwatch& watch) {
  settings_file_ = settings_file;
  last_.reset();
  Write(watch, true);
}

void Run_Guard::Refresh(const Stopwatch& watch) {
  if (!keeping_ || !watch.Running()) return;
  Write(watch, false);
}

void Run_Guard::Settings_Saved(const Stopwatch& watch, bool succeeded) {
  if (succeeded) ++saves_;
  if (watch.Running()) {
    if (!settings_file_.empty()) Write(watch, true);
  } else if (succeeded) {
    Timing_Ended();
  }
}

void Run_Guard::Timing_Ended() {
  if (unanswered_) {
    try {
      unanswered_->settings_digest = Settings_Digest(files_, unanswered_->settings_file);
      Write_Run_Record(files_, Run_Record_Name(unanswered_->settings_file), *unanswered_);
    } catch (const Command_Error&) {
      // Left as it was: the next start may find it out of step.
    }
  }
  if (!keeping_) return;
  try {
    Remove_Run_Record(files_, Run_Record_Name(settings_file_));
    keeping_ = false;
    last_.reset();
  } catch (const Command_Error&) {
    // Left behind, it no longer matches the settings file the save left.
  }
}

void Run_Guard::Write(const Stopwatch& watch, bool new_digest) {
  Run_Record record;
  const Clock_Reading& seen = watch.Last_Reading();
  try {
    if (last_ && !new_digest) {
      record = *last_;
    } else {
      record.settings_file = settings_file_;
      record.boot = boot_;
      record.start_count = watch.Segment_Start_Count();
      record.start_wall = watch.resume_time();
      record.start_monotonic_us = watch.Segment_Start_Monotonic_Us();
      record.settings_digest = Settings_Digest(files_, record.settings_file);
    }
    // Stops and the original start change with a save while running.
    record.original_start = watch.original_start_date_time();
    record.stops = watch.stop_count();
    record.seen_monotonic_us = std::max(seen.monotonic_us, record.start_monotonic_us);
    record.seen_wall = seen.wall;
    record.save_sequence = saves_;
    keeping_ = true;
    Write_Run_Record(files_, Run_Record_Name(settings_file_), record);
    last_ = record;
  } catch (const Command_Error&) {
    Failed();
  }
}

void Run_Guard::Failed() {
  if (noticed_) return;
  noticed_ = true;
  if (notice_) notice_(unprotected_notice);
}

}  // namespace velmaric
