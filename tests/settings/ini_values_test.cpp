#include "settings/ini_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "core/command_error.h"

namespace velmaric {
namespace {

TEST(Real_Ini_Text, FifteenDigitsInTwentyThreeCharacters) {
  const std::pair<double, const char*> rows[] = {
      {12345, " 1.23450000000000E+0004"},
      {0, " 0.00000000000000E+0000"},
      {-0.0, " 0.00000000000000E+0000"},
      {0.1, " 1.00000000000000E-0001"},
      {-2.5e-7, "-2.50000000000000E-0007"},
      {8640000, " 8.64000000000000E+0006"},
      {46363.427129629629, " 4.63634271296296E+0004"},  // a day count
      {0.123456789012345678, " 1.23456789012346E-0001"},
      {9.999999999999999, " 1.00000000000000E+0001"},  // the carry runs through
      {1000000000000005, " 1.00000000000001E+0015"},   // exact halves go away from zero
      {-123456789012344.5, "-1.23456789012345E+0014"},
      {std::numeric_limits<double>::max(), " 1.79769313486232E+0308"},
      {std::numeric_limits<double>::denorm_min(), " 4.94065645841247E-0324"},
  };
  for (const auto& [value, text] : rows) EXPECT_EQ(Real_Ini_Text(value), text);
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Real_Ini_Text(infinity) + Real_Ini_Text(-infinity) + Real_Ini_Text(std::nan("")),
            "INF-INFNAN");
}

// What is written reads back within the 15 digits, and to the same text.
TEST(Real_Ini_Text, RoundTripsThroughIniRealValue) {
  std::mt19937_64 random(20240611);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (int i = 0; i < 2000; ++i) {
    const double value = std::ldexp(mantissa(random), exponent(random));
    const std::string text = Real_Ini_Text(value);
    const double back = Ini_Real_Value(text);
    EXPECT_LE(std::fabs(back - value), 6e-15 * std::fabs(value)) << text;
    EXPECT_EQ(Real_Ini_Text(back), text);
  }
}

TEST(Ini_Real_Value, TakesTheLongestValidPrefix) {
  const std::pair<const char*, double> rows[] = {
      {" 1.23450000000000E+0004", 12345},
      {"-2.5e-7", -2.5e-7},
      {"+3", 3},
      {"  7 ", 7},
      {"", 0},
      {"   ", 0},
      {"12.5xyz", 12.5},
      {"1,5", 1},
      {"1.", 1},
      {"1.e5", 1},
      {"1e+", 1},
      {"2.5E+x", 2.5},
      {"abc", 0},
      {"-", 0},
      {".5", 0},
      {"INF", 0},
      {"1e400", 0},
      {"1e-400", 0},
  };
  for (const auto& [text, value] : rows) EXPECT_EQ(Ini_Real_Value(text), value) << text;
}

// Rounded up to 15 digits, the largest doubles are written above the largest
// double; they still read back.
TEST(Ini_Real_Value, TheWrittenFormOfTheLargestDoublesReadsBack) {
  const double largest = std::numeric_limits<double>::max();
  for (const double value :
       {largest, -largest, std::nextafter(largest, 0.0), 1.797693134862315e308}) {
    const std::string text = Real_Ini_Text(value);
    const double back = Ini_Real_Value(text);
    EXPECT_LE(std::fabs(back - value), 6e-15 * std::fabs(value)) << text;
    EXPECT_EQ(Real_Ini_Text(back), text);
  }
  EXPECT_EQ(Ini_Real_Value(" 1.79769313486232E+0308"), largest);
  EXPECT_EQ(Ini_Real_Value("-1.79769313486232E+0308"), -largest);
  // However the same number is written.
  EXPECT_EQ(Ini_Real_Value("0.00179769313486232E+311"), largest);
  EXPECT_EQ(Ini_Real_Value("179769313486232000E+291"), largest);
  EXPECT_EQ(Ini_Real_Value("179769313486233E+294"), 0);
  // Beyond that form a magnitude a double cannot hold still reads as 0.
  EXPECT_EQ(Ini_Real_Value(" 1.79769313486233E+0308"), 0);
  EXPECT_EQ(Ini_Real_Value("-1e309"), 0);
  // Exponents at the ends of what a long holds, with digits that move them.
  EXPECT_EQ(Ini_Real_Value("12e" + std::to_string(std::numeric_limits<long>::max())), 0);
  EXPECT_EQ(Ini_Real_Value("0.001e" + std::to_string(std::numeric_limits<long>::min())), 0);
}

TEST(Ini_Integer_Value, AcceptsDecimalAndHexadecimal) {
  const std::int32_t smallest = std::numeric_limits<std::int32_t>::min();
  const std::pair<const char*, std::int32_t> rows[] = {
      {"0", 0},
      {"-42", -42},
      {"+7", 7},
      {"  12", 12},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", smallest},
      {"$1f", 31},
      {"0x1F", 31},
      {"0X1F", 31},
      {" -$10", -16},
      {"$FFFFFFFF", -1},
      {"0x80000000", smallest},
  };
  for (const auto& [text, value] : rows) EXPECT_EQ(Ini_Integer_Value(text), value) << text;
  EXPECT_EQ(Integer_Ini_Text(smallest), "-2147483648");
}

TEST(Ini_Integer_Value, RejectsAnythingElseNamingTheText) {
  for (const char* text :
       {"", " ", "12 ", "=7", "abc", "2147483648", "-2147483649", "99999999999999999999999", "$",
        "0x", "$100000000", "1.5", "+-1", "0x-1", "$ 1", "\t5", "1e3"}) {
    try {
      Ini_Integer_Value(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const Command_Error& error) {
      EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

TEST(Ini_Flag_Value, OnlyExactTrueIsSet) {
  EXPECT_EQ(Flag_Ini_Text(false) + Flag_Ini_Text(true), "FalseTrue");
  EXPECT_TRUE(Ini_Flag_Value(Flag_Ini_Text(true)));
  for (const char* text : {"False", "true", "TRUE", " True", "True ", ""}) {
    EXPECT_FALSE(Ini_Flag_Value(text)) << text;
  }
}

}  // namespace
}  // namespace velmaric
