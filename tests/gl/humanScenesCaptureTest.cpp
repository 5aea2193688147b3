// The human body's entries 23, 25 and 77 as the Timeline shows them, its limb
// cubes and arrows as pixels, and the title card's view.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/random.h"
#include "runtime/sceneTimers.h"
#include "runtime/screen.h"
#include "runtime/viewControls.h"
#include "scenes/human/humanDrawing.h"
#include "scenes/human/humanScene.h"
#include "sim/human/humanBody.h"
#include "tests/gl/sceneCapture.h"

namespace {

// Black but for the spectrum's corner, within a few levels.
bool blackScreen(int level = 0) {
  const ReadBack f = capturedFrame();
  auto lit = [level](Rgb c) { return std::max({c.r, c.g, c.b}) > level; };
  return f.count(0, 800, 130, 600, lit) + f.count(0, 680, 0, 130, lit) == 0;
}

// The figure under light and fog. Its dark red material lit by ambient 1.1
// and diffuse 1.8 stays below 0.06; at about 1.7 from the eye the fog of
// density 0.45 keeps exp(-0.45 x 1.7) = 0.47 of that and adds the rest of its
// grey 0.6: near 0.33 (85), a shade redder than green. Unlit, the cubes would
// take the colour in force; without fog they would be nearly black. The walls
// are lighter and tinted, the cleared background darker.
int figure(const ReadBack& f, int x0, int x1, int y0, int y1) {
  return f.count(x0, x1, y0, y1, [](Rgb c) {
    return c.r >= 64 && c.r <= 105 && c.r >= c.g && c.r - c.b <= 3 && std::abs(c.g - c.b) <= 2;
  });
}

double stepOf(int32_t frameMs) { return static_cast<double>(static_cast<float>(frameMs) * 0.1f); }

TEST(HumanScenesInCapture, TheGlimpseTurnsAndIsBlackAfterFiftyFramesOf20Ms) {
  ASSERT_TRUE(runUntil(22, 63000, 2));
  ASSERT_TRUE(runUntil(23, 0, 50));
  EXPECT_TRUE(jointParticle(Joint::footRight)->position.y == -0.9f && engineFade.fadeCounter == 4.0f);
  EXPECT_GT(figure(capturedFrame(), 0, 800, 0, 600), 40000);
  const double angleX = viewControls.viewAngleX;
  double turned = 0.0, angle = angleX;
  int frames = 1;
  for (; runUntil(23, 0, 50); ++frames) {
    EXPECT_TRUE(frames < 50 || blackScreen()) << frames;  // 200 after 50 frames
    turned += 0.2 * stepOf(current.frameMs);
    angle = viewControls.viewAngleX;
  }
  EXPECT_EQ(frames, 50);
  EXPECT_NEAR(angle - angleX, turned, 1e-9);
  EXPECT_NEAR(turned, 0.02 * 49 * 20, 1e-4);  // 0.02 degrees a millisecond
}

TEST(HumanScenesInCapture, ThreeSmallViewsBesideTheMainOneFadeOutOver2500Ms) {
  ASSERT_TRUE(runUntil(25, 0, 25));
  const int32_t start = current.timelineMs;
  EXPECT_EQ(humanBody.musclePhase, 0.04);  // a fresh body, one cycle on
  // Half, full and one and a half times the scale from the top, each view
  // showing more of the figure than the one above; the main view more still.
  const ReadBack f = capturedFrame();
  const int top = figure(f, 0, 266, 400, 600), middle = figure(f, 0, 266, 200, 400), low = figure(f, 0, 266, 0, 199);
  EXPECT_TRUE(top > 1000 && middle > 2.5 * top && low > 1.3 * middle) << top << " " << middle << " " << low;
  EXPECT_GT(figure(f, 266, 800, 0, 600), 3 * low);
  int black = -1;
  while (runUntil(25, 0, 25)) {
    if (black < 0 && blackScreen()) black = current.timelineMs - start;
  }
  EXPECT_TRUE(black >= 2480 && black <= 2560) << black;  // 0.08 a millisecond to 200
}

TEST(HumanScenesInCapture, TheFlashRisesFromBlackAndFallsBackAsTheCameraDrifts) {
  ASSERT_TRUE(runUntil(76, 189000, 2));
  ASSERT_TRUE(runUntil(77, 0, 60));
  const int32_t start = current.timelineMs;
  EXPECT_TRUE(world.stepSize == 0.005f && world.boxMinY == -0.9f && world.gravity.y == -3.0);
  EXPECT_TRUE(blackScreen(6));
  const ViewControls first = viewControls;
  ViewControls last;
  double drift = 0.0;
  int32_t visible = -1, black = -1;
  bool blackAtTheEnd = false;
  while (runUntil(77, 0, 60)) {
    drift += stepOf(current.frameMs);
    last = viewControls;
    const float in = engineFade.fadeCounter, back = humanScene.fadeBackCounter;
    EXPECT_TRUE(in > 200.0f || back == 0.0f) << in;
    if (visible < 0 && in > 200.0f) {
      visible = current.timelineMs - start;
      EXPECT_GT(figure(capturedFrame(), 0, 800, 0, 600), 20000);
    }
    if (black < 0 && back > 200.0f) black = current.timelineMs - start;
    blackAtTheEnd = blackScreen(4);
  }
  // In over 1000 ms, out again 2.4 times as fast, in 417 ms.
  EXPECT_TRUE(visible >= 980 && visible <= 1020) << visible;
  EXPECT_TRUE(black - visible >= 400 && black - visible <= 430) << black;
  EXPECT_TRUE(blackAtTheEnd);
  EXPECT_NEAR(last.viewShiftY - first.viewShiftY, -0.005 * drift, 1e-9);
  EXPECT_NEAR(last.viewShiftZ - first.viewShiftZ, 0.002 * drift, 1e-9);
}

// A unit is 800 window pixels, over an unlit grey canvas.
TEST(HumanDrawing, SixCubesFromTheSecondEndTowardsTheFirstAndArrowsEightyTimesTheStep) {
  runUntil(0, 0, 2);  // the window, if no capture has opened it yet
  world = {};
  startWorldLists(0);
  freshCanvas(0.5f);
  glDisable(GL_FOG);
  glMatrixMode(GL_PROJECTION);
  glOrtho(0.0, 800.0, 0.0, 600.0, -1000.0, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glScalef(800.0f, 800.0f, 800.0f);
  Particle* a = appendParticle(world.particles, 1.0f, 17, {0.9, 0.4, 0.0}, {}, 0.0);
  Particle* b = appendParticle(world.particles, 1.0f, 17, {0.1, 0.4, 0.0}, {}, 0.0);
  Particle* c = appendParticle(world.particles, 1.0f, 17, {0.1, 0.6, 0.0}, {1.0, 0.0, 0.0}, 0.0);
  Particle* d = appendParticle(world.particles, 1.0f, 8 | 17, {0.1, 0.2, 0.0}, {1.0, 0.0, 0.0}, 0.0);
  appendSpringMeasured(world.springs, a, b, {}, SpringShown);
  appendSpringMeasured(world.springs, c, d, {}, SpringShown | SpringHidden);
  drawLimbCubes();
  drawJointArrows();
  glDisable(GL_LIGHTING);
  const ReadBack f = readBackBuffer();
  // Nearly black cubes of 40 pixels, 0.18 x 640 = 115.2 apart from b at x =
  // 80 on; a at 720 is never reached, and the hidden tie shows none.
  std::vector<int> starts;
  for (int x = 1; x < 800; ++x) {
    if (f.at(x, 320).r < 40 && f.at(x - 1, 320).r >= 40) starts.push_back(x);
  }
  ASSERT_EQ(starts.size(), 6u);
  for (size_t i = 0; i < 6; ++i) EXPECT_NEAR(starts[i], 60 + 115.2 * static_cast<double>(i), 1.5) << i;
  EXPECT_TRUE(near(f.at(720, 320), 128, 128, 128, 0) && near(f.at(80, 390), 128, 128, 128, 0));
  // Velocity 1 over a time unit of 0.005, 80 times: a white shaft of 320
  // pixels from c; the hidden d has none.
  EXPECT_NEAR(f.extent(0, 800, 470, 490, [](Rgb p) { return p.r == 255 && p.g == 255; }).right, 400, 1);
  EXPECT_EQ(f.count(0, 800, 150, 170, [](Rgb p) { return p.r == 255; }), 0);
  world = {};
}

TEST(HumanDrawing, TheCardViewDrawsInsideItsViewportWithoutClearingAndLeavesTheFlatState) {
  runUntil(0, 0, 2);
  initHumanBodyReset();
  freshCanvas(0.5f);
  layoutViewport(200, 150, 400, 300);
  drawHumanView();
  const ReadBack f = readBackBuffer();
  const auto grey = [](Rgb c) { return near(c, 128, 128, 128, 0); };
  EXPECT_EQ(f.count(0, 800, 0, 600, grey) - f.count(200, 600, 150, 450, grey), 800 * 600 - 400 * 300);
  EXPECT_GT(figure(f, 200, 600, 150, 450), 5000);
  for (GLenum off : {GL_LIGHTING, GL_FOG, GL_BLEND}) EXPECT_FALSE(glIsEnabled(off)) << off;
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && matrixOf(GL_PROJECTION_MATRIX) == affine(1, 1, -1, 0, 0, 0));
  world = {};
}

}  // namespace
