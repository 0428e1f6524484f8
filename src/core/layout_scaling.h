#pragma once
// Proportional layout. The window records every component's design geometry
// once, as text lines, and rescales from those numbers on every resize, so
// repeated resizing never accumulates error.
//
//   line 0:  "<client width> <client height> W/H Mainform1"
//   line k:  "<left> <width> <top> <height> <font points> <name>" for a visible
//            control, or "0" for a component that has no geometry

#include <optional>
#include <string>

namespace velmaric {

struct Component_Geometry {
  int left = 0;
  int width = 0;
  int top = 0;
  int height = 0;
  int font_points = 0;
};

std::string Layout_Header(int client_width, int client_height);
std::string Layout_Item(const Component_Geometry& geometry, const std::string& name);
inline constexpr const char* layout_no_geometry = "0";

struct Scale_Ratios {
  double rx = 1.0;
  double ry = 1.0;
  double rf = 1.0;  // fonts follow the smaller of the two
};

// The ratios of a client size to the recorded one; none when the recorded
// size has a zero side, which would make every control vanish.
std::optional<Scale_Ratios> Layout_Ratios(const std::string& header, int client_width,
                                          int client_height);

// The geometry of a recorded line at the given ratios; none for a line that
// records no geometry (length 1 or less).
std::optional<Component_Geometry> Scale_Item(const std::string& item, const Scale_Ratios& ratios);

}  // namespace velmaric
