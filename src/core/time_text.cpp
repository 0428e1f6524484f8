#include "core/time_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cwchar>

#include "core/command_error.h"

namespace velmaric {
namespace {

constexpr std::array<const char*, 7> day_names = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

Date_Time_Formats& Formats() {
  static Date_Time_Formats formats;
  return formats;
}

std::string Strftime(const Date_Time_Fields& fields, const std::string& pattern) {
  if (pattern.empty()) return {};
  std::array<char, 256> buffer{};
  const std::size_t length =
      std::strftime(buffer.data(), buffer.size(), pattern.c_str(), &fields.tm);
  return std::string(buffer.data(), length);
}

// The pattern through strftime, with the one flag the patterns use that not
// every C library knows done here: "%-H" is "%H" without its leading zeros
// or blanks ("9", not "09"), on every system alike.
std::string Format_Fields(Date_Time t, const std::string& pattern) {
  if (pattern.empty()) return {};
  const Date_Time_Fields fields = Decode_Date_Time(t);
  std::string result;
  std::string plain;  // the part since the last unpadded field
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    if (pattern[at] != '%' || at + 1 == pattern.size()) {
      plain += pattern[at];
    } else if (pattern[at + 1] != '-' || at + 2 == pattern.size()) {
      plain.append(pattern, at, 2);  // "%%" stays whole, so "%%-d" is text
      ++at;
    } else {
      result += Strftime(fields, plain);
      plain.clear();
      std::string field = Strftime(fields, std::string{'%', pattern[at + 2]});
      const std::size_t padding = field.find_first_not_of("0 ");
      field.erase(0, std::min(padding, field.empty() ? 0 : field.size() - 1));
      result += field;
      at += 2;
    }
  }
  return result + Strftime(fields, plain);
}

// Replaces every occurrence in one pass, never looking at inserted text.
std::string Replace_Each_Once(std::string_view source, std::string_view search,
                              std::string_view repl) {
  std::string result;
  std::size_t from = 0;
  for (std::size_t at = source.find(search); at != std::string_view::npos;
       at = source.find(search, from)) {
    result.append(source.substr(from, at - from)).append(repl);
    from = at + search.size();
  }
  result.append(source.substr(from));
  return result;
}

Text_Encoding& Encoding() {
  static Text_Encoding encoding = Text_Encoding::locale;
  return encoding;
}

// The length of the UTF-8 character at the start of s; 0 when s begins with
// no whole, well-formed one.
std::size_t Utf8_Length(std::string_view s) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(0);
  const std::size_t length = lead < 0x80   ? 1
                             : lead < 0xC2 ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF5 ? 4
                                           : 0;
  if (length == 0 || length > s.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  // No overlong forms, no surrogates, nothing beyond U+10FFFF.
  if (length == 3 && ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) >= 0xA0))) {
    return 0;
  }
  if (length == 4 && ((lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) >= 0x90))) {
    return 0;
  }
  return length;
}

// The characters of s in the text encoding, the width a column gives it. A
// byte that begins no whole character (a stray or cut-off byte of a
// multibyte one) counts as one, as an editor shows it.
std::size_t Character_Count(std::string_view s) {
  std::size_t count = 0;
  if (Encoding() == Text_Encoding::utf8) {
    for (std::size_t at = 0; at < s.size(); ++count) {
      at += std::max<std::size_t>(Utf8_Length(s.substr(at)), 1);
    }
    return count;
  }
  if (MB_CUR_MAX == 1) return s.size();
  std::mbstate_t state{};
  for (std::size_t at = 0; at < s.size(); ++count) {
    const std::size_t length = std::mbrlen(s.data() + at, s.size() - at, &state);
    if (length == static_cast<std::size_t>(-1) || length == static_cast<std::size_t>(-2)) {
      state = std::mbstate_t{};
      at += 1;
    } else {
      at += length == 0 ? 1 : length;  // 0: a zero byte, one character
    }
  }
  return count;
}

// The digits of |v| rounded half away from zero to `places` decimals, as an
// integer text counting units of 10^-places; v is first taken to 18
// significant digits.
std::string Rounded_Units(double magnitude, int places) {
  std::array<char, 64> buffer{};
  const auto converted = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                       std::chars_format::scientific, 17);
  const std::string_view text(buffer.data(),
                              static_cast<std::size_t>(converted.ptr - buffer.data()));
  std::string digits;
  digits += text[0];
  const std::size_t e_at = text.find('e');
  digits.append(text.substr(2, e_at - 2));
  const int exponent = std::atoi(std::string(text.substr(e_at + 1)).c_str());

  const int keep = exponent + 1 + places;  // digits that stay left of the cut
  if (keep < 0) return "0";
  if (keep == 0) return digits[0] >= '5' ? "1" : "0";
  std::string units;
  if (keep >= static_cast<int>(digits.size())) {
    units = digits + std::string(static_cast<std::size_t>(keep) - digits.size(), '0');
  } else {
    units = digits.substr(0, static_cast<std::size_t>(keep));
    if (digits[static_cast<std::size_t>(keep)] >= '5') {
      auto at = units.size();
      while (at > 0 && units[at - 1] == '9') units[--at] = '0';
      if (at == 0) {
        units.insert(units.begin(), '1');
      } else {
        ++units[at - 1];
      }
    }
  }
  return units;
}

// static_cast<std::int64_t>(value) % modulus, also for values no 64-bit
// integer holds (a settings file may hold any counter): fmod is exact and
// keeps the dividend's sign as % does. Not-a-number and infinities give 0.
std::int64_t Whole_Remainder(double value, double modulus) {
  if (!std::isfinite(value)) return 0;
  return static_cast<std::int64_t>(std::fmod(std::trunc(value), modulus));
}

}  // namespace

std::string Elapsed_Text(double centi_seconds) {
  // An interval below zero (a start in the future) is its size, signed.
  if (std::trunc(centi_seconds) < 0 && std::isfinite(centi_seconds)) {
    std::string text = Elapsed_Text(-centi_seconds);
    text.front() = '-';
    return text;
  }
  const double s = centi_seconds / 100.0;
  const double m = s / 60.0;
  const double h = m / 60.0;
  const double d = h / 24.0;
  // Only the low 16 bits of the days are shown.
  const std::int64_t days = Whole_Remainder(d, 65536.0);
  const std::int64_t hours = Whole_Remainder(h, 24.0);
  const std::int64_t minutes = Whole_Remainder(m, 60.0);
  const std::int64_t seconds = Whole_Remainder(s, 60.0);
  const std::int64_t hundredths = Whole_Remainder(centi_seconds, 100.0);
  std::string text = " ";
  text.reserve(16);
  text += Two_Digits(static_cast<std::uint64_t>(days));
  text += '.';
  text += Two_Digits(static_cast<std::uint64_t>(hours));
  text += ':';
  text += Two_Digits(static_cast<std::uint64_t>(minutes));
  text += ':';
  text += Two_Digits(static_cast<std::uint64_t>(seconds));
  text += '.';
  text += Two_Digits(static_cast<std::uint64_t>(hundredths));
  return text;
}

std::string Two_Digits(std::uint64_t count) {
  const auto low = static_cast<std::uint16_t>(count);
  std::string text = std::to_string(low);
  if (low < 10) text.insert(text.begin(), '0');
  return text;
}

std::string Fixed_Number(double value, int width, int places) {
  if (places < 0) places = 0;
  std::string text;
  if (!std::isfinite(value)) {
    text = std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
  } else {
    std::string units = Rounded_Units(std::fabs(value), places);
    const auto fraction_digits = static_cast<std::size_t>(places);
    if (units.size() <= fraction_digits) {
      units.insert(0, fraction_digits + 1 - units.size(), '0');
    }
    const std::size_t integer_digits = units.size() - fraction_digits;
    const bool zero = units.find_first_not_of('0') == std::string::npos;
    // A value that rounds to zero is written without a sign.
    if (value < 0 && !zero) text += '-';
    text.append(units, 0, integer_digits);
    if (places > 0) {
      text += '.';
      text.append(units, integer_digits, fraction_digits);
    }
  }
  return width > 0 ? Pad_Left(text, ' ', static_cast<std::size_t>(width)) : text;
}

std::string Day_Name(Date_Time t) {
  return day_names[static_cast<std::size_t>(Decode_Date_Time(t).tm.tm_wday)];
}

const Date_Time_Formats& User_Date_Time_Formats() {
  return Formats();
}

void Set_Text_Encoding(Text_Encoding encoding) {
  Encoding() = encoding;
}

void Set_User_Date_Time_Formats(const Date_Time_Formats& formats) {
  Formats() = formats;
}

std::string Format_Short_Date(Date_Time t) {
  return Format_Fields(t, Formats().short_date);
}

std::string Format_Long_Time(Date_Time t) {
  return Format_Fields(t, Formats().long_time);
}

std::string Date_Time_Line(Date_Time date, Date_Time time) {
  const std::string text =
      "  " + Day_Name(date) + ", " + Format_Short_Date(date) + " @ " + Format_Long_Time(time);
  return Replace_All(text, " 0:", " 00:");
}

std::string Replace_All(std::string_view source, std::string_view search, std::string_view repl) {
  if (search.empty() || source.empty()) return std::string(source);
  if (repl.find(search) != std::string_view::npos) {
    // Searching again would find the search text inside every replacement,
    // so each occurrence first becomes a marker that cannot match.
    static constexpr std::string_view marker("\x01\x02\x03\x04\x05\x01", 6);
    if (marker.find(search) != std::string_view::npos) {
      return Replace_Each_Once(source, search, repl);
    }
    return Replace_Each_Once(Replace_All(source, search, marker), marker, repl);
  }
  // Each search starts again from the front, so a joint that a replacement
  // makes matches too. Such a run never comes back to a text it had before,
  // so it either ends or grows without bound:
  //  - a shorter replacement shortens the text at every step, so it ends;
  //  - one of the same length leaves everything in front of the first byte
  //    where search and repl differ alone and changes that byte the same
  //    way at every step, so each text sorts strictly after (or strictly
  //    before) the one it came from. The texts of that length are finitely
  //    many, so the run ends, after O(n^2) steps for "a...ab...b",
  //    "ab" -> "ba";
  //  - a longer one may grow forever ("aab", "ab" -> "bbaa") or past any
  //    memory before it ends ("aa...ab", "ab" -> "bba").
  // Only growth needs a bound: a result longer than 4096 + 16 bytes per
  // source byte is taken for a run that would not end, and each occurrence
  // in the source is replaced once instead. A run's length is what bounds
  // it, never its number of steps.
  const std::size_t longest_result = 4096 + 16 * source.size();
  std::string result(source);
  for (std::size_t at = result.find(search); at != std::string::npos;) {
    result.replace(at, search.size(), repl);
    if (result.size() > longest_result) return Replace_Each_Once(source, search, repl);
    // The text before `at` held no occurrence, so a new first one can only
    // begin where it overlaps the replacement.
    at = result.find(search, at + 1 > search.size() ? at + 1 - search.size() : 0);
  }
  return result;
}

std::string Pad_Right(std::string_view s, char fill, std::size_t width) {
  if (fill == '\0' || width == 0) return {};
  std::string text(s);
  const std::size_t length = Character_Count(s);
  if (length < width) text.append(width - length, fill);
  return text;
}

std::string Pad_Left(std::string_view s, char fill, std::size_t width) {
  if (fill == '\0' || width == 0) return {};
  std::string text(s);
  const std::size_t length = Character_Count(s);
  if (length < width) text.insert(0, width - length, fill);
  return text;
}

std::string Pad_Centre(std::string_view s, char fill, std::size_t width) {
  if (fill == '\0' || width == 0) return {};
  const std::size_t length = Character_Count(s);
  if (length > width) return std::string(s);
  const std::size_t diff = width - length;
  const std::size_t front = diff / 2 > 1 ? diff / 2 - 1 : 0;
  std::string text(front, fill);
  text.append(s);
  text.append(diff - front, fill);
  return text;
}

std::string Pad_To_Point(std::string_view s, std::string_view fill, std::size_t column) {
  if (fill.empty()) fill = " ";
  // The text's own point counts: a point in the fill would otherwise be
  // found first, stay in front of the column and never let the loop end.
  const std::size_t point = s.find('.');
  std::size_t reach = point == std::string_view::npos ? s.size() : point + 1;  // 1-based
  std::string text;
  for (; reach < column; reach += fill.size()) text.append(fill);
  return text.append(s);
}

std::int32_t Digits_To_Int(std::string_view s) {
  std::string kept;
  for (const char c : s) {
    const bool sign = c == '+' || c == '-';
    if ((c >= '0' && c <= '9') || (sign && kept.empty())) kept += c;
  }
  if (kept.empty()) return 0;
  std::string_view digits(kept);
  const bool negative = digits.front() == '-';
  if (digits.front() == '+' || digits.front() == '-') digits.remove_prefix(1);
  std::int64_t value = 0;
  const auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  const std::int64_t signed_value = negative ? -value : value;
  if (digits.empty() || parsed.ec != std::errc() || signed_value < INT32_MIN ||
      signed_value > INT32_MAX) {
    throw Invalid_Integer_Error(kept);
  }
  return static_cast<std::int32_t>(signed_value);
}

std::int32_t Field_To_Int(std::string_view s, std::string_view sep, int n) {
  std::string_view t = s;
  if (!sep.empty()) {
    for (int i = 1; i < n; ++i) {
      const std::size_t at = t.find(sep);
      if (at != std::string_view::npos) t.remove_prefix(at + sep.size());
    }
    const std::size_t at = t.find(sep);
    if (at != std::string_view::npos) t = t.substr(0, at);
  }
  return Digits_To_Int(t);
}

}  // namespace velmaric
