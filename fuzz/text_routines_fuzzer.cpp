// The small text routines and the number texts on any input.
//
//  - Replace_All ends (libFuzzer's -timeout stops a hang). A replacement
//    shorter than the search text leaves no occurrence at all, not even one
//    made at a joint: the routine searches again from the front. A longer
//    one either leaves none either, or (for a replacement that holds the
//    search text, or a run that would not end) replaces each occurrence of
//    the source once.
//  - Pad_Right, Pad_Left, Pad_Centre: the text whole, then fill up to the
//    width, placed as each routine says; Pad_To_Point: whole copies of the
//    fill in front until the text's length, or the column of its point,
//    reaches the column.
//  - Elapsed_Text of any double is " DD.HH:MM:SS.CC" with fields of two to
//    five digits; under a hundred days it reads back to the centiseconds.
//  - Fixed_Number of any double is at least `width` long and, read back, lies
//    within half a unit of the last decimal (plus the 18-digit rounding).

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "core/time_text.h"
#include "fuzz_check.h"

namespace {

using namespace velmaric;
using fuzz::Printable;

double Any_Double(FuzzedDataProvider& input) {
  const auto bits = input.ConsumeIntegral<std::uint64_t>();
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

bool All_Of(std::string_view text, char c) {
  return text.find_first_not_of(c) == std::string_view::npos;
}

std::string Replaced_Once(std::string_view source, std::string_view search, std::string_view repl) {
  std::string result;
  std::size_t from = 0;
  for (std::size_t at; (at = source.find(search, from)) != std::string_view::npos;
       from = at + search.size()) {
    result.append(source, from, at - from).append(repl);
  }
  return result.append(source.substr(from));
}

void Check_Replace_All(const std::string& source, const std::string& search, const std::string& repl) {
  const std::string result = Replace_All(source, search, repl);
  const std::string shown = Printable(source) + " " + Printable(search) + " -> " +
                            Printable(repl) + " gave " + Printable(result);
  if (search.empty() || source.empty()) {
    FUZZ_REQUIRE(result == source, shown);
  } else if (repl.size() < search.size()) {
    FUZZ_REQUIRE(result.find(search) == std::string::npos, shown);
    FUZZ_REQUIRE(result.size() <= source.size(), shown);
    if (source.find(search) == std::string::npos) FUZZ_REQUIRE(result == source, shown);
  } else if (repl.find(search) != std::string::npos) {
    // Through the marker: exact unless the texts hold the marker's bytes.
    const bool plain = (source + search).find_first_of(std::string("\x01\x02\x03\x04\x05", 5)) ==
                       std::string::npos;
    if (plain) FUZZ_REQUIRE(result == Replaced_Once(source, search, repl), shown);
  } else {
    FUZZ_REQUIRE(result.find(search) == std::string::npos ||
                     result == Replaced_Once(source, search, repl),
                 shown);
  }
}

void Check_Pads(const std::string& s, char fill, std::size_t width) {
  const std::string right = Pad_Right(s, fill, width);
  const std::string left = Pad_Left(s, fill, width);
  const std::string centre = Pad_Centre(s, fill, width);
  const std::string shown = Printable(s) + " fill " + Printable(std::string(1, fill)) + " width " +
                            std::to_string(width);
  if (fill == '\0' || width == 0) {
    FUZZ_REQUIRE(right.empty() && left.empty() && centre.empty(), shown);
    return;
  }
  const std::size_t size = s.size() > width ? s.size() : width;
  const std::size_t added = size - s.size();
  FUZZ_REQUIRE(right.size() == size && right.compare(0, s.size(), s) == 0 &&
                   All_Of(std::string_view(right).substr(s.size()), fill),
               shown + " right " + Printable(right));
  FUZZ_REQUIRE(left.size() == size && left.compare(added, s.size(), s) == 0 &&
                   All_Of(std::string_view(left).substr(0, added), fill),
               shown + " left " + Printable(left));
  // One column left of true centre.
  const std::size_t front = added / 2 > 1 ? added / 2 - 1 : 0;
  FUZZ_REQUIRE(centre.size() == size && centre.compare(front, s.size(), s) == 0 &&
                   All_Of(std::string_view(centre).substr(0, front), fill) &&
                   All_Of(std::string_view(centre).substr(front + s.size()), fill),
               shown + " centre " + Printable(centre));
}

void Check_Pad_To_Point(const std::string& s, std::string fill, std::size_t column) {
  const std::string result = Pad_To_Point(s, fill, column);
  if (fill.empty()) fill = " ";
  // The column that counts: the text's point (from 1), or its length.
  const std::size_t point = s.find('.');
  const std::size_t reach = point == std::string::npos ? s.size() : point + 1;
  const std::size_t copies = reach >= column ? 0 : (column - reach + fill.size() - 1) / fill.size();
  std::string expected;
  for (std::size_t i = 0; i < copies; ++i) expected += fill;
  expected += s;
  FUZZ_REQUIRE(result == expected, Printable(s) + " fill " + Printable(fill) + " column " +
                                       std::to_string(column) + " gave " + Printable(result));
}

void Check_Elapsed_Text(double centi_seconds) {
  const std::string text = Elapsed_Text(centi_seconds);
  const std::string shown = std::to_string(centi_seconds) + " gave " + Printable(text);
  // " " (or "-" below zero) and five fields of 2 to 5 digits with their
  // four separators.
  const bool below_zero = std::trunc(centi_seconds) < 0 && std::isfinite(centi_seconds);
  FUZZ_REQUIRE(text.size() >= 15 && text.size() <= 30 && text[0] == (below_zero ? '-' : ' '),
               shown);
  if (below_zero) FUZZ_REQUIRE(text.substr(1) == Elapsed_Text(-centi_seconds).substr(1), shown);
  const char separators[] = {'.', ':', ':', '.'};
  std::size_t at = 1;
  long fields[5] = {};
  for (int field = 0; field < 5; ++field) {
    const std::size_t end = text.find_first_not_of("0123456789", at);
    const std::size_t digits = (end == std::string::npos ? text.size() : end) - at;
    FUZZ_REQUIRE(digits >= 2 && digits <= 5, shown);
    fields[field] = std::strtol(text.c_str() + at, nullptr, 10);
    at += digits;
    if (field < 4) {
      FUZZ_REQUIRE(at < text.size() && text[at] == separators[field], shown);
      ++at;
    }
  }
  FUZZ_REQUIRE(at == text.size(), shown);
  const double whole = std::trunc(centi_seconds);
  if (whole >= 0 && whole < 100 * 8640000.0 && whole == centi_seconds) {
    FUZZ_REQUIRE(text.size() == 15, shown);
    FUZZ_REQUIRE(fields[1] < 24 && fields[2] < 60 && fields[3] < 60 && fields[4] < 100, shown);
    const double back = (((fields[0] * 24.0 + fields[1]) * 60 + fields[2]) * 60 + fields[3]) * 100 +
                        fields[4];
    FUZZ_REQUIRE(back == whole, shown);
  }
}

void Check_Fixed_Number(double value, int width, int places) {
  const std::string text = Fixed_Number(value, width, places);
  const std::string shown = Printable(text) + " for " + std::to_string(value) + " width " +
                            std::to_string(width) + " places " + std::to_string(places);
  FUZZ_REQUIRE(width <= 0 || text.size() >= static_cast<std::size_t>(width), shown);
  const std::string_view number = std::string_view(text).substr(text.find_first_not_of(' '));
  FUZZ_REQUIRE(width <= 0 || number.size() == text.size() || text.size() == static_cast<std::size_t>(width),
               shown);
  if (!std::isfinite(value)) {
    FUZZ_REQUIRE(number == (std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF"), shown);
    return;
  }
  const int decimals = places > 0 ? places : 0;
  const bool negative = number.substr(0, 1) == "-";
  const std::string_view digits = number.substr(negative ? 1 : 0);
  const std::size_t point = digits.find('.');
  const std::size_t integer_digits = decimals > 0 ? point : digits.size();
  FUZZ_REQUIRE(integer_digits >= 1 && integer_digits != std::string_view::npos, shown);
  FUZZ_REQUIRE(digits.find_first_not_of("0123456789.") == std::string_view::npos, shown);
  FUZZ_REQUIRE(decimals == 0 ? point == std::string_view::npos
                             : digits.size() - point - 1 == static_cast<std::size_t>(decimals) &&
                                   digits.find('.', point + 1) == std::string_view::npos,
               shown);
  FUZZ_REQUIRE(integer_digits == 1 || digits[0] != '0', shown);
  // A value that rounds to zero has no sign.
  FUZZ_REQUIRE(!negative || digits.find_first_not_of("0.") != std::string_view::npos, shown);
  FUZZ_REQUIRE(!negative || value < 0, shown);

  const double back = std::strtod(std::string(number).c_str(), nullptr);
  const double allowed = 0.5 * std::pow(10.0, -decimals) * (1 + 1e-12) +
                         2.5e-16 * std::fabs(value) + std::numeric_limits<double>::denorm_min();
  FUZZ_REQUIRE(std::fabs(back - value) <= allowed, shown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string source = input.ConsumeRandomLengthString(128);
  const std::string search = input.ConsumeRandomLengthString(12);
  const std::string repl = input.ConsumeRandomLengthString(12);
  const std::string point_fill = input.ConsumeRandomLengthString(6);
  const auto fill = input.ConsumeIntegral<char>();
  const auto width = input.ConsumeIntegralInRange<std::size_t>(0, 300);
  const auto column = input.ConsumeIntegralInRange<std::size_t>(0, 300);
  const int number_width = input.ConsumeIntegralInRange<int>(-4, 64);
  const int places = input.ConsumeIntegralInRange<int>(-2, 30);
  const double any = Any_Double(input);
  const auto centi_seconds = input.ConsumeIntegralInRange<std::int64_t>(0, 100 * 8640000LL);

  Check_Replace_All(source, search, repl);
  Check_Pads(source, fill, width);
  Check_Pad_To_Point(source, point_fill, column);
  Check_Elapsed_Text(static_cast<double>(centi_seconds));
  Check_Elapsed_Text(any);
  Check_Fixed_Number(any, number_width, places);
  Check_Fixed_Number(static_cast<double>(centi_seconds) / 100.0, number_width, places);
  return 0;
}
