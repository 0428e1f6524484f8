// The value forms of the settings file.
//
// The input is read three ways: as a text for Ini_Integer_Value and
// Ini_Real_Value, compared with a direct reading of the documented grammar
// (strtod converting the real's prefix); its first 8 bytes as a double for
// Real_Ini_Text; its first 4 bytes as an int32 for the integer texts.
//
// Real_Ini_Text of a finite double is 23 characters, agrees with printf's
// 15 significant digits (an exact half may only round away from zero where
// printf rounds to even), and reads back within those 15 digits to the same
// text. Every int32 reads back from its decimal and hexadecimal texts.

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/command_error.h"
#include "fuzz_check.h"
#include "settings/ini_values.h"

namespace {

using namespace velmaric;
using fuzz::Printable;

bool Is_Digit(char c) { return c >= '0' && c <= '9'; }

int Digit_Value(char c, int base) {
  int value = -1;
  if (Is_Digit(c)) value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

// Blanks, a sign, then decimal digits or hexadecimal ones after "$", "0x" or
// "0X", and nothing else; a decimal value within 32 bits, a hexadecimal one
// within 32 unsigned bits, wrapping.
std::optional<std::int32_t> Expected_Integer(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  int base = 10;
  if (text.substr(at, 1) == "$") {
    base = 16;
    at += 1;
  } else if (text.substr(at, 2) == "0x" || text.substr(at, 2) == "0X") {
    base = 16;
    at += 2;
  }
  if (at == text.size()) return std::nullopt;
  const std::uint64_t largest = base == 16 ? 0xFFFFFFFFu : (negative ? 2147483648u : 2147483647u);
  std::uint64_t magnitude = 0;
  for (; at < text.size(); ++at) {
    const int digit = Digit_Value(text[at], base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (magnitude > largest) return std::nullopt;
  }
  const auto bits = static_cast<std::uint32_t>(magnitude);
  return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

void Check_Integer_Text(const std::string& text) {
  const std::optional<std::int32_t> expected = Expected_Integer(text);
  try {
    const std::int32_t value = Ini_Integer_Value(text);
    FUZZ_REQUIRE(expected.has_value(), Printable(text) + " was read as " + std::to_string(value));
    FUZZ_REQUIRE(value == *expected, Printable(text) + " was read as " + std::to_string(value));
  } catch (const Command_Error& error) {
    FUZZ_REQUIRE(!expected.has_value(), Printable(text) + " was refused");
    FUZZ_REQUIRE(std::string(error.what()) == Invalid_Integer_Error(text).what(), error.what());
  }
}

std::size_t Digits_End(std::string_view text, std::size_t at) {
  while (at < text.size() && Is_Digit(text[at])) ++at;
  return at;
}

// The longest prefix after the blanks of the form sign, digits, "." and
// digits, "E" or "e", sign and digits; strtod reads it, and anything out of
// the double range counts as 0.
double Expected_Real(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && text[start] == ' ') ++start;
  std::size_t at = start;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  std::size_t end = Digits_End(text, at);
  if (end == at) return 0;
  if (end < text.size() && text[end] == '.' && Digits_End(text, end + 1) > end + 1) {
    end = Digits_End(text, end + 1);
  }
  if (end < text.size() && (text[end] == 'E' || text[end] == 'e')) {
    std::size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    if (Digits_End(text, exponent) > exponent) end = Digits_End(text, exponent);
  }
  const std::string prefix(text.substr(start, end - start));
  errno = 0;
  const double value = std::strtod(prefix.c_str(), nullptr);
  // ERANGE also flags an inexact subnormal, which a double does hold. Past
  // the largest double, its own written form (15 digits rounded up) still
  // reads as the largest double.
  if (std::isinf(value)) {
    const long double wide = std::strtold(prefix.c_str(), nullptr);
    return std::fabs(wide) <= 1.79769313486232e308L ? std::copysign(DBL_MAX, value) : 0.0;
  }
  return value;
}

// printf's digits of a magnitude, "d.ddd" with `decimals` decimals, and the
// exponent.
struct Decimal {
  std::string mantissa;
  int exponent = 0;
};
Decimal Printf_Digits(double magnitude, int decimals) {
  static char buffer[1200];
  std::snprintf(buffer, sizeof buffer, "%.*E", decimals, magnitude);
  const char* e = std::strchr(buffer, 'E');
  return {std::string(buffer, static_cast<std::size_t>(e - buffer)), std::atoi(e + 1)};
}

void Check_Real_Text(double value) {
  const std::string text = Real_Ini_Text(value);
  if (!std::isfinite(value)) {
    const char* expected = std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    FUZZ_REQUIRE(text == expected, text);
    FUZZ_REQUIRE(Ini_Real_Value(text) == 0, text);
    return;
  }
  char exact_value[40];
  std::snprintf(exact_value, sizeof exact_value, "%.17g", value);
  const std::string shown = Printable(text) + " for " + exact_value;
  FUZZ_REQUIRE(text.size() == 23, shown);
  FUZZ_REQUIRE(text[0] == (value < 0 ? '-' : ' '), shown);
  FUZZ_REQUIRE(text[2] == '.' && text[17] == 'E' && (text[18] == '+' || text[18] == '-'), shown);
  for (const std::size_t at : {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 19, 20, 21, 22}) {
    FUZZ_REQUIRE(Is_Digit(text[at]), shown);
  }
  FUZZ_REQUIRE((text[1] == '0') == (value == 0), shown);

  // The same digits as printf, unless the value lies exactly half-way, where
  // printf rounds to even and the file form away from zero.
  const Decimal ours{text.substr(1, 16), std::atoi(text.c_str() + 18)};
  const Decimal printf_digits = Printf_Digits(std::fabs(value), 14);
  if (ours.mantissa != printf_digits.mantissa || ours.exponent != printf_digits.exponent) {
    const Decimal exact = Printf_Digits(std::fabs(value), 800);
    const std::string rest = exact.mantissa.substr(16);  // from the 16th digit on
    const bool half = rest[0] == '5' && rest.find_first_not_of('0', 1) == std::string::npos;
    FUZZ_REQUIRE(half, shown + ", printf " + printf_digits.mantissa);
    FUZZ_REQUIRE(std::fabs(std::strtod(text.c_str(), nullptr)) > std::fabs(value),
                 shown + ": a half goes away from zero");
  }

  const double back = Ini_Real_Value(text);
  const double allowed = 5.2e-15 * std::fabs(value) + std::numeric_limits<double>::denorm_min();
  FUZZ_REQUIRE(std::fabs(back - value) <= allowed, shown);
  FUZZ_REQUIRE(Real_Ini_Text(back) == text, shown + " came back as " + Real_Ini_Text(back));
}

std::string Hex(std::uint32_t bits, bool upper) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, upper ? "%X" : "%x", bits);
  return buffer;
}

void Check_Integer_Round_Trip(std::int32_t value) {
  const std::string text = Integer_Ini_Text(value);
  FUZZ_REQUIRE(Ini_Integer_Value(text) == value, text);
  FUZZ_REQUIRE(Ini_Integer_Value("   " + text) == value, text);
  const auto bits = static_cast<std::uint32_t>(value);
  FUZZ_REQUIRE(Ini_Integer_Value("$" + Hex(bits, true)) == value, text);
  FUZZ_REQUIRE(Ini_Integer_Value("0x" + Hex(bits, false)) == value, text);
  FUZZ_REQUIRE(Ini_Integer_Value("0X00" + Hex(bits, true)) == value, text);
  FUZZ_REQUIRE(Ini_Integer_Value("-$" + Hex(0u - bits, false)) == value, text);
  bool refused = false;
  try {
    Ini_Integer_Value(text + " ");
  } catch (const Command_Error&) {
    refused = true;
  }
  FUZZ_REQUIRE(refused, "a trailing blank is refused: " + text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Check_Integer_Text(text);

  const double real = Ini_Real_Value(text);
  const double expected = Expected_Real(text);
  FUZZ_REQUIRE(real == expected || (std::isnan(real) && std::isnan(expected)),
               Printable(text) + " read as " + Real_Ini_Text(real) + ", strtod " +
                   Real_Ini_Text(expected));
  Check_Real_Text(real);

  unsigned char bytes[8] = {};
  std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
  double value;
  std::memcpy(&value, bytes, sizeof value);
  Check_Real_Text(value);
  std::int32_t integer;
  std::memcpy(&integer, bytes, sizeof integer);
  Check_Integer_Round_Trip(integer);
  return 0;
}
