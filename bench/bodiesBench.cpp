// One frame of the planar engine, the stick figure and the logo pendulum, at
// the 17 ms of a frame at 60 frames a second.
#include <benchmark/benchmark.h>

#include "platform/random.h"
#include "scenes/planar/ropeScene.h"
#include "sim/human/humanBody.h"
#include "sim/pendulum.h"
#include "sim/planar/planarWorld.h"
#include "sim/spatial/worldStep.h"

namespace {

// The rope of the planar engine's title card, struck by its two balls;
// rebuilt every 600 frames (ten seconds), so that the balls keep striking it
// as in the scene.
void BM_PlanarStepRope(benchmark::State& state) {
  ropeInitCard();
  int frame = 0;
  for (auto _ : state) {
    planarStep(17);
    benchmark::DoNotOptimize(planarWorld.particles);
    if (++frame == 600) {
      state.PauseTiming();
      ropeInitCard();
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
