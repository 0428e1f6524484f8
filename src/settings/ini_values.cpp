#include "settings/ini_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#include "core/command_error.h"

namespace velmaric {
namespace {

constexpr int kept_digits = 15;
// Enough digits after the point to show any double exactly, so rounding to
// 15 digits happens once, here, and not twice.
constexpr int exact_decimals = 767;
constexpr std::uint64_t largest_hex = 0xFFFFFFFF;
constexpr std::uint64_t largest_decimal = 2147483647;
// The written form of the largest doubles, 0.179769313486232 x 10^309: 15
// digits rounded away from zero lie above the largest double itself.
constexpr long double largest_written = 1.79769313486232e308L;
constexpr std::string_view largest_written_digits = "179769313486232";
constexpr long largest_written_exponent = 309;

bool Is_Digit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t Skip_Digits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && Is_Digit(text[pos])) ++pos;
  return pos;
}

std::size_t Skip_Sign(std::string_view text, std::size_t pos) {
  return pos < text.size() && (text[pos] == '+' || text[pos] == '-') ? pos + 1 : pos;
}

// Rounds "d.ddd...e+x" (exact) to kept_digits digits, half away from zero.
void Round_Digits(std::string_view exact, std::string& digits, int& exponent) {
  digits.assign(1, exact[0]);
  digits.append(exact.substr(2, kept_digits - 1));
  const std::size_t e = exact.find('e');
  std::from_chars(exact.data() + e + 2, exact.data() + exact.size(), exponent);
  if (exact[e + 1] == '-') exponent = -exponent;
  if (exact[kept_digits + 1] < '5') return;
  for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
    if (*digit != '9') {
      ++*digit;
      return;
    }
    *digit = '0';
  }
  digits[0] = '1';  // 9.99...95 became 10.0...0
  ++exponent;
}

// The same, where the C library cannot read a long double (mingw's): the
// text (digits, a point, digits, an exponent) compared as a decimal
// 0.<digits> x 10^<exponent>, digit by digit.
constexpr long exponent_bound = 1L << 30;

double Beyond_Double_Range_By_Digits(std::string_view text) {
  const std::size_t mark = text.find_first_of("Ee");
  const std::string_view mantissa = text.substr(0, mark);
  long exponent = 0;
  if (mark != std::string_view::npos) {
    std::string_view written = text.substr(mark + 1);
    if (!written.empty() && written.front() == '+') written.remove_prefix(1);
    const std::from_chars_result parsed =
        std::from_chars(written.data(), written.data() + written.size(), exponent);
    if (parsed.ec != std::errc()) return 0;  // an exponent no long holds
    // Far beyond either end whatever digits stand before it; and the scale
    // below cannot overflow.
    if (exponent > exponent_bound || exponent < -exponent_bound) return 0;
  }
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  std::string digits;
  for (const char c : mantissa) {
    if (c != '.') digits += c;
  }
  const std::size_t leading = std::min(digits.find_first_not_of('0'), digits.size());
  digits.erase(0, leading);
  digits.erase(std::min(digits.find_last_not_of('0') + 1, digits.size()));
  if (digits.empty()) return 0;
  // Below 1 the text has underflowed, not overflowed.
  const long long scale = static_cast<long long>(exponent) + static_cast<long long>(point) -
                          static_cast<long long>(leading);
  return scale <= largest_written_exponent && scale >= 1 &&
                 (scale < largest_written_exponent || digits <= largest_written_digits)
             ? std::numeric_limits<double>::max()
             : 0;
}

// The magnitude of a text beyond the double range: the largest double when
// it is no more than the written form of the largest doubles, else 0.
double Beyond_Double_Range(std::string_view text) {
  long double wide = 0;
  const std::from_chars_result parsed =
      std::from_chars(text.data(), text.data() + text.size(), wide);
  if (parsed.ec == std::errc()) {
    return wide >= 1 && wide <= largest_written ? std::numeric_limits<double>::max() : 0;
  }
  return Beyond_Double_Range_By_Digits(text);
}

}  // namespace

std::string Flag_Ini_Text(bool value) {
  return value ? flag_true : flag_false;
}

bool Ini_Flag_Value(const std::string& text) {
  return text == flag_true;
}

std::string Real_Ini_Text(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char exact[exact_decimals + 16];
  const std::to_chars_result end = std::to_chars(exact, exact + sizeof exact, std::fabs(value),
                                                 std::chars_format::scientific, exact_decimals);
  std::string digits;
  int exponent = 0;
  Round_Digits(std::string_view(exact, static_cast<std::size_t>(end.ptr - exact)), digits,
               exponent);
  const std::string exponent_digits = std::to_string(std::abs(exponent));
  std::string text(1, value < 0 ? '-' : ' ');
  text.append(1, digits[0]).append(".").append(digits, 1, std::string::npos);
  text.append(exponent < 0 ? "E-" : "E+");
  return text.append(4 - exponent_digits.size(), '0').append(exponent_digits);
}

double Ini_Real_Value(const std::string& text) {
  const std::string_view all(text);
  std::size_t pos = all.find_first_not_of(' ');
  if (pos == std::string_view::npos) return 0;
  const bool negative = all[pos] == '-';
  pos = Skip_Sign(all, pos);
  const std::size_t start = pos;
  std::size_t end = Skip_Digits(all, start);
  if (end == start) return 0;
  // Each optional part counts only when it is complete.
  if (end < all.size() && all[end] == '.') {
    const std::size_t decimals_end = Skip_Digits(all, end + 1);
    if (decimals_end > end + 1) end = decimals_end;
  }
  if (end < all.size() && (all[end] == 'E' || all[end] == 'e')) {
    const std::size_t exponent_start = Skip_Sign(all, end + 1);
    const std::size_t exponent_end = Skip_Digits(all, exponent_start);
    if (exponent_end > exponent_start) end = exponent_end;
  }
  double magnitude = 0;
  const std::from_chars_result parsed =
      std::from_chars(all.data() + start, all.data() + end, magnitude);
  if (parsed.ec == std::errc::result_out_of_range) {
    magnitude = Beyond_Double_Range(std::string_view(all).substr(start, end - start));
    if (magnitude == 0) return 0;
  } else if (parsed.ec != std::errc()) {
    return 0;
  }
  return negative ? -magnitude : magnitude;
}

std::string Integer_Ini_Text(std::int32_t value) {
  return std::to_string(value);
}

std::int32_t Ini_Integer_Value(const std::string& text) {
  const std::string_view all(text);
  std::size_t pos = all.find_first_not_of(' ');
  if (pos == std::string_view::npos) throw Invalid_Integer_Error(text);
  const bool negative = all[pos] == '-';
  std::string_view digits = all.substr(Skip_Sign(all, pos));
  int base = 10;
  if (digits.substr(0, 1) == "$") {
    base = 16;
    digits.remove_prefix(1);
  } else if (digits.substr(0, 2) == "0x" || digits.substr(0, 2) == "0X") {
    base = 16;
    digits.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  const std::from_chars_result parsed =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  const std::uint64_t largest = base == 16 ? largest_hex : largest_decimal + (negative ? 1 : 0);
  if (digits.empty() || parsed.ec != std::errc() || parsed.ptr != digits.data() + digits.size() ||
      magnitude > largest) {
    throw Invalid_Integer_Error(text);
  }
  // Hexadecimal texts name the 32 bits themselves; unsigned arithmetic wraps.
  const auto bits = static_cast<std::uint32_t>(magnitude);
  return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

}  // namespace velmaric
