#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sim/planar/planarWorld.h"

namespace {

class PlanarEngine : public testing::Test {
 protected:
  void SetUp() override {
    planarWorld = {};
    PlanarWorld& w = planarWorld;
    w.particles = newPlanarParticle(0.0f, PlanarParticleHidden, {}, {});
    w.springs = newPlanarSpring(w.particles, w.particles, {}, 0);
    w.circles = newPlanarCircle(PlanarCircleIgnored, nullptr, {}, 0.0f, 0.0f);
  }
  void TearDown() override { planarWorld = {}; }
  static PlanarParticle* particle(Vector3 position, uint32_t flags, float mass = 1.0f) {
    return appendPlanarParticle(planarWorld.particles, mass, flags, position, {});
  }
};

// Gravity 1 over 0.006, 0.006 and 0.001: v = -0.006, -0.012, -0.013 and
// y = -0.006 x 0.006 - 0.012 x 0.006 - 0.013 x 0.001.
TEST_F(PlanarEngine, TwentyMillisecondsAreThreeSubsteps) {
  PlanarParticle* p = particle({}, 0);
  planarStep(20);
  EXPECT_NEAR(p->velocity.y, -0.013, 1e-8);
  EXPECT_NEAR(p->position.y, -0.000121, 1e-10);
  // The massless head is held where it is rather than sent to infinity.
  EXPECT_EQ(planarWorld.particles->position, (Vector3{}));
}

// The planar spring law stays in double precision throughout: 0.5 apart,
// rest length 0.4f = 0.40000000596, stiffness 50.5 gives 5.04999969900
// (rounded to single precision it would be 5.0499997139).
TEST_F(PlanarEngine, SpringForceStaysInDoublePrecision) {
  planarWorld.gravity = {};
  PlanarParticle* a = particle({0.0, 0.0, 0.0}, 0);
  PlanarParticle* b = particle({0.5, 0.0, 0.0}, 0);
  appendPlanarSpring(planarWorld.springs, a, b, {.stiffness = 50.5f, .damping = 8.2f, .restLength = 0.4f}, 1);
  planarForces(planarWorld.particles, planarWorld.springs);
  EXPECT_EQ(a->force.x, 5.049999698996544);
  EXPECT_EQ(b->force.x, -5.049999698996544);
}

TEST_F(PlanarEngine, WallsAndFixedCirclesActOnlyOnWhatIsBeyondThem) {
  planarWorld.gravity = {};
  PlanarParticle* on = particle({0.9f, 0.0, 0.0}, PlanarParticleCollides);
  on->velocity = {1.0, 0.0, 0.0};
  PlanarParticle* beyond = particle({0.0, -1.0, 0.0}, PlanarParticleCollides);
  beyond->velocity = {0.0, -1.0, 0.0};
  // Inside a fixed circle, 0.05 from its centre: out onto the edge, the
  // velocity mirrored and halved.
  PlanarParticle* inside = particle({0.45, 0.0, 0.0}, PlanarParticleCollides);
  inside->velocity = {-1.0, 0.0, 0.0};
  appendPlanarCircle(planarWorld.circles, 0, nullptr, {0.5, 0.0, 0.0}, 0.1f, 0.5f);
  planarStep(0);  // still one collision pass
  EXPECT_EQ(on->position.x, static_cast<double>(0.9f));
  EXPECT_EQ(on->velocity.x, 1.0);
  // Set onto the single-precision wall; the bounce 0.8 is a double, so the
  // reversed speed is exactly 0.8 (0.8f would leave 0.80000001).
  EXPECT_EQ(beyond->position.y, static_cast<double>(-0.9f));
  EXPECT_EQ(beyond->velocity.y, 0.8);
  EXPECT_NEAR(inside->position.x, 0.4, 1e-8);
  EXPECT_NEAR(inside->velocity.x, 0.5, 1e-8);
}

// A heavy ball on a rope of beads held at both ends: the ball stretches the
// rope down and its tension throws it back up. The held beads never move,
// except that the first collision pass sets the three whose circles stick
// out of the box (beads 0, 38 and 39) against its walls.
TEST_F(PlanarEngine, RopeCatchesAndThrowsBackTheBall) {
  PlanarWorld& w = planarWorld;
  std::vector<PlanarParticle*> beads;
  for (int i = 0; i < 40; ++i) {
    beads.push_back(particle({i * 0.04761905 - 0.9, 0.1, 0.0}, i < 5 || i > 32 ? PlanarParticleFixed : 17u));
    appendPlanarCircle(w.circles, 0, beads.back(), {}, 0.01f, 1.0f);
  }
  for (int i = 0; i < 40; ++i) {
    for (int k = 1; k <= 7 && i + k < 40; ++k) {
      appendPlanarSpring(w.springs, beads[i], beads[i + k],
                         {.stiffness = 30.1f, .damping = 12.0f, .restLength = 0.0005f * static_cast<float>(k + 1)}, 1);
    }
  }
  PlanarParticle* ball = particle({0.0, 0.7, 0.0}, 17, 50.0f);
  appendPlanarCircle(w.circles, 0, ball, {}, 0.2f, 1.0f);
  planarStep(20);
  EXPECT_EQ(beads[0]->flags, PlanarParticleFixed | PlanarParticleCarrier);
  EXPECT_EQ(beads[0]->position.x, static_cast<double>(-0.9f + 0.01f));
  EXPECT_EQ(beads[39]->position.x, static_cast<double>(0.9f - 0.01f));
  EXPECT_EQ(beads[37]->position.x, 37 * 0.04761905 - 0.9);
  std::vector<Vector3> held;
  for (PlanarParticle* bead : beads) held.push_back(bead->position);
  double lowest = 1.0, highestRising = -1.0;
  for (int frame = 1; frame < 250; ++frame) {
    planarStep(20);
    lowest = std::min(lowest, ball->position.y);
    if (ball->velocity.y > 0.0) highestRising = std::max(highestRising, ball->position.y);
    for (int i : {0, 1, 2, 3, 4, 33, 34, 35, 36, 37, 38, 39}) ASSERT_EQ(beads[i]->position, held[i]) << i;
  }
  EXPECT_LT(lowest, -0.05);
  EXPECT_GT(highestRising, 0.35);
}

}  // namespace
