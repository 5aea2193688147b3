// The pendulum shots' camera motion and the column layout, without a window.
#include <gtest/gtest.h>

#include <cmath>

#include "runtime/screen.h"
#include "runtime/viewControls.h"
#include "scenes/spatial/cradleScene.h"

namespace {

class CradleCamera : public testing::Test {
 protected:
  void TearDown() override {
    viewControls = {};
    cradle = {};
    screenWidth = 800.0f;
    screenHeight = 600.0f;
  }
};

TEST_F(CradleCamera, EachShotMovesTheViewOnlyInTheDisplaysThatKnowIt) {
  // A 20 ms frame is k = 2. {shot, plain display, scale, angle Y, shift X}.
  const struct { int shot; bool plain; double scale, angleY, shiftX; } cases[] = {
      {2, false, 0.908, 8.5, -0.001}, {2, true, 0.908, 8.5, -0.001}, {3, true, 0.9, 8.7, -0.01},
      {32, false, 0.9, 8.7, -0.01},   {32, true, 0.9, 8.7, 0.0},     {4, false, 0.9, 8.7, 0.0}};
  for (const auto& c : cases) {
    viewControls = {};
    cradle.shotMode = c.shot;
    moveCradleCamera(c.plain, 20 * 0.1f);
    const ViewControls& v = viewControls;
    EXPECT_TRUE(std::fabs(v.viewScaleX - c.scale) < 1e-12 && v.viewScaleZ == v.viewScaleX) << c.shot << c.plain;
    EXPECT_NEAR(v.viewAngleY, c.angleY, 1e-12) << c.shot << c.plain;
    EXPECT_NEAR(v.viewShiftX, c.shiftX, 1e-12) << c.shot << c.plain;
  }
}

TEST_F(CradleCamera, RollGrowsWithTheSineAndStopsAtItsFirstPhaseNotAbove0) {
  cradle.shotMode = 14;
  cradle.rollPhase = 0.015f;  // steps of 0.02: once to -0.005, then no more
  for (int frame = 0; frame < 4; ++frame) moveCradleCamera(false, 2.0f);
  EXPECT_NEAR(cradle.rollPhase, -0.005f, 1e-7);
  EXPECT_NEAR(viewControls.viewScaleY, 0.4 - 0.6 * 0.005, 1e-7);
  EXPECT_NEAR(viewControls.viewAngleZ, -112.1 * 0.005, 1e-5);
  cradle.rollPhase = 1.0f;
  moveCradleCamera(true, 2.0f);  // the plain display does not roll
  EXPECT_EQ(cradle.rollPhase, 1.0f);
}

TEST_F(CradleCamera, ColumnThirdsAreTruncatedFromTheFloatNearestAThird) {
  // 600 x 0.33333334 is 200.000006: the views start just below 400, 200 and
  // 0 and are truncated towards zero.
  const int bottoms[] = {399, 199, 0};
  for (int i = 1; i <= 3; ++i) {
    const PixelRect r = columnSmallView(i);
    EXPECT_TRUE(r.x == 0 && r.y == bottoms[i - 1] && r.width == 266 && r.height == 200) << i << ": " << r.y;
  }
  const PixelRect main = columnMainView();
  EXPECT_TRUE(main.x == 266 && main.y == 0 && main.width == 533 && main.height == 600) << main.width;
  screenWidth = screenHeight = 300.0f;  // 100.000003 a third
  EXPECT_TRUE(columnSmallView(1).y == 199 && columnSmallView(3).y == 0 && columnMainView().width == 199);
}

}  // namespace
