#include "core/window_place.h"

#include <gtest/gtest.h>

#include <limits>

namespace velmaric {
namespace {

constexpr std::int64_t huge = std::numeric_limits<std::int64_t>::max();

TEST(Client_Side, KeepsAStoredSideBetweenTheSmallestAndTheRoom) {
  const std::int64_t rows[][4] = {
      // stored, smallest, room, side
      {368, 294, 1000, 368}, {100000, 294, 1000, 1000}, {2147483647, 249, 700, 700},
      {huge, 249, 700, 700}, {-5, 294, 1000, 294},      {100, 294, 1000, 294},
      {500, 294, 200, 294},  // a screen smaller than the smallest window: the smallest
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Client_Side(row[0], static_cast<int>(row[1]), row[2]), row[3]) << row[0];
  }
}

TEST(Window_Place, KeepsAReachableTitleBarAndMovesAnOtherOntoTheFirstScreen) {
  const std::vector<Screen_Area> screens = {{0, 0, 1024, 768}, {1024, 0, 800, 600}};
  struct Row {
    std::int64_t left, top, width, height;
    int expected_left, expected_top;
  } rows[] = {
      {20, 20, 370, 360, 20, 20},        // as stored
      {1500, 100, 370, 360, 1500, 100},  // on the second screen
      {-300, 10, 370, 360, -300, 10},    // 70 pixels of title bar still to grab
      {-330, 10, 370, 360, 0, 10},       // 40 pixels: too little
      {900, 750, 370, 360, 654, 408},    // title bar past the bottom edge
      {100, -5, 370, 360, 100, 0},       // title bar above the top edge
      {1900, 650, 370, 360, 654, 408},   // beyond both screens
      {huge, huge, huge, huge, 0, 0},    // larger than every screen: at the corner
      {-huge, -huge, 370, 360, 0, 0},
  };
  for (const Row& row : rows) {
    const Window_Corner corner = Window_Place(row.left, row.top, row.width, row.height, screens);
    EXPECT_EQ(corner.left, row.expected_left) << row.left << "," << row.top;
    EXPECT_EQ(corner.top, row.expected_top) << row.left << "," << row.top;
  }
  EXPECT_EQ(Window_Place(-5000, 7, 10, 10, {}).left, -5000);  // no screen known: as stored
}

}  // namespace
}  // namespace velmaric
