#pragma once
// The fonts the controls wear, made once per face, size and style and kept
// until the program ends.

#include <windows.h>

#include <map>
#include <string>

#include "forms/control_design.h"

namespace velmaric::win32 {

// Points are drawn at 96 dots per inch whatever the screen says, so that 11
// points draw 15 pixels, as on the Qt window.
int Pixels_Of(const forms::Font_Design& font);

class Font_Cache {
 public:
  Font_Cache() = default;
  Font_Cache(const Font_Cache&) = delete;
  Font_Cache& operator=(const Font_Cache&) = delete;
  ~Font_Cache();

  // The font of that design; a design without a family gives the fallback.
  HFONT Get(const forms::Font_Design& font, const forms::Font_Design& fallback);

 private:
  std::map<std::string, HFONT> fonts_;
};

}  // namespace velmaric::win32
