#include "core/time_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "core/command_error.h"
#include "support/ctype_locale.h"

namespace velmaric {
namespace {

std::string Blanks(std::size_t n) {
  return std::string(n, ' ');
}

// n of `first`, then n of `second`.
std::string Runs(std::size_t n, char first, char second) {
  return std::string(n, first) + std::string(n, second);
}

using velmaric::testing::Ctype_Locale;

TEST(Elapsed_Text, ShowsDaysHoursMinutesSecondsHundredths) {
  const struct {
    double centi_seconds;
    const char* text;
  } rows[] = {
      {0, " 00.00:00:00.00"},
      {1, " 00.00:00:00.01"},
      {5999, " 00.00:00:59.99"},
      {6000, " 00.00:01:00.00"},
      {360000, " 00.01:00:00.00"},
      {8639999, " 00.23:59:59.99"},
      {8640001, " 01.00:00:00.01"},
      {12345678, " 01.10:17:36.78"},
      {100 * centi_seconds_per_day, " 100.00:00:00.00"},
      // The day field keeps the low 16 bits of the day count.
      {65535 * centi_seconds_per_day + 8639999, " 65535.23:59:59.99"},
      {65536 * centi_seconds_per_day, " 00.00:00:00.00"},
      {65537 * centi_seconds_per_day + 360001, " 01.01:00:00.01"},
      // An interval below zero keeps its width, signed.
      {-1, "-00.00:00:00.01"},
      {-12345678, "-01.10:17:36.78"},
      {-100 * centi_seconds_per_day, "-100.00:00:00.00"},
      {-0.9, " 00.00:00:00.00"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.centi_seconds);
    EXPECT_EQ(Elapsed_Text(row.centi_seconds), row.text);
  }
}

// A settings file may hold any counter, far beyond what 64-bit integers hold;
// each field still keeps to its range.
TEST(Elapsed_Text, FieldsKeepTheirRangeBeyond64BitCounts) {
  const double two_64 = 18446744073709551616.0;
  for (const double centi_seconds :
       {two_64 * 100, 9.3e18, 1e21, 1e300, std::numeric_limits<double>::max()}) {
    SCOPED_TRACE(centi_seconds);
    const std::string text = Elapsed_Text(centi_seconds);
    unsigned days = 0, hours = 99, minutes = 99, seconds = 99, hundredths = 999;
    int length = 0;
    ASSERT_EQ(std::sscanf(text.c_str(), " %u.%u:%u:%u.%u%n", &days, &hours, &minutes, &seconds,
                          &hundredths, &length),
              5)
        << text;
    EXPECT_EQ(length, static_cast<int>(text.size())) << text;
    EXPECT_LT(days, 65536U) << text;
    EXPECT_LT(hours, 24U) << text;
    EXPECT_LT(minutes, 60U) << text;
    EXPECT_LT(seconds, 60U) << text;
    EXPECT_LT(hundredths, 100U) << text;
  }
  // 2^64 seconds exactly: 2^64 = 307445734561825860 * 60 + 16.
  const std::string whole_seconds = Elapsed_Text(two_64 * 100);
  EXPECT_EQ(whole_seconds.substr(whole_seconds.size() - 6), ":16.00");
  const double infinity = std::numeric_limits<double>::infinity();
  for (const double nothing : {infinity, -infinity, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(Elapsed_Text(nothing), " 00.00:00:00.00");
  }
}

TEST(Two_Digits, PadsToTwoAndKeepsLow16Bits) {
  const std::vector<std::pair<std::uint64_t, const char*>> rows = {
      {0, "00"},        {7, "07"},     {42, "42"},        {123, "123"},
      {65535, "65535"}, {65536, "00"}, {65536 + 9, "09"}, {(std::uint64_t{1} << 40) + 321, "321"}};
  for (const auto& [count, text] : rows) {
    SCOPED_TRACE(count);
    EXPECT_EQ(Two_Digits(count), text);
  }
}

TEST(Fixed_Number, RoundsHalfAwayFromZeroAndRightAligns) {
  const struct {
    double value;
    int width;
    int places;
    std::string text;
  } rows[] = {
      {0, 15, 2, Blanks(11) + "0.00"},
      {59.99, 15, 2, Blanks(10) + "59.99"},
      {0.9998, 14, 1, Blanks(11) + "1.0"},
      {0.25, 14, 1, Blanks(11) + "0.3"},
      // The three fields of 12,345,678 centiseconds.
      {123456.78, 15, 2, Blanks(6) + "123456.78"},
      {12345678 / 100.0 / 60.0, 14, 1, Blanks(8) + "2057.6"},
      {12345678 / 100.0 / 60.0 / 60.0, 14, 1, Blanks(10) + "34.3"},
      // Exact binary halves round away from zero, not to even.
      {0.125, 0, 2, "0.13"},
      {2.5, 0, 0, "3"},
      {3.5, 0, 0, "4"},
      {-2.5, 0, 0, "-3"},
      {-0.25, 14, 1, Blanks(10) + "-0.3"},
      {-123.456, 10, 2, Blanks(3) + "-123.46"},
      // Rounding carries through every nine.
      {9.99, 0, 1, "10.0"},
      {99.95, 0, 1, "100.0"},
      {999.996, 8, 2, " 1000.00"},
      {0.04, 0, 1, "0.0"},
      {0.05, 0, 1, "0.1"},
      {0.6, 0, 0, "1"},
      // A width smaller than the number never cuts it.
      {123456789.5, 3, 1, "123456789.5"},
      {-1234.5, 2, 0, "-1235"},
      // Beyond the range of 64-bit integers.
      {1e20, 0, 2, "100000000000000000000.00"},
      // Only 18 significant digits count: the double is ...567168.
      {-12345678901234567890.0, 25, 0, "    -12345678901234567200"},
      // A value that rounds to zero carries no minus sign.
      {-0.001, 5, 2, " 0.00"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.value << " w" << row.width << " p" << row.places);
    EXPECT_EQ(Fixed_Number(row.value, row.width, row.places), row.text);
  }
}

class Date_Time_Line_Test : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = User_Date_Time_Formats(); }
  void TearDown() override { Set_User_Date_Time_Formats(saved_); }

 private:
  Date_Time_Formats saved_;
};

constexpr Date_Time monday_2026_12_07 = 46363;

Date_Time At(Date_Time day, int hour, int minute, int second) {
  return day + ((hour * 60 + minute) * 60 + second) / 86400.0;
}

TEST_F(Date_Time_Line_Test, WidensOnlyALoneZeroHour) {
  Set_User_Date_Time_Formats({"%d.%m.%Y", "%-H:%M:%S"});
  const struct {
    Date_Time date;
    Date_Time time;
    const char* text;
  } rows[] = {
      {At(monday_2026_12_07, 0, 5, 3), At(monday_2026_12_07, 0, 5, 3),
       "  Mon, 07.12.2026 @ 00:05:03"},
      {At(monday_2026_12_07, 9, 5, 3), At(monday_2026_12_07, 9, 5, 3),
       "  Mon, 07.12.2026 @ 9:05:03"},
      {At(monday_2026_12_07, 20, 0, 0), At(monday_2026_12_07, 20, 0, 0),
       "  Mon, 07.12.2026 @ 20:00:00"},
      // Day name and date come from the first argument, the time from the second.
      {monday_2026_12_07, At(monday_2026_12_07 + 1, 6, 0, 0), "  Mon, 07.12.2026 @ 6:00:00"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(Date_Time_Line(row.date, row.time), row.text);
  }
}

TEST_F(Date_Time_Line_Test, DefaultFormatsFollowTheLocale) {
  // The tests run in the "C" locale, whose %x and %X are fixed.
  Set_User_Date_Time_Formats({});
  EXPECT_EQ(Date_Time_Line(At(monday_2026_12_07, 0, 5, 3), At(monday_2026_12_07, 0, 5, 3)),
            "  Mon, 12/07/26 @ 00:05:03");
}

TEST(Replace_All, ReplacesUntilNoneIsLeft) {
  const std::string marker("\x01\x02\x03\x04\x05\x01", 6);
  const struct {
    std::string source, search, repl, result;
  } rows[] = {
      {"  Mon, 07.12.2026 @ 0:05:03", " 0:", " 00:", "  Mon, 07.12.2026 @ 00:05:03"},
      {"a0:", " 0:", " 00:", "a0:"},
      {"x 0: 0:", " 0:", " 00:", "x 00: 00:"},
      {"banana", "a", "", "bnn"},
      {"abc", "", "X", "abc"},
      {"", "a", "b", ""},
      // Each search restarts at the front, so a joint made by a replacement matches too.
      {"aab", "ab", "b", "b"},
      // Replacements that contain the search text go through the marker.
      {"aXa", "a", "aa", "aaXaa"},
      {"aaa", "a", "ba", "bababa"},
      {"abc", "abc", "abcabc", "abcabc"},
      {"xyz", "q", "qq", "xyz"},
      // Control characters are text like any other.
      {"a\x01"
       "b\x01",
       "\x01", "\x01\x01",
       "a\x01\x01"
       "b\x01\x01"},
      {"\x02\x03\x04", "\x03", "<\x03>", "\x02<\x03>\x04"},
      {"x" + marker + "y", marker, "[" + marker + "]", "x[" + marker + "]y"},
      {"aab", "ab", "ba", "baa"},
      // A replacement of the search text's length always ends, after about
      // n^2 steps here: a run's number of steps never cuts it short.
      {Runs(38, 'a', 'b'), "ab", "ba", Runs(38, 'b', 'a')},
      {Runs(39, 'a', 'b'), "ab", "ba", Runs(39, 'b', 'a')},
      {Runs(45, 'a', 'b'), "ab", "ba", Runs(45, 'b', 'a')},
      {Runs(200, 'a', 'b'), "ab", "ba", Runs(200, 'b', 'a')},
      {Runs(200, 'b', 'a'), "ba", "ab", Runs(200, 'a', 'b')},
      {Runs(2000, 'a', 'b'), "ab", "ba", Runs(2000, 'b', 'a')},
      {"xaabcabc", "abc", "bca", "xbcbcaaa"},
      // A growing run that ends within 4096 + 16 bytes per source byte
      // ("a^k b" becomes "b^(2^k) a^k") finishes however many steps it takes.
      {std::string(10, 'a') + "b", "ab", "bba", std::string(1024, 'b') + std::string(10, 'a')},
      {std::string(12, 'a') + "b", "ab", "bba", std::string(4096, 'b') + std::string(12, 'a')},
      // Searching again from the front would never end here, or only after
      // the text grew to 2^40 characters.
      {"aab", "ab", "bbaa", "abbaa"},
      {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "ab", "bba",
       "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaabba"},
      // 8192 + 13 bytes would outgrow the 4096 + 16 * 14 allowed.
      {std::string(13, 'a') + "b", "ab", "bba", std::string(12, 'a') + "bba"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.source.substr(0, 60)) + " " +
                 ::testing::PrintToString(row.search));
    EXPECT_EQ(Replace_All(row.source, row.search, row.repl), row.result);
  }
}

TEST(Pad, FillsUpToWidthAndNeverCuts) {
  using Pad = std::string (*)(std::string_view, char, std::size_t);
  const struct {
    Pad pad;
    const char* name;
    const char* s;
    char fill;
    std::size_t width;
    const char* result;
    const char* ctype = "C";  // the LC_CTYPE whose characters are counted
  } rows[] = {
      {Pad_Right, "right", "ab", '.', 5, "ab..."},
      {Pad_Right, "right", "", 'x', 2, "xx"},
      {Pad_Right, "right", "abcdef", '.', 3, "abcdef"},
      {Pad_Right, "right", "ab", '\0', 5, ""},
      {Pad_Right, "right", "ab", '.', 0, ""},
      {Pad_Left, "left", "ab", '.', 5, "...ab"},
      {Pad_Left, "left", "abcdef", '.', 3, "abcdef"},
      {Pad_Left, "left", "ab", '\0', 5, ""},
      {Pad_Left, "left", "ab", '.', 0, ""},
      {Pad_Centre, "centre", "abc", ' ', 10, "  abc     "},
      {Pad_Centre, "centre", "abcdef", ' ', 4, "abcdef"},
      {Pad_Centre, "centre", "abc", '*', 3, "abc"},
      {Pad_Centre, "centre", "abc", '*', 4, "abc*"},
      {Pad_Centre, "centre", "abc", '*', 6, "abc***"},
      {Pad_Centre, "centre", "abc", '*', 7, "*abc***"},
      {Pad_Centre, "centre", "abc", '*', 9, "**abc****"},
      {Pad_Centre, "centre", "abc", '\0', 9, ""},
      {Pad_Centre, "centre", "abc", '*', 0, ""},
      // Widths count characters of the locale's encoding: "Mär" is three in
      // UTF-8 and four bytes, each a character, in the C locale.
      {Pad_Centre, "centre", "M\u00e4r", ' ', 10, "  M\u00e4r     ", "C.UTF-8"},
      {Pad_Centre, "centre", "M\u00e4r", ' ', 10, "  M\u00e4r    ", "C"},
      {Pad_Centre, "centre", "d\u00e9cembre", '*', 9, "d\u00e9cembre*", "C.UTF-8"},
      {Pad_Centre, "centre", "d\u00e9cembre", '*', 9, "d\u00e9cembre", "C"},
      {Pad_Left, "left", "5 \u20ac", '.', 4, ".5 \u20ac", "C.UTF-8"},
      {Pad_Left, "left", "M\u00e4r", '.', 5, "..M\u00e4r", "C.UTF-8"},
      {Pad_Right, "right", "f\u00e9vrier", '.', 8, "f\u00e9vrier.", "C.UTF-8"},
      {Pad_Right, "right", "\U0001F550", '.', 2, "\U0001F550.", "C.UTF-8"},
      // A byte that begins no whole character is one: stray, or cut off.
      {Pad_Left, "left", "a\xffz", '.', 4, ".a\xffz", "C.UTF-8"},
      {Pad_Left, "left", "\xa4z", '.', 3, ".\xa4z", "C.UTF-8"},
      {Pad_Right, "right", "a\xe2\x82", '.', 4, "a\xe2\x82.", "C.UTF-8"},
      {Pad_Centre, "centre", "\xc3", '.', 5, ".\xc3...", "C.UTF-8"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.name << " " << ::testing::PrintToString(row.s) << " "
                                      << row.width << " " << row.ctype);
    const Ctype_Locale ctype(row.ctype);
    ASSERT_TRUE(ctype.Set()) << "no locale " << row.ctype;
    EXPECT_EQ(row.pad(row.s, row.fill, row.width), row.result);
  }
}

TEST(Pad_To_Point, FillsInFrontUpToLengthOrPoint) {
  const struct {
    const char* s;
    const char* fill;
    std::size_t column;
    const char* result;
  } rows[] = {
      {"7", "0", 3, "007"},
      {"", "0", 2, "00"},
      {"3.14", " ", 4, "  3.14"},
      {"123.4", " ", 2, "123.4"},
      {"1.5", "", 3, " 1.5"},
      {"1.2.3", "0", 3, "01.2.3"},
      {"1.5", "ab", 4, "ab1.5"},
      {"7", "ab", 4, "abab7"},
      {"42", "0", 0, "42"},
      // Only the text's own point counts, never one that came with the fill.
      {"1.5", ".", 4, "..1.5"},
      {"2.5", "x.", 6, "x.x.2.5"},
      {"7", ".", 3, "..7"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << "'" << row.s << "' '" << row.fill << "' " << row.column);
    EXPECT_EQ(Pad_To_Point(row.s, row.fill, row.column), row.result);
  }
}

TEST(Digits_To_Int, ReadsDigitsAndLeadingSign) {
  const std::vector<std::pair<const char*, std::int32_t>> rows = {
      {"x=12y3", 123},
      {"-5-3", -53},
      {"W/H", 0},
      {"", 0},
      {"+42", 42},
      {"a-b7", -7},
      {"1+2", 12},
      {"-0", 0},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"0000000000000000000000042", 42},
  };
  for (const auto& [text, value] : rows) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Digits_To_Int(text), value);
  }
}

TEST(Digits_To_Int, BareSignOrOverflowIsAConversionError) {
  const std::vector<std::pair<const char*, const char*>> rows = {
      {"-", "'-' is not a valid integer value"},
      {"+", "'+' is not a valid integer value"},
      {"x - y", "'-' is not a valid integer value"},
      {"2147483648", "'2147483648' is not a valid integer value"},
      {"-2147483649", "'-2147483649' is not a valid integer value"},
      {"n=12a34567890123", "'1234567890123' is not a valid integer value"},
      {"99999999999999999999999", "'99999999999999999999999' is not a valid integer value"},
  };
  for (const auto& [text, message] : rows) {
    SCOPED_TRACE(text);
    try {
      Digits_To_Int(text);
      ADD_FAILURE() << "no error";
    } catch (const Command_Error& error) {
      EXPECT_STREQ(error.what(), message);
    }
  }
}

TEST(Field_To_Int, ReadsTheNthField) {
  const struct {
    const char* s;
    const char* sep;
    int n;
    std::int32_t value;
  } rows[] = {
      {"441 373 W/H Mainform1", " ", 1, 441},
      {"441 373 W/H Mainform1", " ", 2, 373},
      {"441 373 W/H Mainform1", " ", 3, 0},
      {"441 373 W/H Mainform1", " ", 4, 1},
      {"441 373 W/H Mainform1", " ", 9, 1},
      {"441 373 W/H Mainform1", " ", 0, 441},
      {"10, 20, 30", ", ", 2, 20},
      {"1 2", "", 2, 12},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << "'" << row.s << "' '" << row.sep << "' " << row.n);
    EXPECT_EQ(Field_To_Int(row.s, row.sep, row.n), row.value);
  }
  EXPECT_THROW(Field_To_Int("7 - 9", " ", 2), Command_Error);
}

}  // namespace
}  // namespace velmaric
