#include "core/layout_scaling.h"

#include <cmath>

#include "core/time_text.h"

namespace velmaric {

std::string Layout_Header(int client_width, int client_height) {
  return std::to_string(client_width) + " " + std::to_string(client_height) + " W/H Mainform1";
}

std::string Layout_Item(const Component_Geometry& g, const std::string& name) {
  return std::to_string(g.left) + " " + std::to_string(g.width) + " " + std::to_string(g.top) +
         " " + std::to_string(g.height) + " " + std::to_string(g.font_points) + " " + name;
}

std::optional<Scale_Ratios> Layout_Ratios(const std::string& header, int client_width,
                                          int client_height) {
  const int w0 = Field_To_Int(header, " ", 1);
  const int h0 = Field_To_Int(header, " ", 2);
  if (w0 == 0 || h0 == 0) return std::nullopt;
  Scale_Ratios ratios;
  ratios.ry = static_cast<double>(client_height) / h0;
  ratios.rx = static_cast<double>(client_width) / w0;
  ratios.rf = ratios.ry >= ratios.rx ? ratios.rx : ratios.ry;
  return ratios;
}

std::optional<Component_Geometry> Scale_Item(const std::string& item, const Scale_Ratios& r) {
  if (item.size() <= 1) return std::nullopt;
  const auto field = [&item](int n) { return static_cast<double>(Field_To_Int(item, " ", n)); };
  Component_Geometry g;
  g.left = static_cast<int>(std::trunc(field(1) * r.rx));
  g.width = static_cast<int>(std::trunc(field(2) * r.rx));
  g.top = static_cast<int>(std::trunc(field(3) * r.ry));
  g.height = static_cast<int>(std::trunc(field(4) * r.ry));
  g.font_points = static_cast<int>(std::trunc(field(5) * r.rf));
  return g;
}

}  // namespace velmaric
