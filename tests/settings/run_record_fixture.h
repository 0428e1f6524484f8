#pragma once
// The run record's tests: a sample record, and a settings file in a folder
// of its own with the guard that looks for records left behind.

#include <gtest/gtest.h>

#include <string>

#include "core/command_error.h"
#include "platform/regular_files.h"
#include "settings/run_guard.h"
#include "settings/run_record.h"
#include "support/file_fixtures.h"

namespace velmaric {

using testing::Temp_Folder;
using testing::Write_File;

inline File_System& files = Real_File_System();

inline Run_Record Sample(const std::string& settings_file) {
  Run_Record r;
  r.settings_file = settings_file;
  r.boot = "5b1a9f2e-0c4d-4e7b-9a61-3f2d8c7e1b04";
  r.start_count = -1234.5678901234567;  // a counter replaced while running
  r.start_wall = 46363.42738425926;
  r.start_monotonic_us = 5'000'000;
  r.original_start = 46362.1;
  r.stops = 2147483647;
  r.seen_monotonic_us = 15'000'123;
  r.seen_wall = 46363.42750000001;
  r.save_sequence = 3;
  r.settings_digest = "none";
  return r;
}

class Left_Running : public ::testing::Test {
 protected:
  Temp_Folder folder;
  const std::string settings = folder.Path("velmaric.ini");
  Run_Guard guard{files, "5b1a9f2e-0c4d-4e7b-9a61-3f2d8c7e1b04", nullptr};

  void Leave(const Run_Record& record) {
    Write_File(Run_Record_Name(settings), Format_Run_Record(record));
  }
};

}  // namespace velmaric
