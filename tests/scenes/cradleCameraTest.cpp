// The pendulum shots' camera motion and the column layout's rectangles,
// without a window.
#include <gtest/gtest.h>

#include <cmath>

#include "runtime/screen.h"
#include "runtime/viewControls.h"
#include "scenes/spatial/cradleScene.h"

namespace {

class CradleCamera : public testing::Test {
 protected:
  void SetUp() override {
    viewControls = {};
    cradle = {};
  }
  void TearDown() override {
    viewControls = {};
    cradle = {};
    screenWidth = 800.0f;
    screenHeight = 600.0f;
  }
};

TEST_F(CradleCamera, ZoomShotGrowsAndTurnsAlikeInBothDisplays) {
  // A 20 ms frame is k = 2: scales + 0.008, angle Y - 0.2 degrees, shift
  // X - 0.001.
  for (const bool plain : {false, true}) {
    viewControls = {};
    cradle.shotMode = 2;
    moveCradleCamera(plain, 20 * 0.1f);
    const ViewControls& v = viewControls;
    EXPECT_DOUBLE_EQ(v.viewScaleX, 0.908);
    EXPECT_DOUBLE_EQ(v.viewScaleZ, 0.908);
    EXPECT_DOUBLE_EQ(v.viewAngleY, 8.5);
    EXPECT_DOUBLE_EQ(v.viewShiftX, -0.001);
    EXPECT_EQ(v.viewAngleX, -36.0);
  }
}

TEST_F(CradleCamera, PlainDisplayPansOnlyForTheFreeze) {
  // {shot, pans in the main display, pans in the plain one}, by 0.005 k.
  const struct { int shot; bool main, plain; } cases[] = {{3, true, true}, {32, true, false}, {4, false, false},
                                                          {6, false, false}, {0, false, false}};
  for (const auto& c : cases) {
    for (const bool plain : {false, true}) {
      viewControls = {};
      cradle.shotMode = c.shot;
      moveCradleCamera(plain, 3.0f);
      EXPECT_DOUBLE_EQ(viewControls.viewShiftX, (plain ? c.plain : c.main) ? -0.015 : 0.0) << c.shot << plain;
      EXPECT_EQ(viewControls.viewScaleX, 0.9);
    }
  }
}

TEST_F(CradleCamera, RollGrowsWithTheSineAndStopsAtItsFirstPhaseNotAbove0) {
  cradle.shotMode = 14;
  // The start phase (the float nearest pi) has a sine just below 0.
  moveCradleCamera(false, 2.0f);
  EXPECT_NEAR(viewControls.viewScaleX, 0.4, 1e-6);
  EXPECT_NEAR(viewControls.viewAngleZ, 0.0, 1e-4);
  EXPECT_NEAR(cradle.rollPhase, 3.1215927f, 1e-6);
  // From 0.015, steps of 0.02: one step to -0.005, then no further.
  cradle.rollPhase = 0.015f;
  moveCradleCamera(false, 2.0f);
  EXPECT_NEAR(viewControls.viewScaleY, 0.4 + 0.6 * std::sin(0.015), 1e-7);
  const float stopped = cradle.rollPhase;
  EXPECT_NEAR(stopped, -0.005f, 1e-7);
  for (int frame = 0; frame < 3; ++frame) moveCradleCamera(false, 2.0f);
  EXPECT_EQ(cradle.rollPhase, stopped);
  EXPECT_NEAR(viewControls.viewScaleZ, 0.4 - 0.6 * 0.005, 1e-7);
  EXPECT_NEAR(viewControls.viewAngleZ, -112.1 * 0.005, 1e-5);
  // The plain display does not roll.
  cradle.rollPhase = 1.0f;
  moveCradleCamera(true, 2.0f);
  EXPECT_EQ(cradle.rollPhase, 1.0f);
}

TEST_F(CradleCamera, ColumnThirdsAreTruncatedFromTheFloatNearestAThird) {
  // 600 x 0.33333334 is 200.000006: the views start just below 400 and 200
  // and just below 0, and are truncated towards zero.
  const PixelRect expected[] = {{0, 399, 266, 200}, {0, 199, 266, 200}, {0, 0, 266, 200}};
  for (int i = 1; i <= 3; ++i) {
    const PixelRect r = columnSmallView(i);
    const PixelRect e = expected[i - 1];
    EXPECT_TRUE(r.x == e.x && r.y == e.y && r.width == e.width && r.height == e.height) << i << ": " << r.y;
  }
  const PixelRect main = columnMainView();
  EXPECT_TRUE(main.x == 266 && main.y == 0 && main.width == 533 && main.height == 600) << main.width;
  // The small window: 100.000003 a third.
  screenWidth = screenHeight = 300.0f;
  EXPECT_EQ(columnSmallView(1).y, 199);
  EXPECT_EQ(columnSmallView(3).y, 0);
  EXPECT_EQ(columnMainView().width, 199);
}

}  // namespace
