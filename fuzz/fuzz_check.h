#pragma once
// How the fuzz targets state a property. A violated one prints what failed
// and stops the process as a crash does, so libFuzzer keeps the input.

#include <cstdio>
#include <string>
#include <string_view>

namespace velmaric::fuzz {

// The bytes with everything outside printable ASCII as \xNN.
inline std::string Printable(std::string_view text) {
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string shown = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '\\' && c != '"') {
      shown += c;
    } else {
      shown += "\\x";
      shown += hex[byte >> 4];
      shown += hex[byte & 0xF];
    }
  }
  return shown + "\"";
}

[[noreturn]] inline void Fail(const char* property, const std::string& detail) {
  std::fprintf(stderr, "\n*** property violated: %s\n    %s\n", property, detail.c_str());
  std::fflush(stderr);
  __builtin_trap();
}

}  // namespace velmaric::fuzz

// The detail is built only when the property fails.
#define FUZZ_REQUIRE(condition, detail)                             \
  do {                                                              \
    if (!(condition)) ::velmaric::fuzz::Fail(#condition, (detail)); \
  } while (false)
