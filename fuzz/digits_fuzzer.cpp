// Digits_To_Int and Field_To_Int on any text.
//
// Nothing but Command_Error escapes. Digits_To_Int equals a direct reading
// of its rule (the digits and the sign before the first of them), and std::stoi
// for a text of a sign and digits: the same value, or a conversion error
// where stoi finds the value out of range. Field_To_Int of the n-th field is
// Field_To_Int of field n-1 after the first separator, and Digits_To_Int of
// the text before it for the first field.
//
// The input is the text; its last byte chooses the separator and n.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/command_error.h"
#include "core/time_text.h"
#include "fuzz_check.h"

namespace {

using namespace velmaric;
using fuzz::Printable;

// A value, or the message of the conversion error.
struct Outcome {
  std::optional<std::int32_t> value;
  std::string error;
  bool operator==(const Outcome& other) const {
    return value == other.value && error == other.error;
  }
  std::string Shown() const { return value ? std::to_string(*value) : "error " + error; }
};

template <typename Convert>
Outcome Outcome_Of(Convert&& convert) {
  try {
    return {convert(), {}};
  } catch (const Command_Error& error) {
    return {std::nullopt, error.what()};
  }
}

Outcome Expected_Digits(std::string_view text) {
  std::string kept;
  for (const char c : text) {
    if ((c >= '0' && c <= '9') || ((c == '+' || c == '-') && kept.empty())) kept += c;
  }
  if (kept.empty()) return {0, {}};
  const bool negative = kept[0] == '-';
  const std::size_t first = kept[0] == '+' || kept[0] == '-' ? 1 : 0;
  if (first == kept.size()) return {std::nullopt, Invalid_Integer_Error(kept).what()};
  std::int64_t magnitude = 0;
  for (std::size_t at = first; at < kept.size(); ++at) {
    magnitude = magnitude * 10 + (kept[at] - '0');
    if (magnitude > 2147483648) return {std::nullopt, Invalid_Integer_Error(kept).what()};
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) return {std::nullopt, Invalid_Integer_Error(kept).what()};
  return {static_cast<std::int32_t>(value), {}};
}

bool Is_Signed_Digits(std::string_view text) {
  const std::size_t first = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  return text.size() > first && text.find_first_not_of("0123456789", first) == std::string_view::npos;
}

void Check_Digits(std::string_view text) {
  const Outcome outcome = Outcome_Of([&] { return Digits_To_Int(text); });
  const Outcome expected = Expected_Digits(text);
  FUZZ_REQUIRE(outcome == expected, Printable(text) + ": " + outcome.Shown() + ", expected " +
                                        expected.Shown());
  if (!Is_Signed_Digits(text)) return;
  try {
    const int value = std::stoi(std::string(text));
    FUZZ_REQUIRE(outcome.value == value, Printable(text) + ": " + outcome.Shown());
  } catch (const std::out_of_range&) {
    FUZZ_REQUIRE(!outcome.value, Printable(text) + ": " + outcome.Shown());
  }
}

void Check_Field(std::string_view text, std::string_view sep, int n) {
  const Outcome outcome = Outcome_Of([&] { return Field_To_Int(text, sep, n); });
  const std::size_t at = sep.empty() ? std::string_view::npos : text.find(sep);
  Outcome expected;
  if (at == std::string_view::npos) {
    expected = Outcome_Of([&] { return Digits_To_Int(text); });
  } else if (n <= 1) {
    expected = Outcome_Of([&] { return Digits_To_Int(text.substr(0, at)); });
  } else {
    expected = Outcome_Of([&] { return Field_To_Int(text.substr(at + sep.size()), sep, n - 1); });
  }
  FUZZ_REQUIRE(outcome == expected, Printable(text) + " sep " + Printable(sep) + " n " +
                                        std::to_string(n) + ": " + outcome.Shown() +
                                        ", expected " + expected.Shown());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Check_Digits(text);
  if (size == 0) return 0;

  const auto pick = static_cast<unsigned char>(text.back());
  static constexpr std::string_view fixed_separators[] = {" ", ", ", "/", "", "-", "12"};
  const std::size_t kind = pick & 7u;
  const std::string_view sep =
      kind < 6 ? fixed_separators[kind] : text.substr(0, kind - 5);  // one or two leading bytes
  const int n = static_cast<int>(pick >> 3) - 8;                     // -8 .. 23
  Check_Field(text, sep, n);
  Check_Field(text.substr(0, size - 1), sep, n);
  return 0;
}
