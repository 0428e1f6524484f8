// The log's line builders on any texts and numbers.
//
//  - Stop_Line: the count column, then each text centred in its column (one
//    left of true centre) or whole when longer, one blank between columns.
//    With texts that fit their columns a line is 113 characters, or 119 with
//    a count of at most five characters.
//  - Count_Column, Snap_Shot_Line, Original_Start_Line, Log_Header_Lines:
//    their fixed parts, widths and the values they carry.
//  - The texts the writer puts into these lines: the date-time line of any
//    time a clock can give (years 1 to 9999), and the interval from any
//    stored original start (any finite stamp, as a settings file may hold
//    one) to such a time.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/date_time.h"
#include "core/time_text.h"
#include "fuzz_check.h"
#include "log/log_writer.h"

namespace {

using namespace velmaric;
using fuzz::Printable;

constexpr std::size_t date_time_width = 35;
constexpr std::size_t elapsed_width = 20;
// 0001-01-01 and 9999-12-31 as day counts.
constexpr double first_clock_day = -693593.0;
constexpr double last_clock_day = 2958465.999;

std::size_t Column(const std::string& text, std::size_t width) {
  return text.size() > width ? text.size() : width;
}

// Where Pad_Centre puts a text in its column.
std::size_t Front(const std::string& text, std::size_t width) {
  if (text.size() >= width) return 0;
  const std::size_t spare = width - text.size();
  return spare / 2 > 1 ? spare / 2 - 1 : 0;
}

bool Blanks(const std::string& line, std::size_t from, std::size_t count) {
  return line.compare(from, count, std::string(count, ' ')) == 0;
}

void Check_Count_Column(std::int32_t count) {
  const std::string column = Count_Column(count);
  const std::string digits = std::to_string(count);
  const std::size_t width = digits.size() > 5 ? digits.size() : 5;
  FUZZ_REQUIRE(column.size() == width + 1 && column.back() == ' ', Printable(column));
  FUZZ_REQUIRE(column.compare(width - digits.size(), digits.size(), digits) == 0 &&
                   Blanks(column, 0, width - digits.size()),
               Printable(column));
}

void Check_Stop_Line(bool count_column, std::int32_t count, const std::string (&texts)[4]) {
  const std::string line = Stop_Line(count_column, count, texts[0], texts[1], texts[2], texts[3]);
  const std::string shown = Printable(line);
  const std::size_t widths[4] = {date_time_width, date_time_width, elapsed_width, elapsed_width};
  std::size_t at = count_column ? Count_Column(count).size() : 0;
  FUZZ_REQUIRE(!count_column || line.compare(0, at, Count_Column(count)) == 0, shown);
  bool all_fit = true;
  for (int i = 0; i < 4; ++i) {
    const std::size_t column = Column(texts[i], widths[i]);
    const std::size_t front = Front(texts[i], widths[i]);
    FUZZ_REQUIRE(line.size() >= at + column, shown);
    FUZZ_REQUIRE(Blanks(line, at, front) && line.compare(at + front, texts[i].size(), texts[i]) == 0 &&
                     Blanks(line, at + front + texts[i].size(), column - front - texts[i].size()),
                 shown + " column " + std::to_string(i));
    at += column;
    if (i < 3) {
      FUZZ_REQUIRE(at < line.size() && line[at] == ' ', shown);
      ++at;
    }
    all_fit = all_fit && texts[i].size() <= widths[i];
  }
  FUZZ_REQUIRE(line.size() == at, shown);
  if (all_fit) {
    if (!count_column) FUZZ_REQUIRE(line.size() == 113, shown);
    if (count_column && std::to_string(count).size() <= 5) FUZZ_REQUIRE(line.size() == 119, shown);
  }
}

void Check_Snap_Shot_Line(std::int32_t number, const std::string& segment, const std::string& total) {
  const std::string line = Snap_Shot_Line(number, segment, total);
  const std::string label = "        >> Snap Shot ";
  const std::string middle = " Time since Resume/Start : ";
  const std::string shown = Printable(line);
  FUZZ_REQUIRE(line.compare(0, label.size(), label) == 0, shown);
  const std::string digits = std::to_string(number);
  const std::size_t number_width = digits.size() > 3 ? digits.size() : 3;
  if (number >= 0) {
    const std::string padded = std::string(number_width - digits.size(), '0') + digits;
    FUZZ_REQUIRE(line.compare(label.size(), number_width, padded) == 0, shown);
  }
  const std::string tail = middle + std::string(5, ' ') + segment + std::string(3, ' ') + total;
  FUZZ_REQUIRE(line.size() == label.size() + number_width + tail.size(), shown);
  FUZZ_REQUIRE(line.compare(label.size() + number_width, std::string::npos, tail) == 0, shown);
}

void Check_Original_Start_Line(const std::string& since) {
  const std::string line = Original_Start_Line(since);
  const std::string label = "        >> Time since original start :";
  FUZZ_REQUIRE(line == label + std::string(18, ' ') + since, Printable(line));
}

void Check_Header(bool count_column) {
  const std::vector<std::string> lines = Log_Header_Lines(count_column);
  FUZZ_REQUIRE(lines.size() == 4 && lines[3].empty(), std::to_string(lines.size()));
  const std::size_t extra[3] = {count_column ? 6u : 0u, count_column ? 7u : 0u, count_column ? 7u : 0u};
  for (int i = 0; i < 3; ++i) {
    FUZZ_REQUIRE(lines[i].size() == 113 + extra[i], Printable(lines[i]));
  }
  FUZZ_REQUIRE(!count_column || lines[0].compare(0, 6, "Count ") == 0, Printable(lines[0]));
  FUZZ_REQUIRE(lines[2].find_first_not_of("= ") == std::string::npos, Printable(lines[2]));
}

double Finite_Double(FuzzedDataProvider& input) {
  const auto bits = input.ConsumeIntegral<std::uint64_t>();
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return std::isfinite(value) ? value : 0.0;
}

// The interval texts: from any stored start to a clock time, and back.
void Check_Interval(double from, double to) {
  const double forward = Centi_Seconds_Between_Local(from, to);
  const double backward = Centi_Seconds_Between_Local(to, from);
  const std::string shown = std::to_string(from) + " to " + std::to_string(to);
  FUZZ_REQUIRE(forward == -backward, shown);
  FUZZ_REQUIRE(Centi_Seconds_Between_Local(to, to) == 0, shown);
  FUZZ_REQUIRE(forward == std::trunc(forward), shown);
  Check_Original_Start_Line(Elapsed_Text(forward));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::string texts[4];
  for (std::string& text : texts) text = input.ConsumeRandomLengthString(48);
  const std::string since = input.ConsumeRandomLengthString(48);
  const bool count_column = input.ConsumeBool();
  const auto count = input.ConsumeIntegral<std::int32_t>();
  const auto number = input.ConsumeIntegral<std::int32_t>();
  const double stored_start = Finite_Double(input);
  const double now = input.ConsumeFloatingPointInRange(first_clock_day, last_clock_day);

  Check_Count_Column(count);
  Check_Stop_Line(count_column, count, texts);
  Check_Snap_Shot_Line(number, texts[2], texts[3]);
  Check_Original_Start_Line(since);
  Check_Header(count_column);

  // The texts the writer itself builds.
  const std::string date_time = Date_Time_Line(now, now);
  const std::string built[4] = {date_time, date_time, Elapsed_Text(std::trunc(now * 100)),
                                Elapsed_Text(count)};
  Check_Stop_Line(count_column, count, built);
  Check_Interval(stored_start, now);
  return 0;
}
