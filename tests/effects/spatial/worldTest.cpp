#include <gtest/gtest.h>

#include "effects/spatial/world.h"
#include "platform/random.h"

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
  EXPECT_EQ(newSpring(8.2f, 0.0f, 50.5f, a, b)->restLength, 0.0f);
  EXPECT_EQ(newSpringMeasured(1.0f, 0.0f, 1.0f, a, b, 5)->restLength, 5.0f);
  EXPECT_EQ(newSpringMeasured(1.0f, 0.7f, 1.0f, a, b, 5)->restLength, 0.7f);
  EXPECT_FLOAT_EQ(newSpringSlack(1.0f, 0.0f, 1.0f, a, b, 0)->restLength, 50.0f / 11.0f);
  EXPECT_EQ(newSpringSlack(1.0f, 0.7f, 1.0f, a, b, 0)->restLength, 0.7f);
}

TEST_F(WorldBuilders, SpheresDrawTheirColourAndMarkTheirCarrier) {
  Particle* p = appendParticle(world.particles, 1.0f, ParticleCollides | 64, {}, {}, 0.0);
  resetDemoRand();
  Sphere* s = appendSphere(world.spheres, 0.05f, {}, 1.0f, SphereActive, p);
  appendSphere(world.spheres, 0.1f, {}, 1.0f, SphereActive, nullptr);
  EXPECT_EQ(p->flags, ParticleCollides | ParticleCarried | 64);
  EXPECT_EQ(world.particles->flags, ParticleHidden);
  // The generator's first draws from state 1 are 41, 18467 and 6334.
  EXPECT_EQ(s->colour[0], 41.0f * randScale);
  EXPECT_EQ(s->colour[2], 6334.0f * randScale);
}

TEST_F(WorldBuilders, EightPendulumsStandTwoNineteenthsApart) {
  for (int k = 0; k < 7; ++k) addHangingPendulum();
  addRaisedPendulum();
  // Per pendulum: pivot and bob, their ball, two springs pivot -> bob.
  Sphere* ball = world.spheres->next;
  Spring* spring = world.springs->next;
  for (int k = 1; k <= 8; ++k, ball = ball->next, spring = spring->next->next) {
    const Vector3 x{k * 2.0 / 19.0 - 0.5, 0.9, 0.0};
    const Vector3 bob = k < 8 ? Vector3{x.x, 0.4, 0.0} : Vector3{x.x + 0.3, 0.9, 0.0};
    EXPECT_NEAR((particleAt(2 * k - 2)->position - x).length(), 0.0, 1e-7) << k;
    EXPECT_NEAR((particleAt(2 * k - 1)->position - bob).length(), 0.0, 1e-7) << k;
    EXPECT_EQ(ball->carrier, particleAt(2 * k - 1));
    EXPECT_TRUE(spring->a == particleAt(2 * k - 2) && spring->next->b == particleAt(2 * k - 1));
  }
  EXPECT_TRUE(ball == nullptr && spring == nullptr);
  addHangingPendulum();  // without a reset the row goes on to the right
  EXPECT_NEAR(particleAt(16)->position.x, 9 * 2.0 / 19.0 - 0.5, 1e-7);
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
