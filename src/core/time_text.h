#pragma once
// The texts in which times are shown and logged, and the small text routines
// they are built from. Texts are byte strings; positions count from 1 where a
// routine speaks of positions. Everything here is a pure function apart from
// the user's date and time formats, which Date_Time_Line reads.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/date_time.h"

namespace velmaric {

// " DD.HH:MM:SS.CC" of a whole number of centiseconds. Any double has a text:
// the days show their low 16 bits, and not-a-number and infinities show 0.
// Below zero, the text of the size with "-" in place of the leading blank.
std::string Elapsed_Text(double centi_seconds);

// At least two digits of the low 16 bits of a count: 0 -> "00", 123 -> "123".
std::string Two_Digits(std::uint64_t count);

// v rounded half away from zero to `places` decimals (after taking v to 18
// significant digits), "." as the point in every locale, blanks in front up
// to `width`. A longer text is never cut.
std::string Fixed_Number(double value, int width, int places);

// "Sun" ... "Sat" for the weekday of t's date.
std::string Day_Name(Date_Time t);

// How a text's bytes make the characters a column counts: as the C
// library's LC_CTYPE locale says (Linux, where the user's locale decides),
// or as UTF-8 (the Windows program, which declares UTF-8 its code page while
// its C library has no UTF-8 locale).
enum class Text_Encoding : std::uint8_t { locale, utf8 };
void Set_Text_Encoding(Text_Encoding encoding);

// The user's short date and long time formats, as strftime patterns, with
// "%-" for a field without its leading zeros ("%-H": "9", not "09"). By
// default they follow the LC_TIME locale ("%x" and "%X").
struct Date_Time_Formats {
  std::string short_date = "%x";
  std::string long_time = "%X";
};
const Date_Time_Formats& User_Date_Time_Formats();
void Set_User_Date_Time_Formats(const Date_Time_Formats& formats);

// The date, or the time, of t in the user's formats.
std::string Format_Short_Date(Date_Time t);
std::string Format_Long_Time(Date_Time t);

// "  Mon, <short date> @ <long time>" with a lone zero hour widened to "00".
std::string Date_Time_Line(Date_Time date, Date_Time time);

// Every occurrence of search replaced by repl, the search starting again
// from the front after each replacement ("aab", "ab" -> "b" gives "b";
// "aabb", "ab" -> "ba" gives "bbaa"). A replacement that holds the search
// text replaces each occurrence once, as does a run whose text would grow
// past 4096 + 16 bytes per source byte, which may never end ("aab",
// "ab" -> "bbaa" gives "abbaa"). An empty search text changes nothing.
std::string Replace_All(std::string_view source, std::string_view search, std::string_view repl);

// Widths count characters in the LC_CTYPE encoding, so that a column of a
// log holds as many letters whatever the day and month names; a byte that
// begins no whole character counts as one. Each fill is one character. A
// longer text is returned whole.
std::string Pad_Right(std::string_view s, char fill, std::size_t width);
std::string Pad_Left(std::string_view s, char fill, std::size_t width);
// Centres one column left of true centre: max(0, d/2 - 1) fill in front.
std::string Pad_Centre(std::string_view s, char fill, std::size_t width);
// Whole copies of fill (a blank when empty) in front of s until its length,
// or the position (from 1) of its own first ".", reaches column. Counts
// bytes: it lines up numbers, whose texts are ASCII.
std::string Pad_To_Point(std::string_view s, std::string_view fill, std::size_t column);

// The digits and leading sign of a text read as an integer ("x=12y3" -> 123).
// Throws Command_Error for a bare sign or a value outside 32 bits.
std::int32_t Digits_To_Int(std::string_view s);
// Digits_To_Int of the n-th (from 1) sep-separated field of s.
std::int32_t Field_To_Int(std::string_view s, std::string_view sep, int n);

}  // namespace velmaric
