// One frame of the planar engine, the stick figure and the logo pendulum, at
// the 17 ms of a frame at 60 frames a second.
#include <benchmark/benchmark.h>

#include "platform/random.h"
#include "sim/human/humanBody.h"
#include "sim/pendulum.h"
#include "sim/planar/planarWorld.h"
#include "sim/spatial/worldStep.h"

namespace {

// The rope scene's load: 40 beads (the 28 inner ones free), each joined to
// the next seven by a spring, a circle on every bead, and the heavy ball
// falling onto the middle.
void buildRopeLoad() {
  PlanarWorld& w = planarWorld;
  releasePlanarLists();
  w.particles = newPlanarParticle(0.0f, PlanarParticleHidden, {}, {});
  w.springs = newPlanarSpring(w.particles, w.particles, {}, 0);
  w.circles = newPlanarCircle(PlanarCircleIgnored, nullptr, {}, 0.0f, 0.0f);
  PlanarParticle* beads[40];
  for (int i = 0; i < 40; ++i) {
    const uint32_t flags = i >= 5 && i <= 32 ? PlanarParticleCollides : PlanarParticleFixed;
    beads[i] = appendPlanarParticle(w.particles, 1.0f, flags, {i * 0.04761905 - 0.9, 0.1, 0.0}, {});
    appendPlanarCircle(w.circles, 0, beads[i], {}, 0.01f, 1.0f);
  }
  for (int i = 0; i < 40; ++i) {
    for (int k = 1; k <= 7 && i + k < 40; ++k) {
      const SpringLaw law{.stiffness = 30.1f, .damping = 12.0f, .restLength = static_cast<float>(0.0005 * (k + 1))};
      appendPlanarSpring(w.springs, beads[i], beads[i + k], law, 1);
    }
  }
  PlanarParticle* ball = appendPlanarParticle(w.particles, 50.0f, PlanarParticleCollides, {0.0, 0.6, 0.0}, {});
  appendPlanarCircle(w.circles, 0, ball, {}, 0.1f, 1.0f);
}

// The rope is rebuilt every 600 frames (ten seconds), so that the ball keeps
// striking it as in its scene.
void BM_PlanarStepRope(benchmark::State& state) {
  buildRopeLoad();
  int frame = 0;
  for (auto _ : state) {
    planarStep(17);
    benchmark::DoNotOptimize(planarWorld.particles);
    if (++frame == 600) {
      state.PauseTiming();
      buildRopeLoad();
      frame = 0;
      state.ResumeTiming();
    }
  }
  releasePlanarLists();
}
BENCHMARK(BM_PlanarStepRope)->Unit(benchmark::kMicrosecond);

// The figure's boxed step and its seven muscle laws.
void BM_StepHumanBody(benchmark::State& state) {
  resetDemoRand();
  world = {};
  world.gravity = {0.0, -4.0, 0.0};
  buildHumanBody();
  for (auto _ : state) {
    stepHumanBody(17);
    benchmark::DoNotOptimize(world.particles);
  }
  world = {};
}
BENCHMARK(BM_StepHumanBody)->Unit(benchmark::kMicrosecond);

void BM_StepPendulum(benchmark::State& state) {
  pendulum = {.pendulumAngle = 2.0, .pendulumGravity = 9.81, .pendulumLength = 1.0, .pendulumTimeScale = 0.001,
              .pendulumStep = 1.0f};
  for (auto _ : state) {
    stepPendulum(17);
    benchmark::DoNotOptimize(pendulum);
  }
}
BENCHMARK(BM_StepPendulum);

}  // namespace
