// The colliding surfaces (entries 75 to 89) as the Timeline shows them.
// Every cycle from entry 75 on, no ball has passed into a grid sphere by as
// much as its diameter: the balls rest on the grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "runtime/sceneTimers.h"
#include "scenes/surfaces/surfaceScene.h"
#include "sim/surfaces/surface.h"
#include "tests/gl/sceneCapture.h"

namespace {

constexpr int fps = 20;

// The deepest any ball has sunk into a grid sphere in the cycles run here.
double deepest = -1.0;

std::vector<const Sphere*> spheres() {
  std::vector<const Sphere*> all;
  for (const Sphere* s = world.spheres; s != nullptr; s = s->next) all.push_back(s);
  return all;
}

// Runs a cycle of the entry (from its moment on) and measures how deep the
// balls sit in the grid.
bool run(int entry, int32_t ms = 0) {
  if (!runUntil(entry, ms, fps)) return false;
  const auto all = spheres();
  for (size_t ball = 101; ball < all.size(); ++ball) {
    for (size_t k = 1; k <= 100; ++k) {
      const double gap = (all[k]->position - all[ball]->position).length();
      deepest = std::max(deepest, all[k]->radius + all[ball]->radius - gap);
    }
  }
  return true;
}

// Runs the entry to its end; the last frame it showed. The cycle after it,
// of the next entry, has run too.
ReadBack lastFrameOf(int entry, int32_t ms = 0) {
  ReadBack last;
  while (run(entry, ms)) last = capturedFrame();
  return last;
}

// Pixels brighter than the level, outside the spectrum's corner (x from
// 680, y below 130).
int litPixels(const ReadBack& f, int level) {
  auto lit = [level](Rgb c) { return std::max({c.r, c.g, c.b}) > level; };
  return f.count(0, 800, 130, 600, lit) + f.count(0, 680, 0, 130, lit);
}

TEST(SurfacesInCapture, OneBallDroppedWhileThePanelsSlideIn) {
  ASSERT_TRUE(runUntil(74, 183000, 2));
  ASSERT_TRUE(run(75));
  // A new surface with one ball, fading in from black.
  EXPECT_EQ(spheres().size(), 102u);
  EXPECT_EQ(litPixels(capturedFrame(), 20), 0);
  // In full view 1 s in, the twentieth frame; the panels stop 1.33 s in
  // (0.15 a millisecond).
  for (int frame = 2; frame <= 20; ++frame) ASSERT_TRUE(run(75));
  expectFramedView(capturedFrame(), {200, 150, 560, 420}, 61, 61, 33);
  const int32_t start = current.timelineMs;
  while (run(75) && current.timelineMs - start < 400) {
  }
  expectFramedView(capturedFrame(), dropPanel(0, surfaceScene.panelSlide), 138, 138, 148);
  EXPECT_TRUE(surfaceScene.panelSlide >= 200.0f && surfaceScene.panelSlide < 200.0f + 7.5f);
}

TEST(SurfacesInCapture, StripsFadeOutThenTwoBallsFadeIn) {
  // Entry 76 keeps the surface and fades out over 1.8 s, longer than its
  // 1.3 s: at its end the large view's pale blue is down to 1 - 1.3/1.8.
  const Sphere* ball = spheres().back();
  const ReadBack out = lastFrameOf(76);
  EXPECT_EQ(spheres().back(), ball);
  const int level = static_cast<int>(138 * (1.0 - 1300.0 / 1818.0));
  EXPECT_GT(out.count(42, 642, 31, 481, [level](Rgb c) { return near(c, level, level, level + 1, 4); }), 20000);
  // Entry 78: a fresh surface with two balls, black at first, in full view
  // after 2 s; the strip panels stop 4 s in, the first at x = 440.
  ASSERT_TRUE(run(78));
  EXPECT_EQ(spheres().size(), 103u);
  EXPECT_EQ(litPixels(capturedFrame(), 20), 0);
  const ReadBack f = lastFrameOf(78, 195500);
  expectFramedView(f, {42, 31, 600, 450}, 138, 138, 148);
  expectFramedView(f, {440, 450, 176, 132}, 61, 61, 33);
  // Entry 79 ends with 78: it lives for the one cycle that ended the loop.
  EXPECT_EQ(current.entry, 79);
}

TEST(SurfacesInCapture, BorderLetGoButTheFarEdge) {
  ASSERT_TRUE(run(80));
  const SurfaceGrid grid = surfaceGrid();
  int free = 0;
  for (int i = 0; i < 10; ++i) {
    for (int j = 0; j < 10; ++j) free += (grid[i][j]->flags & ParticleFixed) == 0;
    EXPECT_NE(grid[i][9]->flags & ParticleFixed, 0u) << i;
  }
  EXPECT_EQ(free, 49 + 41);
  // In the entry's 0.1 time units the corner opposite the pinned edge would
  // fall 0.1 freely; the springs hold it back, but not by half.
  const double corner = grid[0][0]->position.y;
  lastFrameOf(80);
  EXPECT_LT(grid[0][0]->position.y, corner - 0.05);
}

TEST(SurfacesInCapture, OneToFourBallPanels) {
  for (int entry = 85; entry <= 88; ++entry) {
    const ReadBack f = lastFrameOf(entry);
    for (int n = 0; n < 4; ++n) {
      const PixelRect r = ballPanel(n);
      const int slate = f.count(r.x, std::min(r.x + r.width, 800), r.y, r.y + r.height,
                                [](Rgb c) { return near(c, 61, 61, 71, 1); });
      EXPECT_EQ(slate > 500, n < entry - 84) << entry << " " << n;
    }
  }
}

TEST(SurfacesInCapture, FinaleBreathesThenFadesToBlack) {
  ASSERT_TRUE(run(89));  // its second cycle
  EXPECT_EQ(surfaceScene.panelCount, 4);
  const int32_t start = current.timelineMs;
  // The large view grows to the left by up to 50 pixels, from x = 266, over
  // the first 2 s and shrinks back; the phase stops at or just below 0.
  int leftmost = 800;
  while (run(89) && current.timelineMs - start < 2200) {
    const ReadBack f = capturedFrame();
    // Its grey (fading, as everything) against the greener clear colour.
    const auto grey = [](Rgb c) { return c.r > 60 && std::abs(c.r - c.b) <= 4; };
    leftmost = std::min(leftmost, f.extent(0, 800, 500, 560, grey).left);
  }
  EXPECT_TRUE(surfaceScene.zoomPhase <= 0.0f && surfaceScene.zoomPhase > -0.01f);
  EXPECT_NEAR(leftmost, 217, 1);
  // Meanwhile the large view has risen from y = 200 and the inset's top sunk
  // from 331, by 0.05 a millisecond since the cycle before the entry (two
  // cycles before `start`): the large view as it stood before this frame's
  // move, the inset after it. Their outlines cover a pixel inside.
  const double rise = 0.05 * (current.timelineMs - start + 1000 / fps);
  const double sunk = 0.05 * (current.timelineMs - start + 2 * 1000 / fps);
  const ReadBack f = capturedFrame();
  const int bottom = f.extent(600, 601, 0, 600, [](Rgb c) { return c.r > 60 && std::abs(c.r - c.b) <= 4; }).bottom;
  const int insetTop = f.extent(200, 201, 0, 600, [](Rgb c) { return c.b >= c.r + 5; }).top;
  EXPECT_NEAR(bottom, 200 + rise + 1, 1.5);
  EXPECT_NEAR(insetTop, 331 - sunk - 2, 1.5);
  EXPECT_EQ(litPixels(lastFrameOf(89), 0), 0);
  // A falling ball is stopped within 0.01 (the unit tests); resting on the
  // grid, or pressing on a pinned sphere that takes its push without moving,
  // it settles in further, but less than a grid sphere's 0.14.
  EXPECT_TRUE(deepest > 0.0 && deepest < 0.1) << deepest;
}

}  // namespace
