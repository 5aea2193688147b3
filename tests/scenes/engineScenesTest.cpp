// The pendulum row and the rope as their scenes build them, and a
// fingerprint of each after six seconds of running, without a window.
#include <gtest/gtest.h>

#include "platform/random.h"
#include "runtime/viewControls.h"
#include "scenes/planar/ropeScene.h"
#include "scenes/spatial/cradleScene.h"
#include "sim/planar/planarWorld.h"
#include "sim/spatial/worldStep.h"
#include "tests/support/listLength.h"
#include "tests/support/stateHash.h"

namespace {

template <typename P>
uint64_t motionHash(const P* particles) {
  StateHash hash;
  for (const P* p = particles; p != nullptr; p = p->next) hash.add(p->position), hash.add(p->velocity);
  return hash.value;
}

TEST(EngineScenes, PendulumRowBuiltAndRun) {
  world = {};
  world.boxMinY = -2.0f;  // left by an earlier scene
  resetDemoRand();
  buildCradle();
  // Heads, then per pendulum a pivot, a bob, a ball and two springs; three
  // colour draws per sphere.
  EXPECT_TRUE(listLength(world.particles) == 17 && listLength(world.springs) == 17 && listLength(world.spheres) == 9);
  EXPECT_TRUE(demoRandDraws() == 27u && world.boxMinY == -0.9f && viewControls.viewShiftY == 0.0);
  world.gravity = {0.0, -18.0, 0.0};
  for (int frame = 0; frame < 300; ++frame) stepBoxedWorld(20);
  EXPECT_EQ(motionHash(world.particles), 0xea6415e373399638ull);
  world = {};
  viewControls = {};
}

TEST(EngineScenes, RopeBuiltAndRun) {
  planarWorld = {};
  ropeInitCard();
  // 33 beads pull the seven after them, the last seven 6, 5, ... 0: with the
  // head 253 springs, their rest lengths 0.0005 (k + 1). Two balls.
  EXPECT_TRUE(listLength(planarWorld.springs) == 253 && listLength(planarWorld.particles) == 43);
  const PlanarSpring* s = planarWorld.springs->next;
  for (int k = 1; k <= 7; ++k, s = s->next) EXPECT_FLOAT_EQ(s->restLength, 0.0005f * static_cast<float>(k + 1));
  EXPECT_EQ(s->a, planarWorld.particles->next->next);
  for (int frame = 0; frame < 300; ++frame) planarStep(20);
  EXPECT_EQ(motionHash(planarWorld.particles), 0x0dee122cd685f4e7ull);
  planarWorld = {};
}

}  // namespace
