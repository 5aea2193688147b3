// Where the colliding-surface displays put their views: worked out in double
// precision and truncated towards zero, at 800 x 600 and at 300 x 300.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "scenes/surfaces/surfaceScene.h"

std::ostream& operator<<(std::ostream& out, const PixelRect& r) {
  return out << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

namespace {

class SurfaceLayout : public testing::Test {
 protected:
  void TearDown() override { screenWidth = 800.0f, screenHeight = 600.0f; }
};

TEST_F(SurfaceLayout, ViewsAndPanelsOnTheFullScreen) {
  EXPECT_EQ(dropLargeView(), (PixelRect{200, 150, 560, 420}));
  // The drop's panels: from W/8 - 200/(k + 1) in to W/8, one sixth of the
  // height apart from 100; -66.7 truncates to -66.
  EXPECT_EQ(dropPanel(0, 0.0f), (PixelRect{-100, 100, 120, 90}));
  EXPECT_EQ(dropPanel(1, 0.0f), (PixelRect{0, 250, 120, 90}));
  EXPECT_EQ(dropPanel(2, 0.0f), (PixelRect{33, 400, 120, 90}));
  EXPECT_EQ(dropPanel(0, 200.0f).x, 100);
  EXPECT_EQ(dropPanel(1, 100.0f).x, 50);
  // The strip: from x = 640 + 200 off the screen to 440, 272 apart.
  EXPECT_EQ(stripPanel(0, 0.0f), (PixelRect{840, 450, 176, 132}));
  EXPECT_EQ(stripPanel(0, 400.0f).x, 440);
  EXPECT_EQ(stripPanel(2, 400.0f).x, 984);
  // The inset rises from 31.6 - 150 (truncated to -118) to 31.
  EXPECT_EQ(ballInset(50.0f), (PixelRect{42, -118, 400, 300}));
  EXPECT_EQ(ballInset(200.0f).y, 31);
  // Ball panels from the right, 0.16666667 of the width apart, a little more
  // than a sixth: 760, 626.7, 493.3 and 359.99999.
  const int x[4] = {760, 626, 493, 359};
  for (int n = 0; n < 4; ++n) EXPECT_EQ(ballPanel(n), (PixelRect{x[n], 66, 80, 60})) << n;
}

TEST_F(SurfaceLayout, SmallWindowAndBallPanelScales) {
  screenWidth = screenHeight = 300.0f;
  EXPECT_EQ(dropLargeView(), (PixelRect{75, 75, 210, 210}));
  EXPECT_EQ(stripPanel(1, 200.0f), (PixelRect{342, 225, 66, 66}));
  EXPECT_EQ(ballPanel(1), (PixelRect{234, 33, 30, 30}));  // 234.999999
  // 1, 1, 2, 2 and a sway of 2/3 sin(3 wobble) on top.
  const float still[4] = {1.0f, 1.0f, 2.0f, 2.0f};
  for (int n = 0; n < 4; ++n) {
    EXPECT_EQ(ballPanelScale(n, 0.0f), still[n]) << n;
    EXPECT_FLOAT_EQ(ballPanelScale(n, 0.5f), still[n] + 2.0f / 3.0f * std::sin(1.5f)) << n;
  }
}

}  // namespace
