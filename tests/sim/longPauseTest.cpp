// A frame that reports a long pause (an hour, three days) asks each stepped
// simulation for one second of its time, not the whole gap: the step returns
// at once and leaves the state a one-second frame leaves.
#include <gtest/gtest.h>

#include <functional>

#include "platform/random.h"
#include "sim/human/humanBody.h"
#include "sim/planar/planarWorld.h"
#include "sim/spatial/worldStep.h"
#include "sim/surfaces/surface.h"
#include "sim/wave/waveField.h"
#include "tests/support/stateHash.h"

namespace {

constexpr int32_t hour = 3600 * 1000;
constexpr int32_t threeDays = 72 * hour;

uint64_t worldFingerprint() {
  StateHash hash;
  for (const Particle* p = world.particles; p != nullptr; p = p->next) hash.add(p->position), hash.add(p->velocity);
  for (const Sphere* s = world.spheres; s != nullptr; s = s->next) hash.add(s->position);
  return hash.value;
}

// The World after `build` and one step of `frameMs`.
uint64_t afterOneFrame(const std::function<void()>& build, void (*step)(int32_t), int32_t frameMs) {
  world = {};
  resetDemoRand();
  build();
  step(frameMs);
  const uint64_t fingerprint = worldFingerprint();
  world = {};
  return fingerprint;
}

TEST(LongPause, SpatialScenesCoverOneSecondOfAnyLongerFrame) {
  const auto surface = [] { buildSurface(SurfaceLoad::OneBall); };
  const uint64_t second = afterOneFrame(surface, stepOpenWorld, 1000);
  EXPECT_NE(second, afterOneFrame(surface, stepOpenWorld, 999));
  EXPECT_EQ(afterOneFrame(surface, stepOpenWorld, hour), second);
  EXPECT_EQ(afterOneFrame(surface, stepOpenWorld, threeDays), second);

  const uint64_t figure = afterOneFrame(buildHumanBody, stepHumanBody, 1000);
  EXPECT_EQ(afterOneFrame(buildHumanBody, stepHumanBody, threeDays), figure);
  resetDemoRand();
}

// A free particle under gravity 1: one second of frame is 1000 x 0.05 x
// 0.013 = 0.65 units of time, so it falls at 0.65 units a unit after it.
TEST(LongPause, PlanarSceneCoversOneSecondOfAnyLongerFrame) {
  planarWorld = {};
  PlanarWorld& w = planarWorld;
  w.particles = newPlanarParticle(0.0f, PlanarParticleHidden, {}, {});
  w.springs = newPlanarSpring(w.particles, w.particles, {}, 0);
  w.circles = newPlanarCircle(PlanarCircleIgnored, nullptr, {}, 0.0f, 0.0f);
  PlanarParticle* p = appendPlanarParticle(w.particles, 1.0f, 0, {}, {});
  planarStep(threeDays);
  EXPECT_NEAR(p->velocity.y, -0.65, 1e-5);
  planarWorld = {};
}

// The ripple tank steps at most 0.5 units at a time: a 20 ms frame is one
// step, and any frame of a second or more is 1000 x 0.05 x 0.5 / 0.5 = 50.
TEST(LongPause, RippleTankTakesAtMostFiftyStepsAFrame) {
  for (const auto& [frameMs, steps] : {std::pair{20, 1}, std::pair{1000, 50}, std::pair{hour, 50}, std::pair{threeDays, 50}}) {
    int taken = 0;
    forEachWaveStep(waveFrameTime(frameMs), [&taken](double) { ++taken; });
    EXPECT_EQ(taken, steps) << frameMs;
  }
}

}  // namespace
