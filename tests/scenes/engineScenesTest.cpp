// The pendulum row and the rope as their scenes build them, and a
// fingerprint of each after a few seconds of running, without a window.
#include <gtest/gtest.h>


#include "platform/random.h"
#include "runtime/viewControls.h"
#include "scenes/planar/ropeScene.h"
#include "scenes/spatial/cradleScene.h"
#include "sim/planar/planarWorld.h"
#include "sim/spatial/world.h"
#include "sim/spatial/worldStep.h"
#include "tests/support/stateHash.h"

namespace {

template <typename P>
void addMotion(StateHash& hash, const P* particles) {
  for (const P* p = particles; p != nullptr; p = p->next) {
    hash.add(p->position);
    hash.add(p->velocity);
  }
}

template <typename T>
int listLength(const T* head) {
  int n = 0;
  for (; head != nullptr; head = head->next) ++n;
  return n;
}

TEST(EngineScenes, CradleRowOfEightWithItsColoursDrawnAndItsRunFingerprinted) {
  world = {};
  world.boxMinY = -2.0f;  // left by an earlier scene
  resetDemoRand();
  buildCradle();
  // Heads, then per pendulum a pivot, a bob, a ball and two springs; every
  // sphere draws three colour values.
  EXPECT_EQ(listLength(world.particles), 17);
  EXPECT_EQ(listLength(world.springs), 17);
  EXPECT_EQ(listLength(world.spheres), 9);
  EXPECT_EQ(demoRandDraws(), 27u);
  EXPECT_EQ(world.boxMinY, -0.9f);
  EXPECT_EQ(world.pendulumCount, 8);
  EXPECT_EQ(viewControls.viewShiftY, 0.0);
  EXPECT_EQ(viewControls.viewScaleZ, 0.9);

  world.gravity = {0.0, -18.0, 0.0};
  for (int frame = 0; frame < 300; ++frame) stepBoxedWorld(20);
  StateHash hash;
  addMotion(hash, world.particles);
  EXPECT_EQ(hash.value, 0xea6415e373399638ull) << std::hex << hash.value;
  world = {};
  viewControls = {};
  resetDemoRand();
}

TEST(EngineScenes, RopeOfFortyBeadsEachPullingTheSevenAfterItAndItsRunFingerprinted) {
  planarWorld = {};
  ropeInitCard();
  // 33 beads have seven beads after them, the last seven 6, 5, ... 0; with
  // the head spring 253 springs. The card drops two balls.
  EXPECT_EQ(listLength(planarWorld.springs), 253);
  EXPECT_EQ(listLength(planarWorld.particles), 43);
  EXPECT_EQ(listLength(planarWorld.circles), 43);
  const PlanarSpring* first = planarWorld.springs->next;
  for (int k = 1; k <= 7; ++k, first = first->next) {
    EXPECT_FLOAT_EQ(first->restLength, 0.0005f * static_cast<float>(k + 1)) << k;
    EXPECT_EQ(first->stiffness, 30.1f);
    EXPECT_EQ(first->damping, 12.0f);
  }
  EXPECT_EQ(first->a, planarWorld.particles->next->next);  // bead 1 follows

  for (int frame = 0; frame < 300; ++frame) planarStep(20);
  StateHash hash;
  addMotion(hash, planarWorld.particles);
  EXPECT_EQ(hash.value, 0x0dee122cd685f4e7ull) << std::hex << hash.value;
  planarWorld = {};
}

}  // namespace
