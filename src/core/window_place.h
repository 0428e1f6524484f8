#pragma once
// Where the window goes when its stored place and size come back: never so
// large that it does not fit the screen, never so small that its texts can
// no longer be read, and never with its title bar out of reach. Stored
// numbers come from a file anyone may edit; none of them can overflow here.

#include <cstdint>
#include <vector>

namespace velmaric {

struct Screen_Area {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
};

// The smallest client area: two thirds of the design's 441 x 373, where the
// design's 11-point fonts come down to 7 points (between 9 and 10 pixels),
// the least at which the fields' digits stay readable; smaller than the
// default 368 x 313.
inline constexpr int smallest_client_width = 294;
inline constexpr int smallest_client_height = 249;

// A stored client side within [smallest, room]: room is what the screen
// leaves for it (never below smallest).
int Client_Side(std::int64_t stored, int smallest, std::int64_t room);

// The outer window's top-left corner: the stored one while a piece of the
// title bar (title_height pixels along the top edge, grab_width of them
// wide, or the whole width of a narrower window) lies on one of the
// screens; otherwise the nearest place inside the first screen, which is
// the primary one.
struct Window_Corner {
  int left = 0;
  int top = 0;
};
inline constexpr int title_bar_height = 20;
inline constexpr int title_bar_grab_width = 60;
Window_Corner Window_Place(std::int64_t left, std::int64_t top, std::int64_t width,
                           std::int64_t height, const std::vector<Screen_Area>& screens);

}  // namespace velmaric
