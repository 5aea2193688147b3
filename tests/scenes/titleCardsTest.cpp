// Where the title cards put their inset views, on both layout screens. The
// rectangles are worked out by hand from the layout's width W, height H and
// shape A = W / H, each side truncated.
#include <gtest/gtest.h>

#include "runtime/screen.h"
#include "scenes/titles/titleCards.h"

namespace {

struct InsetCase {
  int entry;
  int inset;
  PixelRect at800x600;
  PixelRect at300x300;
};

TEST(TitleCardInsets, EveryInsetAtBothLayoutSizes) {
  // 800 x 600: W / (15.4 A) = 38.96, 0.6875 H = 412.5, W / (3.7 A) = 162.2,
  // H / (2.9 A) = 155.2; W - W / (3 A) - W / 18 = 555.6, H - 0.32258 H =
  // 406.5, W / (3 A) = 200, H / (2.4 A) = 187.5; i W / 4 + W / (5.4 A) =
  // 111.1 + 200 i, H - 0.47619 H = 314.3. 300 x 300 (A = 1): 19.5, 206.25,
  // 81.1, 103.4; 183.3, 203.2, 100, 125; 55.6 + 75 i, 157.1.
  const InsetCase cases[] = {
      {101, 0, {38, 412, 162, 155}, {19, 206, 81, 103}},
      {102, 0, {38, 412, 162, 155}, {19, 206, 81, 103}},
      {104, 0, {38, 412, 162, 155}, {19, 206, 81, 103}},
      // W / (16.4 A) = 36.6 and 18.3
      {106, 0, {36, 412, 162, 155}, {18, 206, 81, 103}},
      {98, 0, {555, 406, 200, 187}, {183, 203, 100, 125}},
      {97, 0, {111, 314, 162, 155}, {55, 157, 81, 103}},
      {97, 2, {511, 314, 162, 155}, {205, 157, 81, 103}},
      {100, 1, {311, 314, 162, 155}, {130, 157, 81, 103}},
      // W - 225 (i + 1), H - 180: off the left edge on the small screen.
      {103, 0, {575, 420, 150, 75}, {75, 120, 150, 75}},
      {103, 2, {125, 420, 150, 75}, {-375, 120, 150, 75}},
      // W - W / (1.2 A) - W / (16.4 A) = 263.4 and 31.7;
      // W - W / (3.7 A) - W / (3.4 A) = 461.4 and 130.7.
      {105, 0, {263, 300, 162, 155}, {31, 150, 81, 103}},
      {105, 1, {461, 300, 162, 155}, {130, 150, 81, 103}},
      // No such inset.
      {99, 0, {}, {}},
      {101, 1, {}, {}},
      {103, 3, {}, {}},
  };
  for (const auto& [width, height] : {std::pair{800.0f, 600.0f}, {300.0f, 300.0f}}) {
    screenWidth = width;
    screenHeight = height;
    for (const InsetCase& c : cases) {
      const PixelRect expected = width == 800.0f ? c.at800x600 : c.at300x300;
      const PixelRect r = cardInset(c.entry, c.inset);
      EXPECT_EQ(r, expected) << "entry " << c.entry << " inset " << c.inset << " at " << width << ": " << r.x << ", "
                             << r.y << ", " << r.width << ", " << r.height;
    }
  }
  screenWidth = 800.0f;
  screenHeight = 600.0f;
}

}  // namespace
