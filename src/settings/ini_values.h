#pragma once
// The three value forms of the settings file. Texts never depend on the
// user's locale: the decimal point is always ".".

#include <cstdint>
#include <string>

namespace velmaric {

inline constexpr const char* flag_true = "True";
inline constexpr const char* flag_false = "False";

// "True" or "False".
std::string Flag_Ini_Text(bool value);
// Exactly "True" is set; anything else ("true", " True", "") is not.
bool Ini_Flag_Value(const std::string& text);

// 23 characters: a blank (zero and positive) or "-", one digit, ".", 14
// digits, "E", the exponent's sign and four exponent digits; 15 significant
// digits, a half rounded away from zero. 12345 -> " 1.23450000000000E+0004".
// Infinities and NaN have no such form and are written "INF", "-INF" and
// "NAN", which read back as 0.
std::string Real_Ini_Text(double value);

// Leading blanks, an optional sign, digits, optionally "." and digits,
// optionally "E" or "e", an optional sign and digits. An invalid text is not
// reported: the longest prefix of this form counts ("12.5xyz" -> 12.5,
// "1e" -> 1, "1." -> 1) and a text without any gives 0, as does the empty
// text. A magnitude a double cannot hold (1e400, 1e-400) reads as 0 too,
// except the written form of the largest doubles: up to
// " 1.79769313486232E+0308" (the largest double rounded up to 15 digits)
// reads as the largest double.
double Ini_Real_Value(const std::string& text);

// Plain decimal text: "-42", "0".
std::string Integer_Ini_Text(std::int32_t value);

// Leading blanks, an optional sign, then decimal digits or hexadecimal ones
// after "$", "0x" or "0X". A decimal value must fit 32 bits; a hexadecimal
// one may use all 32 bits and wraps ("$FFFFFFFF" -> -1). Anything else, the
// empty text and trailing blanks included, throws
// Invalid_Integer_Error(text).
std::int32_t Ini_Integer_Value(const std::string& text);

}  // namespace velmaric
