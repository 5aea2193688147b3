// The pendulum rows (entries 19 to 42) and the rope (entry 73) as the
// Timeline shows them: the rows built, struck, frozen and re-framed, the
// fades, and the rope panel in its place.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "runtime/sceneTimers.h"
#include "runtime/sequencer.h"
#include "runtime/viewControls.h"
#include "scenes/planar/ropeScene.h"
#include "scenes/spatial/cradleScene.h"
#include "sim/planar/planarWorld.h"
#include "sim/spatial/world.h"
#include "tests/gl/sceneCapture.h"

namespace {

// Pendulum n of the row (1 to 8): its pivot and its bob.
Particle* pivot(int n) { return particleAt(2 * n - 2); }
Particle* bob(int n) { return particleAt(2 * n - 1); }

// Nothing but black outside the spectrum's corner.
bool blackScreen(const Shot& f) {
  auto lit = [](Rgb c) { return c.r + c.g + c.b > 0; };
  return f.count(0, 800, 130, 600, lit) + f.count(0, 680, 0, 130, lit) == 0;
}

// The balls under the light are dark grey in the fog (unlit they would be
// orange): darker than the cleared grey 0.5 and the walls.
int darkPixels(const Shot& f, int x0, int x1, int y0, int y1) {
  return f.count(x0, x1, y0, y1, [](Rgb c) { return c.r < 100 && std::abs(c.r - c.g) < 6 && std::abs(c.g - c.b) < 6; });
}

TEST(PendulumRowsInCapture, GlimpsesFadeToBlackAndTheSecondRowStandsBeyondTheWall) {
  ASSERT_TRUE(runUntil(18, 52500, 2));
  ASSERT_TRUE(runUntil(19, 0, 50));
  EXPECT_EQ(world.pendulumCount, 8);
  EXPECT_GT(darkPixels(Shot(), 0, 800, 0, 600), 1000);
  // Out to black over one second from the start, before the entry's 1.1 s
  // are over.
  bool black = false;
  while (runUntil(19, 0, 50)) black = black || blackScreen(Shot());
  EXPECT_TRUE(black);

  ASSERT_TRUE(runUntil(21, 0, 50));
  // The count runs on: pivots 9 to 16 stand 2/19 apart from 0.447 to 1.184.
  // The cycle advanced no time, but its collision pass put the balls
  // beyond x = 0.85 back against the wall.
  EXPECT_EQ(current.frameMs, 0);
  EXPECT_EQ(world.pendulumCount, 16);
  for (int n = 1; n <= 8; ++n) {
    const double x = (8 + n) * 2.0 / 19.0 - 0.5;
    EXPECT_NEAR(pivot(n)->position.x, x, 1e-7) << n;
    EXPECT_EQ(pivot(n)->position.y, 0.9);
    EXPECT_NEAR(bob(n)->position.x, std::min(n < 8 ? x : x + 0.3, 0.85), 1e-7) << n;
    EXPECT_EQ(bob(n)->position.y, n < 8 ? 0.4 : 0.9);
    EXPECT_EQ(bob(n)->velocity.x, 0.0);
  }
  // Closer by 2 % every frame.
  int frames = 1;
  bool blackAgain = false;
  while (runUntil(21, 0, 50)) {
    ++frames;
    blackAgain = blackAgain || blackScreen(Shot());
  }
  EXPECT_NEAR(viewControls.viewScaleX / 2.8, std::pow(1.02, frames), 1e-9);
  EXPECT_TRUE(blackAgain);
}

TEST(PendulumRowsInCapture, TheRaisedBallStrikesAndTheFarBallFliesOff) {
  ASSERT_TRUE(runUntil(26, 77000, 2));
  ASSERT_TRUE(runUntil(27, 0, 25));
  // A fresh row under gravity 18, its first cycle without time: the raised
  // ball still level with its pivot, the screen still black.
  const int32_t start = current.timelineMs;
  EXPECT_EQ(current.frameMs, 0);
  EXPECT_EQ(world.pendulumCount, 8);
  EXPECT_EQ(world.gravity.y, -18.0);
  EXPECT_EQ(bob(8)->position.y, 0.9);
  EXPECT_TRUE(blackScreen(Shot()));

  // The striker falls like a pendulum of length 0.4 from the horizontal: a
  // quarter swing is 1.18 x pi/2 sqrt(0.4/18) = 0.276 time units, 1.1 s at
  // 0.25 units a second.
  double strikeSpeed = 0.0;
  int32_t impactMs = -1;
  double farSpeed = 0.0, middleSpeed = 0.0;
  const auto nextFrame = [] { return runUntil(27, 0, 25) || runUntil(28, 0, 25); };
  while (nextFrame() && current.timelineMs < 81000) {
    const double v = std::fabs(bob(8)->velocity.x);
    if (impactMs < 0) {
      strikeSpeed = std::max(strikeSpeed, v);
      if (strikeSpeed > 1.0 && v < strikeSpeed / 4) impactMs = current.timelineMs - start;
      continue;
    }
    // The impact may take a frame or two to cross the row; once the far
    // ball is off, the balls between are left nearly at rest.
    farSpeed = std::max(farSpeed, -bob(1)->velocity.x);
    if (farSpeed < strikeSpeed / 2) continue;
    for (int n = 2; n <= 7; ++n) middleSpeed = std::max(middleSpeed, std::fabs(bob(n)->velocity.x));
  }
  EXPECT_GT(strikeSpeed, 2.5);
  EXPECT_TRUE(impactMs > 900 && impactMs < 1400) << impactMs;
  // Equal masses pass the momentum on through the touching row: the far
  // ball leaves at the striker's speed, the balls between barely move.
  EXPECT_NEAR(farSpeed / strikeSpeed, 1.0, 0.1);
  EXPECT_LT(middleSpeed, 0.1 * strikeSpeed);
  EXPECT_EQ(world.gravity.y, -12.0);
  // The inset's bevel is lit like the balls: dark on both sides.
  const Shot f;
  for (int y = 90; y < 210; y += 20) EXPECT_LT(f.at(100, y).r + f.at(299, y).r, 80) << y;
}

TEST(PendulumRowsInCapture, FreezeHoldsEveryParticleWhileThePicturePans) {
  ASSERT_TRUE(runUntil(29, 0, 25));
  std::vector<Vector3> held;
  for (const Particle* p = world.particles; p != nullptr; p = p->next) held.push_back(p->position);
  const Shot first;
  Shot last;
  const double startShift = viewControls.viewShiftX;
  double shift = startShift;
  int frames = 0;
  while (runUntil(29, 0, 25)) {
    ++frames;
    last = Shot();
    shift = viewControls.viewShiftX;
    size_t i = 0;
    for (const Particle* p = world.particles; p != nullptr; p = p->next, ++i) {
      EXPECT_TRUE(p->position == held[i]) << i << " at " << current.timelineMs;
    }
  }
  EXPECT_GT(frames, 25);
  // 0.005 x 0.1 a millisecond, to the left.
  EXPECT_NEAR(shift - startShift, -0.0005 * frames * 40, 1e-9);
  int changed = 0;
  for (int y = 150; y < 600; y += 3) {
    for (int x = 0; x < 800; x += 3) changed += !near(first.at(x, y), last.at(x, y).r, last.at(x, y).g, last.at(x, y).b, 8);
  }
  EXPECT_GT(changed, 1000);
  // Entry 30 runs the World on.
  ASSERT_TRUE(runUntil(30, 0, 25));
  EXPECT_FALSE(bob(1)->position == held[2]);
}

TEST(PendulumRowsInCapture, LayoutsLitAndFoggedInTheirViewports) {
  // Four views, all lit.
  ASSERT_TRUE(runUntil(30, 84500, 25));
  Shot grid;
  for (int q = 0; q < 4; ++q) {
    EXPECT_GT(darkPixels(grid, q / 2 * 400, q / 2 * 400 + 400, q % 2 * 300 + (q == 2 ? 130 : 0), q % 2 * 300 + 300), 50)
        << q;
  }
  EXPECT_EQ(grid.count(0, 800, 0, 600, [](Rgb c) { return c.r > 200 && c.g > 90 && c.g < 160 && c.b < 110; }), 0);

  // Framed: the left third only cleared grey, the frame's left edge from
  // x = 266, dark under the light that is still on.
  ASSERT_TRUE(runUntil(31, 85300, 25));
  const Shot framed;
  EXPECT_EQ(framed.count(0, 266, 0, 600, [](Rgb c) { return !near(c, 128, 128, 128, 0); }), 0);
  for (int y = 20; y < 580; y += 20) EXPECT_LT(framed.at(266, y).r, 40) << y;
  // The floor and right wall, (0.4, 0.3, 0.2), pulled towards the fog's
  // grey 0.6: red - green = 26 f and green - blue = 25 f at fog factor f.
  int floor = 0, clear = 0;
  for (int y = 0; y < 600; y += 2) {
    for (int x = 270; x < 800; x += 2) {
      const Rgb c = framed.at(x, y);
      if (c.r - c.g < 4 || std::abs((c.r - c.g) - (c.g - c.b)) > 2) continue;
      ++floor;
      clear += c.r - c.g > 21;  // a fog factor over 0.8
    }
  }
  EXPECT_GT(floor, 1000);
  EXPECT_EQ(clear, 0);

  // Three small views down the left third, each with its balls.
  ASSERT_TRUE(runUntil(34, 87200, 25));
  const Shot column;
  EXPECT_GT(darkPixels(column, 0, 266, 400, 600), 20);
  EXPECT_GT(darkPixels(column, 0, 266, 200, 399), 20);
  EXPECT_GT(darkPixels(column, 0, 266, 0, 199), 20);
}

TEST(PendulumRowsInCapture, HeavyBallsDropIntoTheRunningRow) {
  const auto heavyRadii = [] {
    std::vector<float> radii;
    for (const Sphere* s = world.spheres; s != nullptr; s = s->next) {
      if (s->flags == (SphereActive | 8)) {
        EXPECT_TRUE(s->carrier->mass == 93.0f && s->carrier->flags == (ParticleCollides | ParticleCarried));
        radii.push_back(s->radius);
      }
    }
    return radii;
  };
  ASSERT_TRUE(runUntil(35, 0, 25));
  EXPECT_EQ(heavyRadii(), std::vector<float>{0.14f});
  ASSERT_TRUE(runUntil(36, 0, 25));
  EXPECT_EQ(heavyRadii(), (std::vector<float>{0.14f, 0.1f, 0.08f}));
  ASSERT_TRUE(runUntil(42, 93400, 25));
  EXPECT_EQ(heavyRadii().size(), 3u);
  // The roll has run down by 0.001 a millisecond, and is still positive.
  EXPECT_TRUE(cradle.rollPhase > 1.9f && cradle.rollPhase < 2.2f) << cradle.rollPhase;
}

TEST(RopeInCapture, PanelRightOfCentreFixedEndsHoldTheBallIsThrownBack) {
  ASSERT_TRUE(runUntil(72, 165000, 2));
  ASSERT_TRUE(runUntil(73, 0, 25));
  // After the first collision pass the held beads stand still; those that
  // started beyond x = +-0.89 (beads 0, 38 and 39) are against the walls.
  std::vector<PlanarParticle*> beads;
  for (PlanarParticle* p = planarWorld.particles->next; p != nullptr; p = p->next) beads.push_back(p);
  ASSERT_EQ(beads.size(), 41u);
  PlanarParticle* ball = beads.back();
  std::vector<Vector3> held;
  for (int i = 0; i < 40; ++i) {
    const bool fixed = i < 5 || i > 32;
    EXPECT_EQ(beads[static_cast<size_t>(i)]->flags, fixed ? 6u : 21u) << i;
    const double x = std::clamp(i / 21.0 - 0.9, -0.89, 0.89);
    if (fixed) {
      EXPECT_NEAR(beads[static_cast<size_t>(i)]->position.x, x, 1e-6) << i;
    }
    held.push_back(beads[static_cast<size_t>(i)]->position);
  }
  double lowest = 1.0, highestAfter = -1.0, riseSpeed = 0.0;
  bool full = false;
  while (runUntil(73, 0, 25)) {
    for (int i : {0, 4, 33, 38, 39}) EXPECT_TRUE(beads[static_cast<size_t>(i)]->position == held[static_cast<size_t>(i)]);
    lowest = std::min(lowest, ball->position.y);
    if (ball->velocity.y > 0.0 && lowest < 0.25) {
      riseSpeed = std::max(riseSpeed, ball->velocity.y);
      highestAfter = std::max(highestAfter, ball->position.y);
    }
    // In full view: white inside 605..754 x 225..374, the grey outside.
    if (!full && ropeTimers.fadeIn >= 1.0f && ropeTimers.fadeOut == 0.0f) {
      full = true;
      const Shot f;
      for (int k = 4; k < 146; k += 10) {
        EXPECT_TRUE(near(f.at(605 + k, 229), 255, 255, 255, 0) && near(f.at(750, 225 + k), 255, 255, 255, 0)) << k;
        EXPECT_TRUE(background(f.at(604, 225 + k)) && background(f.at(755, 225 + k))) << k;
        EXPECT_TRUE(background(f.at(605 + k, 224)) && background(f.at(605 + k, 375))) << k;
      }
    }
  }
  EXPECT_TRUE(full);
  // The ball sinks into the rope (it sat on it at 0.1 + 0.2) and is thrown
  // back up.
  EXPECT_LT(lowest, 0.2);
  EXPECT_GT(riseSpeed, 0.5);
  EXPECT_GT(highestAfter, 0.35);
}

}  // namespace
