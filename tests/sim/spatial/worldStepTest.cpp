#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/random.h"
#include "sim/spatial/worldStep.h"

namespace {

Particle* particle(Vector3 position, Vector3 velocity, uint32_t flags = 0, float mass = 1.0f) {
  return appendParticle(world.particles, mass, flags, position, velocity, 0.0);
}
// A particle of mass 0.1 carrying an active sphere.
Particle* ball(Vector3 position, Vector3 velocity, float radius, uint32_t flags = 0, float bounce = 1.0f) {
  Particle* p = particle(position, velocity, flags, 0.1f);
  appendSphere(world.spheres, radius, {}, bounce, SphereActive, p);
  updateSpheres(world.spheres);
  return p;
}
void runFrames(int frames) {
  for (int n = 0; n < frames; ++n) stepBoxedWorld(20);
}

class WorldStep : public testing::Test {
 protected:
  void SetUp() override { world = {}; startWorldLists(0); }
  void TearDown() override { world = {}; resetDemoRand(); }
};

// From rest under a = -18 over h = 0.005 the midpoint state has v = a h/2
// and x = (a h/2) h/2, the full step v = a h and x = v h. 30 ms make a
// substep of 0.005 and one of 0.0025 (v = -0.09 - 0.045, x = -0.00045 -
// 0.135 x 0.0025); 0 ms one substep that moves nothing.
TEST_F(WorldStep, FreeParticleOverTheSubstepsOfAFrame) {
  world.gravity = {0.0, -18.0, 0.0};
  Particle* p = particle({}, {});
  computeForces(world.particles, world.springs);
  integrateHalf(world.particles, 0.005f);
  EXPECT_NEAR(p->velocity.y, -0.045, 1e-8);
  EXPECT_NEAR(p->position.y, -0.0001125, 1e-11);
  const int frames[] = {0, 20, 30};
  const double velocity[] = {0.0, -0.09, -0.135};
  const double position[] = {0.0, -0.00045, -0.0007875};
  for (int n = 0; n < 3; ++n) {
    startWorldLists(0);
    p = particle({}, {});
    stepBoxedWorld(frames[n]);
    EXPECT_NEAR(p->velocity.y, velocity[n], 1e-8) << frames[n];
    EXPECT_NEAR(p->position.y, position[n], 1e-10) << frames[n];
  }
}

// Stretched by 0.1 at stiffness 50.5: 5.05, held in single precision: L =
// 0.5, L - 0.4f = 0.099999994, times 50.5 rounds to 5.0499997 (in double
// it would stay 5.0499996990). The far end receding at speed 1 adds 8.2 of
// damping; 13.2499995 rounds to 13.25. A spring of length 0 exerts nothing.
TEST_F(WorldStep, SpringPullsBothEndsTogether) {
  Particle* a = particle({0.0, 0.0, 0.0}, {});
  Particle* b = particle({0.5, 0.0, 0.0}, {});
  appendSpring(world.springs, a, b, {.stiffness = 50.5f, .damping = 8.2f, .restLength = 0.4f});
  computeForces(world.particles, world.springs);
  EXPECT_EQ(a->force.x, 5.049999713897705);
  EXPECT_EQ(b->force.x, -5.049999713897705);
  b->velocity = {1.0, 0.0, 0.0};
  computeForces(world.particles, world.springs);
  EXPECT_EQ(a->force.x, 13.25);
  b->position = a->position;
  computeForces(world.particles, world.springs);
  EXPECT_EQ(a->force.x, 0.0);
}

// Equal masses swap their velocities along the line of centres, each scaled
// by the other sphere's bounce; against a fixed sphere the velocity is
// mirrored and scaled by its bounce. Either way the moving carrier is set
// back by m timeScale = -0.2 x 0.005.
TEST_F(WorldStep, SpherePairsExchangeOrReflect) {
  Particle* a = ball({}, {1.0, 0.0, 0.0}, 0.05f, 0, 0.5f);
  Particle* b = ball({0.1, 0.0, 0.0}, {-0.5, 0.0, 0.0}, 0.05f);
  collideBoxed(world.particles, world.spheres);
  EXPECT_NEAR(a->velocity.x, -0.5, 1e-7);  // b's velocity, times b's bounce 1
  EXPECT_NEAR(b->velocity.x, 0.5, 1e-7);   // a's, times a's bounce 0.5
  EXPECT_NEAR(a->position.x, -0.001, 1e-9);

  // A fixed sphere ahead of the ball in the list is still met: every
  // ordered pair is visited.
  startWorldLists(0);
  appendSphere(world.spheres, 0.05f, {0.1, 0.0, 0.0}, 0.5f, SphereActive, nullptr);
  a = ball({}, {1.0, 0.0, 0.0}, 0.05f);
  collideBoxed(world.particles, world.spheres);
  EXPECT_NEAR(a->velocity.x, -0.5, 1e-7);
  EXPECT_NEAR(a->position.x, -0.001, 1e-9);

  // 0.007 apart: out of reach of one step at the closing speed, within the
  // open pass's doubled step.
  startWorldLists(0);
  ball({}, {1.0, 0.0, 0.0}, 0.05f);
  b = ball({0.107, 0.0, 0.0}, {}, 0.05f);
  collideBoxed(world.particles, world.spheres);
  EXPECT_EQ(b->velocity.x, 0.0);
  collideOpen(world.particles, world.spheres);
  EXPECT_NEAR(b->velocity.x, 1.0, 1e-7);
}

// The limits are formed in single precision: 0.9f - 0.05f rounds to
// 0.84999996 (0.8499999754 in double); the wall bounce is the float 0.8.
TEST_F(WorldStep, BoxedPassKeepsSpheresAndParticlesInsideInWallOrder) {
  Particle* p = ball({0.88, 0.0, 0.0}, {2.0, 0.0, 0.0}, 0.05f, ParticleCollides);
  Particle* loose = particle({0.0, 0.0, -1.0}, {0.0, 0.0, -1.0}, ParticleCollides);
  collideBoxed(world.particles, world.spheres);
  EXPECT_EQ(p->position.x, 0.8499999642372131);
  EXPECT_EQ(p->velocity.x, -1.600000023841858);
  EXPECT_EQ(world.spheres->next->position, p->position);
  EXPECT_EQ(loose->position.z, static_cast<double>(-0.9f));
  EXPECT_EQ(loose->velocity.z, static_cast<double>(0.8f));
  loose->position.x = 5.0;  // the open pass has no walls
  collideOpen(world.particles, world.spheres);
  EXPECT_EQ(loose->position.x, 5.0);

  // Wider than the box: put against +x first, then against -x, which wins.
  startWorldLists(0);
  Particle* big = ball({0.5, 0.0, 0.0}, {1.0, 0.0, 0.0}, 1.0f);
  collideBoxed(world.particles, world.spheres);
  EXPECT_NEAR(big->position.x, 0.1, 1e-7);
  EXPECT_NEAR(big->velocity.x, 0.64, 1e-6);
}

TEST_F(WorldStep, FreeParticlesMeetFixedSpheres) {
  Particle* in = particle({0.05, 0.0, 0.0}, {1.0, 0.0, 0.0}, ParticleCollides);
  in->radius = 0.01;
  Particle* out = particle({0.06, 0.0, 0.0}, {-1.0, 0.0, 0.0}, ParticleCollides);
  Particle* carried = particle({0.08, 0.0, 0.0}, {1.0, 0.0, 0.0}, ParticleCollides | ParticleCarried);
  appendSphere(world.spheres, 0.05f, {0.1, 0.0, 0.0}, 0.5f, 0, nullptr);
  appendSphere(world.spheres, 0.5f, {0.1, 0.0, 0.0}, 0.5f, SphereIgnored, nullptr);
  // Boxed: back onto the surface (particle radius included); only a particle
  // still moving inwards is turned round.
  collideBoxed(world.particles, world.spheres);
  EXPECT_NEAR(in->position.x, 0.04, 1e-9);
  EXPECT_NEAR(in->velocity.x, -0.5, 1e-7);
  EXPECT_NEAR(out->position.x, 0.05, 1e-9);
  EXPECT_EQ(out->velocity.x, -1.0);
  EXPECT_EQ(carried->position.x, 0.08);
  // Open: within 0.02 of the surface the velocity is mirrored, the particle
  // steps 2 timeScale along it and keeps the bounce's share.
  in->position = {0.04, 0.0, 0.0};
  in->velocity = {1.0, 0.0, 0.0};
  collideOpen(world.particles, world.spheres);
  EXPECT_NEAR(in->position.x, 0.03, 1e-9);
  EXPECT_NEAR(in->velocity.x, -0.5, 1e-7);
  EXPECT_EQ(carried->velocity.x, 1.0);
}

// Two springs of 50.5 hold 0.1 x 18: the bob settles 0.4 + 1.8/101 below
// the pivot.
TEST_F(WorldStep, HangingPendulumSettlesWhereTheSpringsHoldItsWeight) {
  world.gravity = {0.0, -18.0, 0.0};
  addHangingPendulum();
  runFrames(300);
  EXPECT_NEAR(particleAt(1)->position.y, 0.9 - 0.4 - 1.8 / 101.0, 1e-5);
}

// The midpoint scheme maps an undamped oscillator's phase space with
// determinant 1 - w^2 h^2 / 2: its energy shrinks by that factor per substep
// and never grows.
TEST_F(WorldStep, UndampedSpringLosesEnergyAtTheSchemesRate) {
  Particle* p = particle({0.5, 0.0, 0.0}, {});
  appendSpring(world.springs, particle({}, {}, ParticleFixed), p, {.stiffness = 50.5f, .restLength = 0.4f});
  auto energy = [p] {
    const double stretch = p->position.length() - 0.4;
    return 0.5 * dot(p->velocity, p->velocity) + 0.5 * 50.5 * stretch * stretch;
  };
  const double start = energy();
  double highest = start;
  for (int n = 0; n < 4000; ++n) {
    runFrames(1);
    highest = std::max(highest, energy());
  }
  EXPECT_LT(highest, start * 1.002);
  EXPECT_NEAR(energy() / start, std::pow(1.0 - 50.5 * 0.005 * 0.005 / 2.0, 4000), 0.004);
}

// Seven hanging balls and one raised beside them: the raised ball swings
// down through about 0.42, equal elastic masses hand its speed along the row,
// and the far ball swings out and up while the balls between stay nearly
// where they hang and the struck one stops.
TEST_F(WorldStep, CradlePassesTheImpactToTheFarBall) {
  world.gravity = {0.0, -18.0, 0.0};
  for (int k = 0; k < 7; ++k) addHangingPendulum();
  addRaisedPendulum();
  double farLowestX = 1.0, farHighestY = 0.0, middleWidest = 0.0, struckWidest = 0.0;
  for (int frame = 0; frame < 120; ++frame) {
    runFrames(1);
    for (int k = 0; k < 8; ++k) {
      const double away = particleAt(2 * k + 1)->position.x - particleAt(2 * k)->position.x;
      if (k == 0) farLowestX = std::min(farLowestX, away);
      if (k == 0) farHighestY = std::max(farHighestY, particleAt(1)->position.y);
      if (k > 0 && k < 7) middleWidest = std::max(middleWidest, std::abs(away));
      if (k == 7 && frame > 70) struckWidest = std::max(struckWidest, std::abs(away));
    }
  }
  EXPECT_LT(farLowestX, -0.3);
  EXPECT_GT(farHighestY, 0.482 + 0.2);
  EXPECT_LT(middleWidest, 0.03);
  EXPECT_LT(struckWidest, 0.03);
}

}  // namespace
