#include <gtest/gtest.h>

#include "platform/random.h"
#include "sim/spatial/world.h"

namespace {

class WorldBuilders : public testing::Test {
 protected:
  void SetUp() override { world = {}; resetDemoRand(); startWorldLists(0); }
  void TearDown() override { world = {}; resetDemoRand(); }
};

TEST_F(WorldBuilders, LookupsWalkTheChainAndFallBackToTheStart) {
  Particle* head = world.particles;
  EXPECT_EQ(particleAt(0), head);  // nothing behind the head yet
  Particle* p[3];
  for (Particle*& q : p) q = appendParticle(head, 1.0f, 0, {}, {}, 0.0);
  EXPECT_EQ(particleAt(2), p[2]);
  EXPECT_EQ(particleAt(3), head);
  EXPECT_EQ(particleAt(-1), head);
  EXPECT_EQ(particleAfter(p[0], 2), p[2]);
  EXPECT_EQ(particleAfter(p[0], 5), p[0]);  // the chain is too short
  EXPECT_EQ(particleAfter(p[1], 0), p[1]);
  EXPECT_EQ(lastParticle(head), p[2]);
}

TEST_F(WorldBuilders, SpringsStoreOrMeasureTheirRestLength) {
  Particle* a = newParticle(1.0f, 0, {0.0, 0.0, 0.0}, {}, 0.0);
  Particle* b = newParticle(1.0f, 0, {0.0, 3.0, 4.0}, {}, 0.0);
  EXPECT_EQ(newSpring(a, b, {.stiffness = 50.5f, .damping = 8.2f})->restLength, 0.0f);
  EXPECT_EQ(newSpringMeasured(a, b, {.stiffness = 1.0f, .damping = 1.0f}, 5)->restLength, 5.0f);
  EXPECT_EQ(newSpringMeasured(a, b, {.stiffness = 1.0f, .damping = 1.0f, .restLength = 0.7f}, 5)->restLength, 0.7f);
  EXPECT_FLOAT_EQ(newSpringSlack(a, b, {.stiffness = 1.0f, .damping = 1.0f}, 0)->restLength, 50.0f / 11.0f);
  EXPECT_EQ(newSpringSlack(a, b, {.stiffness = 1.0f, .damping = 1.0f, .restLength = 0.7f}, 0)->restLength, 0.7f);
}

TEST_F(WorldBuilders, SpheresMarkTheirCarrier) {
  Particle* p = appendParticle(world.particles, 1.0f, ParticleCollides | 64, {}, {}, 0.0);
  appendSphere(world.spheres, 0.05f, {}, 1.0f, SphereActive, p);
  appendSphere(world.spheres, 0.1f, {}, 1.0f, SphereActive, nullptr);
  EXPECT_EQ(p->flags, ParticleCollides | ParticleCarried | 64);
  EXPECT_EQ(world.particles->flags, ParticleHidden);
}

// The pivots stand k x 2/19 - 0.5 along x, with 2/19 taken as the nearest
// float (0.10526315867900848) and the product formed in double precision:
// exact 2/19 or a single-precision product would miss by about 1e-9.
TEST_F(WorldBuilders, EightPendulumsStandTwoNineteenthsApart) {
  const double spacing = 0.10526315867900848;
  for (int k = 0; k < 7; ++k) addHangingPendulum();
  addRaisedPendulum();
  EXPECT_EQ(world.pendulumCount, 8);
  // Per pendulum: pivot and bob, the ball on the bob, two springs pivot -> bob.
  Sphere* ball = world.spheres->next;
  Spring* spring = world.springs->next;
  for (int k = 1; k <= 8; ++k, ball = ball->next, spring = spring->next->next) {
    const Particle* pivot = particleAt(2 * k - 2);
    const Particle* bob = particleAt(2 * k - 1);
    const double x = k * spacing - 0.5;
    EXPECT_EQ(pivot->position, (Vector3{x, 0.9, 0.0})) << k;
    EXPECT_EQ(bob->position, k < 8 ? (Vector3{x, 0.4, 0.0}) : (Vector3{k * spacing - 0.2, 0.9, 0.0})) << k;
    EXPECT_TRUE(pivot->mass == 0.1f && pivot->flags == ParticleFixed) << k;
    EXPECT_TRUE(bob->mass == 0.1f && bob->flags == (ParticleCollides | ParticleCarried)) << k;
    EXPECT_TRUE(ball->carrier == bob && ball->radius == 0.05f && ball->bounce == 1.0f &&
                ball->flags == (SphereActive | SphereWire)) << k;
    for (const Spring* s : {spring, spring->next}) {
      EXPECT_TRUE(s->a == pivot && s->b == bob && s->damping == 8.2f && s->restLength == 0.4f &&
                  s->stiffness == 50.5f) << k;
    }
  }
  EXPECT_TRUE(ball == nullptr && spring == nullptr);
  addHangingPendulum();  // without a reset the row goes on to the right
  EXPECT_EQ(particleAt(16)->position.x, 9 * spacing - 0.5);
}

// Every sphere draws its colour when it is made, the list head too: red,
// green, blue. From state 1 the generator gives 41, 18467, 6334, ..., 292,
// 12382, 17421 as draws 25 to 27.
TEST_F(WorldBuilders, EverySphereDrawsThreeValuesWhenMade) {
  resetDemoRand();
  startWorldLists(0);
  for (int k = 0; k < 7; ++k) addHangingPendulum();
  addRaisedPendulum();
  EXPECT_EQ(demoRandDraws(), 27u);
  const float* head = world.spheres->colour;
  EXPECT_TRUE(head[0] == 41 * randScale && head[1] == 18467 * randScale && head[2] == 6334 * randScale);
  const Sphere* lastBall = world.spheres;
  while (lastBall->next != nullptr) lastBall = lastBall->next;
  const float* last = lastBall->colour;
  EXPECT_TRUE(last[0] == 292 * randScale && last[1] == 12382 * randScale && last[2] == 17421 * randScale);
}

TEST_F(WorldBuilders, EachGenerationReleasesTheRecordsOfTheLast) {
  for (int run = 0; run < 50; ++run) {
    startWorldLists(0);
    addHangingPendulum();
  }
  EXPECT_EQ(world.particleRecords.recordCount(), 3u);
  EXPECT_EQ(world.sphereRecords.recordCount(), 2u);
  releaseWorldLists();
  EXPECT_EQ(world.particles, nullptr);
  EXPECT_EQ(world.particleRecords.recordCount(), 0u);
}

}  // namespace
