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

// Runs the entry to its end; the last frame it showed. The first cycle of
// the next entry has run too.
ReadBack lastFrameOf(int entry) {
  ReadBack last;
  while (run(entry)) last = capturedFrame();
  return last;
}

// Pixels brighter than the level, outside the spectrum's corner.
int litPixels(const ReadBack& f, int level) {
  auto lit = [level](Rgb c) { return std::max({c.r, c.g, c.b}) > level; };
  return f.count(0, 800, 130, 600, lit) + f.count(0, 680, 0, 130, lit);
}

TEST(SurfacesInCapture, BallsDroppedFadingInAndOutTheBorderLetGo) {
  // Entry 75: a new surface with one ball, black at first, in full view on
  // the twentieth frame (1 s); the panels stop 1.33 s in (0.15 a ms).
  ASSERT_TRUE(runUntil(74, 183000, 2));
  ASSERT_TRUE(run(75));
  EXPECT_TRUE(spheres().size() == 102u && litPixels(capturedFrame(), 20) == 0);
  for (int frame = 2; frame <= 20; ++frame) ASSERT_TRUE(run(75));
  expectFramedView(capturedFrame(), {200, 150, 560, 420}, 61, 61, 33);
  for (int frame = 21; frame <= 28; ++frame) ASSERT_TRUE(run(75));
  EXPECT_TRUE(surfaceScene.panelSlide >= 200.0f && surfaceScene.panelSlide < 200.0f + 7.5f);
  // Entry 76 fades out over 1.8 s, longer than its 1.3 s.
  lastFrameOf(75);
  EXPECT_GT(litPixels(lastFrameOf(76), 30), 20000);
  // Entry 78: a fresh surface with two balls, black at first. Entry 79 ends
  // with it and lives for the one cycle after it.
  ASSERT_TRUE(run(78));
  EXPECT_TRUE(spheres().size() == 103u && litPixels(capturedFrame(), 20) == 0);
  lastFrameOf(78);
  EXPECT_EQ(current.entry, 79);
  // Entry 80 lets the border go but for the j = 9 edge.
  ASSERT_TRUE(run(80));
  int free = 0;
  for (const auto& row : surfaceGrid()) {
    for (int j = 0; j < 10; ++j) free += (row[j]->flags & ParticleFixed) == 0 ? 1 : j == 9 ? 0 : 100;
  }
  EXPECT_EQ(free, 49 + 41);
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

TEST(SurfacesInCapture, FinaleBreathesDriftsAndFadesToBlack) {
  ASSERT_TRUE(run(89));  // its second cycle
  EXPECT_EQ(surfaceScene.panelCount, 4);
  const int32_t start = current.timelineMs;
  // The large view grows to the left by up to 50 pixels, from x = 266, over
  // the first 2 s and shrinks back; the phase stops at or just below 0. Its
  // grey (fading, as everything) stands against the greener clear colour.
  const auto grey = [](Rgb c) { return c.r > 60 && std::abs(c.r - c.b) <= 4; };
  int leftmost = 800;
  while (run(89) && current.timelineMs - start < 2200) {
    leftmost = std::min(leftmost, capturedFrame().extent(0, 800, 500, 560, grey).left);
  }
  EXPECT_TRUE(surfaceScene.zoomPhase <= 0.0f && surfaceScene.zoomPhase > -0.01f);
  EXPECT_NEAR(leftmost, 217, 1);
  // Meanwhile the large view has risen from y = 200 and the inset's top sunk
  // from 331, by 0.05 a ms since the cycle before the entry (two cycles
  // before `start`): the large view as it stood before this frame's move,
  // the inset after it. Their outlines cover a pixel inside.
  const double rise = 0.05 * (current.timelineMs - start + 1000 / fps);
  const ReadBack f = capturedFrame();
  EXPECT_NEAR(f.extent(600, 601, 0, 600, grey).bottom, 200 + rise + 1, 1.5);
  EXPECT_NEAR(f.extent(200, 201, 0, 600, [](Rgb c) { return c.b >= c.r + 5; }).top, 331 - rise - 2.5 - 2, 1.5);
  EXPECT_EQ(litPixels(lastFrameOf(89), 0), 0);
  // A falling ball is stopped within 0.01 (the unit tests); resting on the
  // grid, or pressing on a pinned sphere that takes its push without moving,
  // it settles in further, but less than a grid sphere's 0.14.
  EXPECT_TRUE(deepest > 0.0 && deepest < 0.1) << deepest;
}

}  // namespace
