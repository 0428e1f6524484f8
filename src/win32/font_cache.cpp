#include "win32/font_cache.h"

#include <algorithm>
#include <cmath>

namespace velmaric::win32 {

int Pixels_Of(const forms::Font_Design& font) {
  if (font.unit == forms::Font_Unit::Pixels) return font.size;
  return std::max(1, static_cast<int>(std::lround(font.size * 96.0 / 72.0)));
}

Font_Cache::~Font_Cache() {
  for (const auto& entry : fonts_) DeleteObject(entry.second);
}

HFONT Font_Cache::Get(const forms::Font_Design& font, const forms::Font_Design& fallback) {
  const forms::Font_Design& design = font.family != nullptr ? font : fallback;
  const int pixels = Pixels_Of(design);
  const std::string key = std::string(design.family) + "/" + std::to_string(pixels) + "/" +
                          (design.bold ? "b" : "") + (design.underline ? "u" : "");
  const auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  // A negative height asks for the characters' height, which is what the
  // designs' pixel sizes mean.
  HFONT made =
      CreateFontA(-pixels, 0, 0, 0, design.bold ? FW_BOLD : FW_NORMAL, FALSE,
                  design.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, design.family);
  fonts_.emplace(key, made);
  return made;
}

}  // namespace velmaric::win32
