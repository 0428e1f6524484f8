#pragma once
// LC_CTYPE set to a named locale for as long as a guard lives, then put back.

#include <clocale>
#include <string>

namespace velmaric::testing {

class Ctype_Locale {
 public:
  explicit Ctype_Locale(const char* name)
      : saved_(std::setlocale(LC_CTYPE, nullptr)),
        set_(std::setlocale(LC_CTYPE, name) != nullptr) {}
  ~Ctype_Locale() { std::setlocale(LC_CTYPE, saved_.c_str()); }
  Ctype_Locale(const Ctype_Locale&) = delete;
  Ctype_Locale& operator=(const Ctype_Locale&) = delete;
  bool Set() const { return set_; }

 private:
  std::string saved_;
  bool set_;
};

}  // namespace velmaric::testing
