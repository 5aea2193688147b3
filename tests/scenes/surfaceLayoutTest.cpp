// Where the colliding-surface displays put their views, worked out in double
// precision and truncated towards zero; the drawing tests find them there.
#include <gtest/gtest.h>

#include <cmath>

#include "scenes/surfaces/surfaceScene.h"

namespace {

TEST(SurfaceLayout, PanelsStartOffTheScreenBallPanelsScaleInPairs) {
  // The drop's panel from W/8 - 200 to W/8; the strip's from 640 + 200 to
  // 440; the inset from 31.6 - 150, truncated to -118, to 31.
  EXPECT_TRUE(dropPanel(0, 0.0f).x == -100 && dropPanel(0, 200.0f).x == 100 && dropPanel(2, 0.0f).x == 33);
  EXPECT_TRUE(stripPanel(0, 0.0f).x == 840 && stripPanel(0, 400.0f).x == 440 && stripPanel(2, 400.0f).x == 984);
  EXPECT_TRUE(ballInset(50.0f).y == -118 && ballInset(200.0f).y == 31);
  // 1, 1, 2, 2 and a sway of 2/3 sin(3 wobble) on top.
  const float still[4] = {1.0f, 1.0f, 2.0f, 2.0f};
  for (int n = 0; n < 4; ++n) {
    EXPECT_EQ(ballPanelScale(n, 0.0f), still[n]) << n;
    EXPECT_FLOAT_EQ(ballPanelScale(n, 0.5f), still[n] + 2.0f / 3.0f * std::sin(1.5f)) << n;
  }
  // In the small window: a quarter in and 0.7 wide; the second ball panel
  // at 300 - 50.000001 - 15.
  screenWidth = screenHeight = 300.0f;
  EXPECT_EQ(dropLargeView(), (PixelRect{75, 75, 210, 210}));
  EXPECT_EQ(ballPanel(1), (PixelRect{234, 33, 30, 30}));
  screenWidth = 800.0f, screenHeight = 600.0f;
}

}  // namespace
