// Cost of one whole save of the settings (fifteen keys committed as one
// atomic replacement, with its two fsyncs) and of one whole load (one read
// of the file, fifteen lookups and conversions), on a real file in the
// temporary folder.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "settings/ini_file.h"
#include "settings/ini_values.h"

namespace {

using namespace velmaric;

// A settings folder for one benchmark, removed afterwards.
class Bench_Folder {
 public:
  Bench_Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmaric-bench-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    root_ = pattern;
  }
  ~Bench_Folder() { std::filesystem::remove_all(root_); }
  std::string File() const { return root_ + "/velmaric.ini"; }

 private:
  std::string root_;
};

void Save_All(const std::string& file, double elapsed) {
  Ini_Batch batch(Real_File_System(), file);
  batch.Write("WindowState_wsMaximized=", Flag_Ini_Text(false));
  batch.Write("elapsed_centi_seconds=", Real_Ini_Text(elapsed));
  batch.Write("window_top_posn=", Integer_Ini_Text(20));
  batch.Write("window_left_posn=", Integer_Ini_Text(20));
  batch.Write("window_ClientWidth=", Integer_Ini_Text(368));
  batch.Write("window_ClientHeight=", Integer_Ini_Text(313));
  batch.Write("Do_Not_Log_RadioButton=", Flag_Ini_Text(false));
  batch.Write("Log_to_File_RadioButton=", Flag_Ini_Text(true));
  batch.Write("Expert_Mode_Option=", Flag_Ini_Text(false));
  batch.Write("original_start_date_time=", Real_Ini_Text(46363.427129629629));
  batch.Write("Log_File_Name_EditBox=", "/home/user/timings/stopwatch log.txt");
  batch.Write("Stops_Since_Last_Reset_SpinEdit=", Integer_Ini_Text(17));
  batch.Write("Write_Stop_Count_CheckBox=", Flag_Ini_Text(true));
  batch.Write("Always_on_Top_Option=", Flag_Ini_Text(false));
  batch.Write("Auto_Run_at_Windows_Startup_Option=", Flag_Ini_Text(false));
  batch.Commit();
}

void Load_All(const std::string& file) {
  const Ini_Snapshot file_now(Real_File_System(), file);
  benchmark::DoNotOptimize(Ini_Real_Value(file_now.Read("elapsed_centi_seconds=", "0")));
  benchmark::DoNotOptimize(Ini_Integer_Value(file_now.Read("window_top_posn=", "20")));
  benchmark::DoNotOptimize(Ini_Integer_Value(file_now.Read("window_left_posn=", "20")));
  benchmark::DoNotOptimize(Ini_Integer_Value(file_now.Read("window_ClientWidth=", "368")));
  benchmark::DoNotOptimize(Ini_Integer_Value(file_now.Read("window_ClientHeight=", "313")));
  benchmark::DoNotOptimize(Ini_Flag_Value(file_now.Read("Do_Not_Log_RadioButton=", "True")));
  benchmark::DoNotOptimize(Ini_Flag_Value(file_now.Read("Log_to_File_RadioButton=", "False")));
  benchmark::DoNotOptimize(Ini_Real_Value(file_now.Read("original_start_date_time=", "0")));
  benchmark::DoNotOptimize(file_now.Read("Log_File_Name_EditBox=", ""));
  benchmark::DoNotOptimize(Ini_Flag_Value(file_now.Read("Expert_Mode_Option=", "False")));
  benchmark::DoNotOptimize(
      Ini_Integer_Value(file_now.Read("Stops_Since_Last_Reset_SpinEdit=", "0")));
  benchmark::DoNotOptimize(Ini_Flag_Value(file_now.Read("Write_Stop_Count_CheckBox=", "False")));
  benchmark::DoNotOptimize(Ini_Flag_Value(file_now.Read("WindowState_wsMaximized=", "False")));
  benchmark::DoNotOptimize(Ini_Flag_Value(file_now.Read("Always_on_Top_Option=", "False")));
  benchmark::DoNotOptimize(
      Ini_Flag_Value(file_now.Read("Auto_Run_at_Windows_Startup_Option=", "False")));
}

void BM_Save_Settings(benchmark::State& state) {
  const Bench_Folder folder;
  double elapsed = 12345.0;
  for (auto _ : state) Save_All(folder.File(), elapsed += 1.0);
}
BENCHMARK(BM_Save_Settings)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

void BM_Load_Settings(benchmark::State& state) {
  const Bench_Folder folder;
  Save_All(folder.File(), 12345.0);
  for (auto _ : state) Load_All(folder.File());
}
BENCHMARK(BM_Load_Settings)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

}  // namespace
