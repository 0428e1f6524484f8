#pragma once
// LC_CTYPE set to a named locale for as long as a guard lives, then put back.
// A UTF-8 locale the C library does not have (Windows' has none) is counted
// the way the Windows program counts its UTF-8 texts.

#include <clocale>
#include <string>

#include "core/time_text.h"

namespace velmaric::testing {

class Ctype_Locale {
 public:
  explicit Ctype_Locale(const char* name)
      : saved_(std::setlocale(LC_CTYPE, nullptr)), set_(std::setlocale(LC_CTYPE, name) != nullptr) {
    if (!set_ && std::string(name).find("UTF-8") != std::string::npos) {
      Set_Text_Encoding(Text_Encoding::utf8);
      set_ = utf8_ = true;
    }
  }
  ~Ctype_Locale() {
    if (utf8_) Set_Text_Encoding(Text_Encoding::locale);
    std::setlocale(LC_CTYPE, saved_.c_str());
  }
  Ctype_Locale(const Ctype_Locale&) = delete;
  Ctype_Locale& operator=(const Ctype_Locale&) = delete;
  bool Set() const { return set_; }

 private:
  std::string saved_;
  bool set_;
  bool utf8_ = false;
};

}  // namespace velmaric::testing
