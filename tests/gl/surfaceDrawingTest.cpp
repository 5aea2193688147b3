// The colliding surface's drawings as the pipeline receives them (feedback
// mode, window coordinates), and the displays' views and panels where the
// layout puts them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/random.h"
#include "runtime/sceneTimers.h"
#include "runtime/sequencer.h"
#include "runtime/viewControls.h"
#include "scenes/surfaces/surfaceDrawing.h"
#include "scenes/surfaces/surfaceScene.h"
#include "sim/spatial/worldStep.h"
#include "sim/surfaces/surface.h"
#include "tests/gl/glProbe.h"

namespace {

// 100 pixels a unit, seen from above: x to the right, z downwards from the
// middle of the window, y towards the viewer.
class SurfaceDrawing : public testing::Test {
 protected:
  void SetUp() override {
    world = {};
    resetDemoRand();
    buildSurface(SurfaceLoad::TwoBalls);
    updateSpheres(world.spheres);
    freshCanvas(0.5f);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-4.0, 4.0, -3.0, 3.0, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  }
  void TearDown() override {
    world = {};
    resetDemoRand();
    glDisable(GL_LIGHTING);
  }
  // Where a point of the World lands in the window.
  static std::pair<double, double> window(const Vector3& p) { return {400.0 + 100.0 * p.x, 300.0 - 100.0 * p.z}; }
  // The farthest any vertex lies from a point, across the window.
  static double reach(const std::vector<FeedbackPrimitive>& drawn, const Vector3& centre) {
    const auto [cx, cy] = window(centre);
    double farthest = 0.0;
    for (const auto& primitive : drawn) {
      for (const auto& v : primitive) farthest = std::max(farthest, std::hypot(v[0] - cx, v[1] - cy));
    }
    return farthest;
  }
};

double area(const FeedbackPrimitive& t) {
  return std::fabs((t[1][0] - t[0][0]) * (t[2][1] - t[0][1]) - (t[2][0] - t[0][0]) * (t[1][1] - t[0][1])) / 2.0;
}

TEST_F(SurfaceDrawing, MeshCoversTheGridOnceLinksAndArrowsWhereTheyBelong) {
  // 81 cells of 20 x 20 pixels in 162 triangles, none overlapping; the first
  // over (0, 0), (0, 1), (1, 0): x = -1 (j) and z = -1 (i) at (300, 400).
  const auto mesh = feedbackPrimitives(drawSurfaceMesh);
  ASSERT_EQ(mesh.size(), 162u);
  double total = 0.0;
  for (const auto& t : mesh) total += t.size() == 3 ? area(t) : -1e9;
  EXPECT_NEAR(total, 81 * 400.0, 0.5);
  const float first[3][2] = {{300, 400}, {320, 400}, {300, 380}};
  for (int v = 0; v < 3; ++v) EXPECT_TRUE(mesh[0][v][0] == first[v][0] && mesh[0][v][1] == first[v][1]) << v;
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));

  // Neighbours along both axes (20 pixels) and one diagonal (28.3), each
  // twice; the hidden links not at all.
  std::map<int, int> byLength;
  for (const auto& line : feedbackPrimitives(drawSurfaceLinks)) {
    ++byLength[static_cast<int>(std::lround(std::hypot(line[1][0] - line[0][0], line[1][1] - line[0][1]) * 10))];
  }
  EXPECT_EQ(byLength, (std::map<int, int>{{200, 360}, {283, 162}}));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

  // Once the border lets go, 49 + 41 grid particles and the two balls move:
  // at 5 along x a shaft of 5 x 0.002 x 70 = 0.7, 70 pixels, and two head
  // strokes each. The pinned edge draws none.
  releaseSurfaceBorder();
  for (Particle* p = world.particles; p != nullptr; p = p->next) p->velocity = {5.0, 0.0, 0.0};
  const auto arrows = feedbackPrimitives(drawSurfaceArrows);
  ASSERT_EQ(arrows.size(), 92u * 3);
  for (size_t k = 0; k < arrows.size(); k += 3) EXPECT_NEAR(arrows[k][1][0] - arrows[k][0][0], 70.0f, 1e-3f);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(SurfaceDrawing, RollingBallsWithoutTheGridsSpheresMarkedBallApart) {
  // The first ball (0.4) rolls as a ball of 0.39, a fixed sphere (0.3) as a
  // solid one of 0.28; the second ball, marked, is a wire ball of its full
  // 0.4. None of the grid's hundred spheres is drawn.
  const Vector3 fixed{2.0, 0.0, 1.5};
  appendSphere(world.spheres, 0.3f, fixed, 1.0f, SphereActive, nullptr);
  const Vector3 first = particleAt(100)->position;
  const auto modelView = matrixOf(GL_MODELVIEW_MATRIX);
  for (const BallLook look : {BallLook::Wire, BallLook::Solid}) {
    const auto drawn = feedbackPrimitives([look] { drawRollingBalls(look); });
    std::vector<FeedbackPrimitive> ball, obstacle;
    for (const auto& prim : drawn) {
      (prim.size() == 2 ? ball : prim.size() >= 3 && reach({prim}, fixed) < 45.0 ? obstacle : ball).push_back(prim);
    }
    EXPECT_TRUE(obstacle.size() > 500 && (look == BallLook::Wire || ball.size() > 500));
    EXPECT_NEAR(reach(ball, first), 39.0, 0.5);
    EXPECT_NEAR(reach(obstacle, fixed), 28.0, 0.5);
    EXPECT_TRUE(look == BallLook::Solid || std::all_of(ball.begin(), ball.end(), [](auto& p) { return p.size() == 2; }));
  }
  EXPECT_NEAR(reach(feedbackPrimitives(drawMarkedSpheres), particleAt(101)->position), 40.0, 0.5);
  EXPECT_EQ(matrixOf(GL_MODELVIEW_MATRIX), modelView);
}

// The views of a display at 800 x 600, each found by its background colour:
// inside its outline (2 pixels wide, half of it over the view's edge) from
// x + 1 to x + width - 2.
class SurfaceDisplays : public testing::Test {
 protected:
  void SetUp() override {
    world = {};
    resetDemoRand();
    surfaceScene = {};
    SequencerState state;
    state.frameMs = 20;
    resetSequencer(state);
  }
  void TearDown() override {
    world = {};
    surfaceScene = {};
    viewControls = {};
    engineFade = {};
    resetSequencer();
    resetDemoRand();
  }
};

TEST_F(SurfaceDisplays, DropPanelsSlideInFromTheLeftAndStop) {
  initSurfaceOneBall();
  stepOpenWorld(20);
  engineFade.fadeCounter = 201.0f;  // past the fade
  // 3 a frame of 20 ms: 198 after 66 frames, 201 after 67, then no more.
  ReadBack first;
  std::vector<float> slides;
  for (int n = 1; n <= 68; ++n) {
    displaySurfaceDrop();
    if (n == 1) first = capturedFrame();
    slides.push_back(surfaceScene.panelSlide);
  }
  EXPECT_TRUE(slides[65] == 198.0f && slides[66] == 201.0f && slides[67] == 201.0f);
  const ReadBack last = capturedFrame();
  // The large view in dark olive at (200, 150, 560, 420); the panels in pale
  // blue at x = 100 + (slide - 200)/(k + 1): -97, 1, 34 in the first frame,
  // 101, 100, 100 at the end; 120 x 90 at y = 100, 250, 400.
  expectFramedView(last, {200, 150, 560, 420}, 61, 61, 33);
  for (int k = 0; k < 3; ++k) {
    const int firstX[3] = {-97, 1, 34};
    expectFramedView(first, {firstX[k], 100 + 150 * k, 120, 90}, 138, 138, 148);
    expectFramedView(last, {k == 0 ? 101 : 100, 100 + 150 * k, 120, 90}, 138, 138, 148);
  }
  // The grey green clear around them, for the next frame's clear too.
  EXPECT_EQ(last.count(0, 800, 572, 600, [](Rgb c) { return !near(c, 102, 102, 76, 1); }), 0);
  EXPECT_EQ(last.count(762, 800, 130, 600, [](Rgb c) { return !near(c, 102, 102, 76, 1); }), 0);
}

TEST_F(SurfaceDisplays, StripRowAlongTheTopBallPanelsAlongTheBottom) {
  initSurfaceTwoBalls();
  stepOpenWorld(20);
  // The strip's large view in pale blue; its panels in olive, 176 x 132 at
  // y = 450, x = 640 + 272 k - (slide - 200): 440 and 712 once the slide
  // has reached 400, where it stays.
  surfaceScene.panelSlide = 398.0f;
  displaySurfaceStrip();
  displaySurfaceStrip();
  EXPECT_EQ(surfaceScene.panelSlide, 400.0f);
  const ReadBack strip = capturedFrame();
  expectFramedView(strip, {42, 31, 600, 450}, 138, 138, 148);
  expectFramedView(strip, {440, 450, 176, 132}, 61, 61, 33);
  expectFramedView(strip, {712, 450, 176, 132}, 61, 61, 33);

  // Four ball panels, 80 x 60 at y = 66, from x = 760 leftwards by 133.3, in
  // slate over the risen inset; the sway camera moved the wobble on by
  // 20 x 0.1 x 0.005.
  surfaceScene.panelSlide = 200.0f;
  surfaceScene.panelCount = 4;
  displaySurfaceBallPanels();
  EXPECT_FLOAT_EQ(surfaceScene.surfaceWobble, 0.01f);
  const ReadBack panels = capturedFrame();
  expectFramedView(panels, {266, 200, 560, 420}, 138, 138, 135);
  for (int n = 0; n < 4; ++n) {
    const int x[4] = {760, 626, 493, 359};
    expectFramedView(panels, {x[n], 66, 80, 60}, 61, 61, 71);
  }
}

TEST(SurfaceCard, SurfaceWithItsBallInTheCardLeavingTheFlatState) {
  freshCanvas(0.5f);
  world = {};
  resetDemoRand();
  initSurfaceCard();
  stepOpenWorld(20);
  drawSurfaceCardView();
  EXPECT_GT(pixelsOtherThan(readBackBuffer(), 128, 2), 5000);
  for (GLenum off : {GL_LIGHTING, GL_FOG, GL_BLEND}) EXPECT_FALSE(glIsEnabled(off)) << off;
  EXPECT_EQ(matrixOf(GL_PROJECTION_MATRIX), affine(1, 1, -1, 0, 0, 0));
  EXPECT_EQ(matrixOf(GL_MODELVIEW_MATRIX), affine(1, 1, 1, 0, 0, 0));
  world = {};
  viewControls = {};
}

}  // namespace
