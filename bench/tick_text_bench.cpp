// Cost of one clock tick's text work: the whole Timer1Timer() of a running
// stopwatch, then the text routines it is built from, each on its own.
//
// The fake clock advances 1 ms of wall and monotonic time per reading, so
// every tick renders new digits just as the real timer does.

#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdint>
#include <string>

#include "core/clock.h"
#include "core/stopwatch.h"
#include "core/time_text.h"

namespace {

using velmaric::Clock;
using velmaric::Clock_Reading;
using velmaric::Date_Time;

constexpr double days_per_milli_second = 1.0 / 86400000.0;
// 2025-12-09 09:36 local time in days since 1899-12-30.
constexpr Date_Time start_wall = 46000.4;

// The program's texts follow the user's locale (the Qt application adopts
// the environment's locale at start-up); measure them the same way.
const bool locale_from_environment = std::setlocale(LC_ALL, "") != nullptr;

class Stepping_Clock final : public Clock {
 public:
  Clock_Reading Now() const override {
    ++ticks_;
    Clock_Reading reading;
    reading.wall = start_wall + static_cast<double>(ticks_) * days_per_milli_second;
    reading.monotonic_us = 1'000'000 + ticks_ * 1000;
    return reading;
  }

 private:
  mutable std::int64_t ticks_ = 0;
};

class No_Events final : public velmaric::Stopwatch_Events {
 public:
  void Write_Stop_Entry() override {}
  void Save_Settings() override {}
  void Append_Reset_Marker() override {}
};

void BM_Timer1Timer_Running(benchmark::State& state) {
  Stepping_Clock clock;
  No_Events events;
  velmaric::Stopwatch stopwatch(clock, events);
  stopwatch.Timer1Timer();
  stopwatch.Start_Stop_Resume_BitBtnClick();
  if (!stopwatch.Running()) {
    state.SkipWithError("the stopwatch did not start");
    return;
  }
  for (auto _ : state) {
    stopwatch.Timer1Timer();
    benchmark::DoNotOptimize(stopwatch.Texts().copy_edit.data());
    benchmark::ClobberMemory();
  }
  state.counters["elapsed_cs"] = stopwatch.elapsed_centi_seconds();
  state.SetLabel(locale_from_environment ? std::setlocale(LC_TIME, nullptr) : "C");
}
BENCHMARK(BM_Timer1Timer_Running);

void BM_Timer1Timer_Idle(benchmark::State& state) {
  Stepping_Clock clock;
  No_Events events;
  velmaric::Stopwatch stopwatch(clock, events);
  for (auto _ : state) {
    stopwatch.Timer1Timer();
    benchmark::DoNotOptimize(stopwatch.Texts().date_time.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Timer1Timer_Idle);

void BM_Elapsed_Text(benchmark::State& state) {
  // 1 day 02:03:04.05, stepping one centisecond per call.
  double centi_seconds = 9'378'405.0;
  for (auto _ : state) {
    std::string text = velmaric::Elapsed_Text(centi_seconds);
    benchmark::DoNotOptimize(text.data());
    centi_seconds += 1.0;
  }
}
BENCHMARK(BM_Elapsed_Text);

void BM_Fixed_Number_Seconds(benchmark::State& state) {
  double seconds = 93'784.05;
  for (auto _ : state) {
    std::string text = velmaric::Fixed_Number(seconds, 15, 2);
    benchmark::DoNotOptimize(text.data());
    seconds += 0.01;
  }
}
BENCHMARK(BM_Fixed_Number_Seconds);

void BM_Fixed_Number_Hours(benchmark::State& state) {
  double hours = 26.0511;
  for (auto _ : state) {
    std::string text = velmaric::Fixed_Number(hours, 14, 1);
    benchmark::DoNotOptimize(text.data());
    hours += 1.0 / 360000.0;
  }
}
BENCHMARK(BM_Fixed_Number_Hours);

void BM_Date_Time_Line(benchmark::State& state) {
  Date_Time t = start_wall;
  for (auto _ : state) {
    std::string text = velmaric::Date_Time_Line(t, t);
    benchmark::DoNotOptimize(text.data());
    t += days_per_milli_second;
  }
}
BENCHMARK(BM_Date_Time_Line);

void BM_Menu_Clock(benchmark::State& state) {
  Date_Time t = start_wall;
  for (auto _ : state) {
    std::string text = velmaric::Format_Short_Date(t) + ", " + velmaric::Format_Long_Time(t);
    benchmark::DoNotOptimize(text.data());
    t += days_per_milli_second;
  }
}
BENCHMARK(BM_Menu_Clock);

}  // namespace
