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

// Two balls on the surface, 100 pixels a unit, seen from above: x to the
// right, z downwards from the middle of the window.
class SurfaceDrawing : public testing::Test {
 protected:
  void SetUp() override {
    world = {}, resetDemoRand(), surfaceScene = {};
    buildSurface(SurfaceLoad::TwoBalls);
    updateSpheres(world.spheres);
    freshCanvas(0.5f);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-4.0, 4.0, -3.0, 3.0, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  }
  void TearDown() override {
    world = {}, resetDemoRand(), surfaceScene = {}, viewControls = {}, engineFade = {};
    resetSequencer();
    glDisable(GL_LIGHTING);
  }
  // The farthest any vertex lies from where a point of the World lands.
  static double reach(const std::vector<FeedbackPrimitive>& drawn, const Vector3& c) {
    double farthest = 0.0;
    for (const auto& primitive : drawn) {
      for (const auto& v : primitive) {
        farthest = std::max(farthest, std::hypot(v[0] - 400 - 100 * c.x, v[1] - 300 + 100 * c.z));
      }
    }
    return farthest;
  }
};

TEST_F(SurfaceDrawing, MeshCoversTheGridOnceLinksAndArrowsWhereTheyBelong) {
  // 81 cells of 20 x 20 pixels in 162 triangles, none overlapping; the first
  // over (0, 0), (0, 1), (1, 0): x = -1 (j) and z = -1 (i) at (300, 400).
  const auto mesh = feedbackPrimitives(drawSurfaceMesh);
  ASSERT_EQ(mesh.size(), 162u);
  double area = 0.0;
  for (const auto& t : mesh) {
    const double cross = (t[1][0] - t[0][0]) * (t[2][1] - t[0][1]) - (t[2][0] - t[0][0]) * (t[1][1] - t[0][1]);
    area += t.size() == 3 ? std::fabs(cross) / 2 : 1e9;
  }
  EXPECT_NEAR(area, 81 * 400.0, 0.5);
  const float first[3][2] = {{300, 400}, {320, 400}, {300, 380}};
  for (int v = 0; v < 3; ++v) EXPECT_TRUE(mesh[0][v][0] == first[v][0] && mesh[0][v][1] == first[v][1]) << v;
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  // Neighbours along both axes (20 pixels) and one diagonal (28.3), each
  // twice; the hidden links not at all.
  std::map<long, int> byLength;
  for (const auto& l : feedbackPrimitives(drawSurfaceLinks)) {
    ++byLength[std::lround(std::hypot(l[1][0] - l[0][0], l[1][1] - l[0][1]) * 10)];
  }
  EXPECT_EQ(byLength, (std::map<long, int>{{200, 360}, {283, 162}}));
  // Once the border lets go, 49 + 41 grid particles and the two balls move:
  // at 5 along x a shaft of 5 x 0.002 x 70 = 0.7, 70 pixels, and two head
  // strokes each.
  releaseSurfaceBorder();
  for (Particle* p = world.particles; p != nullptr; p = p->next) p->velocity = {5.0, 0.0, 0.0};
  const auto arrows = feedbackPrimitives(drawSurfaceArrows);
  ASSERT_EQ(arrows.size(), 92u * 3);
  for (size_t k = 0; k < arrows.size(); k += 3) EXPECT_NEAR(arrows[k][1][0] - arrows[k][0][0], 70.0f, 1e-3f);
}

TEST_F(SurfaceDrawing, RollingBallsWithoutTheGridsSpheresMarkedBallApart) {
  // The first ball (0.4) rolls as a ball of 0.39, a fixed sphere (0.3) as a
  // solid one of 0.28; the second ball, marked, is a wire ball of its full
  // 0.4. None of the grid's hundred spheres is drawn.
  const Vector3 fixed{2.0, 0.0, 1.5};
  appendSphere(world.spheres, 0.3f, fixed, 1.0f, SphereActive, nullptr);
  const auto modelView = matrixOf(GL_MODELVIEW_MATRIX);
  for (const BallLook look : {BallLook::Wire, BallLook::Solid}) {
    std::vector<FeedbackPrimitive> ball, obstacle;
    for (const auto& p : feedbackPrimitives([look] { drawRollingBalls(look); })) {
      (p.size() >= 3 && reach({p}, fixed) < 45.0 ? obstacle : ball).push_back(p);
    }
    EXPECT_TRUE(obstacle.size() > 500 && ball.size() > 500);
    const auto lines = [look](auto& p) { return (p.size() == 2) == (look == BallLook::Wire); };
    EXPECT_TRUE(std::all_of(ball.begin(), ball.end(), lines));
    EXPECT_NEAR(reach(ball, particleAt(100)->position), 39.0, 0.5);
    EXPECT_NEAR(reach(obstacle, fixed), 28.0, 0.5);
  }
  EXPECT_NEAR(reach(feedbackPrimitives(drawMarkedSpheres), particleAt(101)->position), 40.0, 0.5);
  EXPECT_EQ(matrixOf(GL_MODELVIEW_MATRIX), modelView);
}

// The displays at 800 x 600 with frames of 20 ms; each view found by its
// background colour inside its outline.
TEST_F(SurfaceDrawing, DropPanelsSlideInAndStopStripAndBallPanelsInPlace) {
  SequencerState state;
  state.frameMs = 20;
  resetSequencer(state);
  initSurfaceOneBall();
  stepOpenWorld(20);
  engineFade.fadeCounter = 201.0f;  // past the fade
  // 3 a frame: 198 after 66 frames, 201 after 67, then no more.
  ReadBack first;
  std::vector<float> slides;
  for (int n = 1; n <= 68; ++n) {
    displaySurfaceDrop();
    if (n == 1) first = capturedFrame();
    slides.push_back(surfaceScene.panelSlide);
  }
  EXPECT_TRUE(slides[65] == 198.0f && slides[66] == 201.0f && slides[67] == 201.0f);
  // The large view in dark olive, the panels in pale blue at x = 100 +
  // (slide - 200)/(k + 1): -97, 1, 34 in the first frame, 101, 100, 100 at
  // the end; 120 x 90 at y = 100, 250, 400. Around them the grey green clear.
  const ReadBack last = capturedFrame();
  expectFramedView(last, {200, 150, 560, 420}, 61, 61, 33);
  const int firstX[3] = {-97, 1, 34};
  for (int k = 0; k < 3; ++k) {
    expectFramedView(first, {firstX[k], 100 + 150 * k, 120, 90}, 138, 138, 148);
    expectFramedView(last, {k == 0 ? 101 : 100, 100 + 150 * k, 120, 90}, 138, 138, 148);
  }
  const auto notClear = [](Rgb c) { return !near(c, 102, 102, 76, 1); };
  EXPECT_EQ(last.count(0, 800, 572, 600, notClear) + last.count(762, 800, 130, 600, notClear), 0);

  // The strip: the large view in pale blue, the panels in olive at x = 440
  // and 712 once the slide has reached 400, where it stays.
  surfaceScene.panelSlide = 398.0f;
  displaySurfaceStrip();
  displaySurfaceStrip();
  EXPECT_EQ(surfaceScene.panelSlide, 400.0f);
  const ReadBack strip = capturedFrame();
  expectFramedView(strip, {42, 31, 600, 450}, 138, 138, 148);
  for (const int x : {440, 712}) expectFramedView(strip, {x, 450, 176, 132}, 61, 61, 33);

  // Four ball panels in slate at y = 66, x from 760 leftwards by 133.3; the
  // sway camera moved the wobble on by 20 x 0.1 x 0.005.
  surfaceScene.panelSlide = 200.0f;
  surfaceScene.panelCount = 4;
  displaySurfaceBallPanels();
  EXPECT_FLOAT_EQ(surfaceScene.surfaceWobble, 0.01f);
  const ReadBack panels = capturedFrame();
  expectFramedView(panels, {266, 200, 560, 420}, 138, 138, 135);
  for (const int x : {760, 626, 493, 359}) expectFramedView(panels, {x, 66, 80, 60}, 61, 61, 71);
}

TEST_F(SurfaceDrawing, CardViewDrawsTheSurfaceAndLeavesTheFlatState) {
  freshCanvas(0.5f);
  initSurfaceCard();
  stepOpenWorld(20);
  drawSurfaceCardView();
  EXPECT_GT(pixelsOtherThan(readBackBuffer(), 128, 2), 5000);
  for (GLenum off : {GL_LIGHTING, GL_FOG, GL_BLEND}) EXPECT_FALSE(glIsEnabled(off)) << off;
  EXPECT_EQ(matrixOf(GL_PROJECTION_MATRIX), affine(1, 1, -1, 0, 0, 0));
  EXPECT_EQ(matrixOf(GL_MODELVIEW_MATRIX), affine(1, 1, 1, 0, 0, 0));
}

}  // namespace
