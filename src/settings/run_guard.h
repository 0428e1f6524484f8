#pragma once
// Keeps the run record (run_record.h) in step with the stopwatch: written
// durably whenever a segment begins or its counter is replaced, refreshed
// with the last sign of life every refresh_interval_us and at every
// snapshot, and removed once a save that holds the segment's time has
// succeeded. A record that cannot be written never stops the timing: one
// notice per run of the program says the running time is not protected.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/stopwatch.h"
#include "platform/file_system.h"
#include "settings/run_record.h"

namespace velmaric {

inline constexpr const char* unprotected_notice =
    "The running time is not protected against a crash or a power cut:\r\n"
    "its run record could not be written beside the settings file.";

inline constexpr const char* caption_count_until_then = "&Count until then";
inline constexpr const char* caption_keep_counting = "&Keep counting";
inline constexpr const char* caption_discard = "&Discard";

// The start-up question about a record left running, and its captions:
// keep counting only on the boot whose clock the record's readings are on,
// and only with readings of it that are past at now_monotonic_us (a record
// from the future is counted only until then).
std::string Left_Running_Question(const Run_Record& record, bool keep_offered);
std::vector<std::string> Left_Running_Captions(const Run_Record& record, const std::string& boot,
                                               std::int64_t now_monotonic_us);

class Run_Guard {
 public:
  using Notice = std::function<void(const std::string& text)>;

  // At most this long between two durable signs of life while running.
  static constexpr std::int64_t refresh_interval_us = 10'000'000;

  Run_Guard(File_System& files, std::string boot, Notice notice);

  // This boot's identity; empty when unknown.
  const std::string& Boot() const { return boot_; }

  // The record an earlier run left for this settings file while it was
  // timing, when the settings file is still the one that record follows.
  // Clears the leftovers of an interrupted write of it first.
  std::optional<Run_Record> Left_Running(const std::string& settings_file);
  // The record left running becomes this run's: the next removal takes it.
  void Adopt(const std::string& settings_file);
  // Or it stays for the next start, unanswered (the program is ending): a
  // save meanwhile moves it on to the settings file it leaves.
  void Leave_For_Next_Start(const Run_Record& record);

  // The segment began, or its counter was replaced: a new record, durably.
  void Segment_Changed(const std::string& settings_file, const Stopwatch& watch);
  // A new sign of life for the running segment, if a record is kept.
  void Refresh(const Stopwatch& watch);
  // After a save of the settings (succeeded or not): a running segment's
  // record follows the file as it is now; a stopped one's is removed when
  // the save succeeded.
  void Settings_Saved(const Stopwatch& watch, bool succeeded);
  // The timing needs no record any more (a close's save succeeded, a Reset,
  // a recovery answered Discard).
  void Timing_Ended();

  bool Keeping() const { return keeping_; }

 private:
  void Write(const Stopwatch& watch, bool new_digest);
  void Failed();

  File_System& files_;
  std::string boot_;
  Notice notice_;
  std::string settings_file_;
  std::optional<Run_Record> last_;  // what the record holds, when this run wrote it
  std::optional<Run_Record> unanswered_;
  bool keeping_ = false;  // a record of this run's may be on the disk
  std::uint64_t saves_ = 0;
  bool noticed_ = false;
};

}  // namespace velmaric
