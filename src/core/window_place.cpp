#include "core/window_place.h"

#include <algorithm>
#include <limits>

namespace velmaric {
namespace {

int To_Int(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// Whether a piece of the title bar wide enough to grab lies on the screen.
bool Title_Bar_On(std::int64_t left, std::int64_t top, std::int64_t width,
                  const Screen_Area& screen) {
  if (top < screen.top || top + title_bar_height > screen.top + screen.height) return false;
  const std::int64_t overlap =
      std::min(left + width, screen.left + screen.width) - std::max(left, screen.left);
  return overlap >= std::min<std::int64_t>(title_bar_grab_width, width);
}

// The stored coordinate, moved inside [low, low + room - size] as far as it
// fits; at low when it does not fit at all.
std::int64_t Inside(std::int64_t value, std::int64_t size, std::int64_t low, std::int64_t room) {
  return std::max(low, std::min(value, low + room - size));
}

}  // namespace

int Client_Side(std::int64_t stored, int smallest, std::int64_t room) {
  return To_Int(std::clamp<std::int64_t>(stored, smallest, std::max<std::int64_t>(room, smallest)));
}

Window_Corner Window_Place(std::int64_t left, std::int64_t top, std::int64_t width,
                           std::int64_t height, const std::vector<Screen_Area>& screens) {
  // Far beyond any screen, and far from the ends of the 64-bit range.
  constexpr std::int64_t far = std::int64_t{1} << 40;
  left = std::clamp(left, -far, far);
  top = std::clamp(top, -far, far);
  width = std::clamp<std::int64_t>(width, 1, far);
  height = std::clamp<std::int64_t>(height, 1, far);
  if (screens.empty()) return {To_Int(left), To_Int(top)};
  for (const Screen_Area& screen : screens) {
    if (Title_Bar_On(left, top, width, screen)) return {To_Int(left), To_Int(top)};
  }
  const Screen_Area& first = screens.front();
  return {To_Int(Inside(left, width, first.left, first.width)),
          To_Int(Inside(top, height, first.top, first.height))};
}

}  // namespace velmaric
