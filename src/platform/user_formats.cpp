#include "platform/user_formats.h"

#include <array>
#include <cstddef>

namespace velmaric {
namespace {

// What a run of one picture letter becomes, by the run's length (1 to 4 and
// more); nullptr where the letter is no field.
struct Field {
  char letter;
  std::array<const char*, 4> by_length;
};

constexpr std::array<Field, 9> fields = {{
    {'d', {"%-d", "%d", "%a", "%A"}},
    {'M', {"%-m", "%m", "%b", "%B"}},
    {'y', {"%-y", "%y", "%Y", "%Y"}},
    {'h', {"%-I", "%I", "%I", "%I"}},
    {'H', {"%-H", "%H", "%H", "%H"}},
    {'m', {"%-M", "%M", "%M", "%M"}},
    {'s', {"%-S", "%S", "%S", "%S"}},
    {'t', {"%p", "%p", "%p", "%p"}},
    {'g', {"", "", "", ""}},
}};

}  // namespace

std::string Strftime_Pattern_Of_Picture(const std::string& picture) {
  std::string pattern;
  for (std::size_t at = 0; at < picture.size();) {
    const char letter = picture[at];
    if (letter == '\'') {
      // Quoted text; '' inside or outside quotes is one quote.
      std::size_t end = at + 1;
      for (; end < picture.size(); ++end) {
        if (picture[end] != '\'') {
          pattern += picture[end] == '%' ? std::string("%%") : std::string(1, picture[end]);
        } else if (end + 1 < picture.size() && picture[end + 1] == '\'') {
          pattern += '\'';
          ++end;
        } else {
          break;
        }
      }
      at = end + 1;
      continue;
    }
    std::size_t run = 1;
    while (at + run < picture.size() && picture[at + run] == letter) ++run;
    const Field* field = nullptr;
    for (const Field& candidate : fields) {
      if (candidate.letter == letter) field = &candidate;
    }
    if (letter == 'f' || letter == 'F') {
      // Fractions of a second: no pattern; the picture's text stays as it is.
    } else if (field != nullptr) {
      pattern += field->by_length[std::min<std::size_t>(run, 4) - 1];
    } else {
      for (std::size_t i = 0; i < run; ++i)
        pattern += letter == '%' ? "%%" : std::string(1, letter);
    }
    at += run;
  }
  return pattern;
}

}  // namespace velmaric
