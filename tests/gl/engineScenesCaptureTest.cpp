// The pendulum rows (entries 19 to 42) and the rope (entry 73) as the
// Timeline shows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

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

// Black but for the spectrum's corner.
bool blackScreen() {
  const ReadBack f = capturedFrame();
  auto lit = [](Rgb c) { return c.r + c.g + c.b > 0; };
  return f.count(0, 800, 130, 600, lit) + f.count(0, 680, 0, 130, lit) == 0;
}

// Balls under the light are dark grey in the fog (unlit they would be
// orange), darker than the cleared grey 0.5 and the walls.
int balls(const ReadBack& f, int x0, int x1, int y0, int y1) {
  return f.count(x0, x1, y0, y1, [](Rgb c) { return c.r < 100 && std::abs(c.r - c.g) < 6 && std::abs(c.g - c.b) < 6; });
}

TEST(PendulumRowsInCapture, GlimpsesFadeToBlackAndTheSecondRowStandsBeyondTheWall) {
  ASSERT_TRUE(runUntil(18, 52500, 2));
  ASSERT_TRUE(runUntil(19, 0, 50));
  EXPECT_GT(balls(capturedFrame(), 0, 800, 0, 600), 1000);
  bool black = false;  // within the entry's 1.1 s
  while (runUntil(19, 0, 50)) black = black || blackScreen();
  EXPECT_TRUE(black);

  // Pivots 9 to 16, 2/19 apart from 0.447 to 1.184. The cycle advanced no
  // time, but its collision pass put balls beyond x = 0.85 against the wall.
  ASSERT_TRUE(runUntil(21, 0, 50));
  EXPECT_EQ(current.frameMs, 0);
  for (int n = 1; n <= 8; ++n) {
    const double x = (8 + n) * 2.0 / 19.0 - 0.5;
    EXPECT_NEAR(pivot(n)->position.x, x, 1e-7) << n;
    EXPECT_NEAR(bob(n)->position.x, std::min(n < 8 ? x : x + 0.3, 0.85), 1e-7) << n;
    EXPECT_EQ(bob(n)->position.y, n < 8 ? 0.4 : 0.9);
  }
  int frames = 1;  // 2 % closer each
  for (black = false; runUntil(21, 0, 50); ++frames) black = black || blackScreen();
  EXPECT_NEAR(viewControls.viewScaleX / 2.8, std::pow(1.02, frames), 1e-9);
  EXPECT_TRUE(black);
}

TEST(PendulumRowsInCapture, TheRaisedBallStrikesAndTheFarBallFliesOff) {
  ASSERT_TRUE(runUntil(26, 77000, 2));
  ASSERT_TRUE(runUntil(27, 0, 25));
  // A new row under gravity 18, built in a cycle without time, fading in.
  const int32_t start = current.timelineMs;
  EXPECT_TRUE(current.frameMs == 0 && world.gravity.y == -18.0 && bob(8)->position.y == 0.9);
  EXPECT_TRUE(blackScreen());
  // A pendulum of length 0.4 let go from level with its pivot swings down in
  // 1.18 x pi/2 x sqrt(0.4/18) = 0.276 time units: 1.1 s at 0.25 a second.
  double strike = 0.0, far = 0.0, middle = 0.0;
  int32_t impactMs = -1;
  while ((runUntil(27, 0, 25) || runUntil(28, 0, 25)) && current.timelineMs < 81000) {
    if (impactMs < 0) {
      strike = std::max(strike, std::fabs(bob(8)->velocity.x));
      if (strike > 1.0 && std::fabs(bob(8)->velocity.x) < strike / 4) impactMs = current.timelineMs - start;
      continue;
    }
    // The impact crosses the row within a frame or two; once the far ball
    // is off, the balls between are left nearly at rest.
    far = std::max(far, -bob(1)->velocity.x);
    for (int n = 2; n <= 7 && far > strike / 2; ++n) middle = std::max(middle, std::fabs(bob(n)->velocity.x));
  }
  EXPECT_GT(strike, 2.5);
  EXPECT_TRUE(impactMs > 900 && impactMs < 1400) << impactMs;
  EXPECT_NEAR(far / strike, 1.0, 0.1);  // equal masses pass the momentum on
  EXPECT_LT(middle, 0.1 * strike);
  // The inset's bevel is lit like the balls: dark on both sides.
  const ReadBack f = capturedFrame();
  for (int y = 90; y < 210; y += 20) EXPECT_LT(f.at(100, y).r + f.at(299, y).r, 80) << y;
}

TEST(PendulumRowsInCapture, FreezeHoldsEveryParticleWhileThePicturePans) {
  ASSERT_TRUE(runUntil(29, 0, 25));
  std::vector<Vector3> held;
  for (const Particle* p = world.particles; p != nullptr; p = p->next) held.push_back(p->position);
  const ReadBack first = capturedFrame();
  const double startShift = viewControls.viewShiftX;
  double shift = startShift;
  int frames = 0;
  while (runUntil(29, 0, 25)) {
    ++frames;
    shift = viewControls.viewShiftX;
    size_t i = 0;
    for (const Particle* p = world.particles; p != nullptr; p = p->next, ++i) EXPECT_TRUE(p->position == held[i]);
  }
  EXPECT_GT(frames, 25);
  EXPECT_NEAR(shift - startShift, -0.0005 * frames * 40, 1e-9);  // 0.005 x 0.1 a millisecond
  const ReadBack last = capturedFrame();
  int moved = 0;  // while the picture pans
  for (int y = 150; y < 600; y += 3) {
    for (int x = 0; x < 800; x += 3) moved += !near(first.at(x, y), last.at(x, y).r, last.at(x, y).g, last.at(x, y).b, 8);
  }
  EXPECT_GT(moved, 1000);
  ASSERT_TRUE(runUntil(30, 0, 25));  // and runs on
  EXPECT_FALSE(bob(1)->position == held[2]);
}

TEST(PendulumRowsInCapture, LayoutsLitAndFoggedInTheirViewports) {
  ASSERT_TRUE(runUntil(30, 84500, 25));
  const ReadBack grid = capturedFrame();
  for (int q = 0; q < 4; ++q) {
    EXPECT_GT(balls(grid, q / 2 * 400, q / 2 * 400 + 400, q % 2 * 300 + (q == 2 ? 130 : 0), q % 2 * 300 + 300), 50);
  }
  // Framed: the left third only cleared, the frame's edge at x = 266 dark
  // under the light that is still on. The floor's and right wall's (0.4,
  // 0.3, 0.2) are pulled to the fog's 0.6: red - green = 26 f, green - blue
  // = 25 f at fog factor f, below 0.8 at the camera's distance.
  ASSERT_TRUE(runUntil(31, 85300, 25));
  const ReadBack framed = capturedFrame();
  EXPECT_EQ(framed.count(0, 266, 0, 600, [](Rgb c) { return !near(c, 128, 128, 128, 0); }), 0);
  for (int y = 20; y < 580; y += 20) EXPECT_LT(framed.at(266, y).r, 40) << y;
  const auto floor = [](int fogged) {
    return [fogged](Rgb c) { return c.r - c.g >= 4 && std::abs(c.r - c.g - c.g + c.b) <= 2 && (c.r - c.g > 21) != fogged; };
  };
  EXPECT_GT(framed.count(270, 800, 0, 600, floor(true)), 4000);
  EXPECT_EQ(framed.count(270, 800, 0, 600, floor(false)), 0);
  // Three small views down the left third.
  ASSERT_TRUE(runUntil(34, 87200, 25));
  const ReadBack column = capturedFrame();
  for (const int y : {0, 200, 400}) EXPECT_GT(balls(column, 0, 266, y, y + 199), 20) << y;
}

TEST(PendulumRowsInCapture, HeavyBallsDropIntoTheRunningRow) {
  const auto heavyRadii = [] {
    std::vector<float> radii;
    for (const Sphere* s = world.spheres; s != nullptr; s = s->next) {
      if (s->flags != (SphereActive | 8)) continue;
      EXPECT_TRUE(s->carrier->mass == 93.0f && s->carrier->flags == (ParticleCollides | ParticleCarried));
      radii.push_back(s->radius);
    }
    return radii;
  };
  ASSERT_TRUE(runUntil(35, 0, 25));
  EXPECT_EQ(heavyRadii(), std::vector<float>{0.14f});
  ASSERT_TRUE(runUntil(36, 0, 25));
  EXPECT_EQ(heavyRadii(), (std::vector<float>{0.14f, 0.1f, 0.08f}));
  ASSERT_TRUE(runUntil(42, 93400, 25));
  EXPECT_EQ(heavyRadii().size(), 3u);
  EXPECT_TRUE(cradle.rollPhase > 1.9f && cradle.rollPhase < 2.2f);  // 0.001 a millisecond
}

TEST(RopeInCapture, PanelRightOfCentreFixedEndsHoldTheBallIsThrownBack) {
  ASSERT_TRUE(runUntil(72, 165000, 2));
  ASSERT_TRUE(runUntil(73, 0, 25));
  // From the first collision pass on the held beads stand still; those that
  // started beyond x = +-0.89 (beads 0, 38 and 39) against the walls.
  std::vector<PlanarParticle*> beads;
  for (PlanarParticle* p = planarWorld.particles->next; p != nullptr; p = p->next) beads.push_back(p);
  ASSERT_EQ(beads.size(), 41u);
  std::vector<Vector3> held;
  for (int i = 0; i < 40; ++i) {
    const PlanarParticle& b = *beads[static_cast<size_t>(i)];
    const bool fixed = i < 5 || i > 32;
    EXPECT_EQ(b.flags, fixed ? 6u : 21u) << i;
    EXPECT_TRUE(!fixed || std::fabs(b.position.x - std::clamp(i / 21.0 - 0.9, -0.89, 0.89)) < 1e-6) << i;
    held.push_back(b.position);
  }
  const PlanarParticle& ball = *beads.back();
  double lowest = 1.0, highestAfter = -1.0;
  bool full = false;
  while (runUntil(73, 0, 25)) {
    for (int i : {0, 4, 33, 38, 39}) EXPECT_TRUE(beads[static_cast<size_t>(i)]->position == held[static_cast<size_t>(i)]);
    lowest = std::min(lowest, ball.position.y);
    if (ball.velocity.y > 0.0 && lowest < 0.2) highestAfter = std::max(highestAfter, ball.position.y);
    // In full view: white inside 605..754 x 225..374, the grey outside.
    if (!full && ropeTimers.fadeIn >= 1.0f && ropeTimers.fadeOut == 0.0f) {
      full = true;
      const ReadBack f = capturedFrame();
      for (int k = 4; k < 146; k += 10) {
        EXPECT_TRUE(near(f.at(605 + k, 229), 255, 255, 255, 0) && near(f.at(750, 225 + k), 255, 255, 255, 0)) << k;
        EXPECT_TRUE(background(f.at(604, 225 + k)) && background(f.at(755, 225 + k))) << k;
        EXPECT_TRUE(background(f.at(605 + k, 224)) && background(f.at(605 + k, 375))) << k;
      }
    }
  }
  // It sat on the rope at 0.1 + 0.2, sinks in and is thrown back up.
  EXPECT_TRUE(full);
  EXPECT_LT(lowest, 0.2);
  EXPECT_GT(highestAfter, 0.35);
}

}  // namespace
