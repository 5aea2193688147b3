// Cost of one frame of the spatial engine under the loads of its scenes: the
// eight-pendulum row (boxed step, one collision pass per frame) and the
// springy 10 x 10 surface with two heavy balls (open step, an all-pairs
// collision pass after every substep: 102 active spheres, 10,404 ordered
// pairs per substep).
#include <benchmark/benchmark.h>

#include "platform/random.h"
#include "sim/spatial/worldStep.h"

namespace {

void buildCradle() {
  world = {};
  startWorldLists(0);
  for (int k = 0; k < 7; ++k) addHangingPendulum();
  addRaisedPendulum();
  world.gravity = {0.0, -18.0, 0.0};
}

Particle* gridParticle(int i, int j) { return particleAt(10 * i + j); }

// The surface of the two-ball scene: a pinned 10 x 10 grid of carried
// spheres, every link doubled (1146 springs), two balls above it.
void buildSurface() {
  world = {};
  world.stepSize = 0.002f;
  world.timeScale = 0.002f;
  world.gravity = {0.0, -20.0, 0.0};
  startWorldLists(4);
  for (int i = 0; i < 10; ++i) {
    for (int j = 0; j < 10; ++j) {
      const bool inner = i >= 2 && i <= 8 && j >= 2 && j <= 8;
      const uint32_t flags = inner ? ParticleCollides : j == 9 ? ParticleFixed : ParticleFixed | 32u;
      Particle* p = appendParticle(world.particles, 0.4f, flags, {0.2 * (j - 5), 0.0, 0.2 * (i - 5)}, {}, 0.0);
      appendSphere(world.spheres, 0.07f, {}, 1.0f, SphereActive, p);
    }
  }
  auto link = [](int i0, int j0, int i1, int j1, uint32_t tag) {
    appendSpringSlack(world.springs, gridParticle(i0, j0), gridParticle(i1, j1), {.stiffness = 190.0f, .damping = 2.0f}, tag);
  };
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i <= 9; ++i) for (int j = 0; j <= 8; ++j) link(i, j, i, j + 1, 0);
    for (int i = 0; i <= 8; ++i) for (int j = 0; j <= 7; ++j) link(i, j, i, j + 2, 4);
    for (int i = 0; i <= 7; ++i) for (int j = 0; j <= 6; ++j) link(i, j, i, j + 3, 4);
    for (int j = 0; j <= 9; ++j) for (int i = 0; i <= 8; ++i) link(i, j, i + 1, j, 0);
    for (int j = 0; j <= 9; ++j) for (int i = 0; i <= 6; ++i) link(i, j, i + 2, j, 4);
    for (int j = 0; j <= 9; ++j) for (int i = 0; i <= 4; ++i) link(i, j, i + 3, j, 4);
    for (int j = 0; j <= 8; ++j) for (int i = 0; i <= 8; ++i) link(i, j, i + 1, j + 1, 0);
    for (int j = 0; j <= 7; ++j) for (int i = 0; i <= 7; ++i) link(i, j, i + 2, j + 2, 4);
  }
  Particle* first = appendParticle(world.particles, 16.0f, ParticleCollides, {-0.02, 1.2, 0.1}, {}, 0.0);
  appendSphere(world.spheres, 0.4f, {}, 1.0f, SphereActive | SphereWire, first);
  Particle* second =
      appendParticle(world.particles, 13.0f, ParticleCollides, {-0.04, 2.3, 0.15}, {0.0, -1.0, 0.0}, 0.0);
  appendSphere(world.spheres, 0.4f, {}, 1.0f, SphereActive | SphereWire | 16u, second);
}

// Frames of 20 ms: one substep, and with it one collision pass per frame.
void BM_StepBoxedWorldCradle(benchmark::State& state) {
  resetDemoRand();
  buildCradle();
  for (auto _ : state) {
    stepBoxedWorld(20);
    benchmark::DoNotOptimize(world.particles);
  }
  world = {};
}
BENCHMARK(BM_StepBoxedWorldCradle);

// The argument is the frame length in ms: 20 ms is one substep of 0.002,
// 30 ms two. The surface is rebuilt every 400 frames so that the balls keep
// falling onto it, through the time the scenes show.
void BM_StepOpenWorldSurface(benchmark::State& state) {
  resetDemoRand();
  buildSurface();
  const auto frameMs = static_cast<int32_t>(state.range(0));
  int frame = 0;
  for (auto _ : state) {
    stepOpenWorld(frameMs);
    benchmark::DoNotOptimize(world.particles);
    if (++frame == 400) {
      state.PauseTiming();
      buildSurface();
      frame = 0;
      state.ResumeTiming();
    }
  }
  world = {};
}
BENCHMARK(BM_StepOpenWorldSurface)->Arg(20)->Arg(30)->Unit(benchmark::kMicrosecond);

}  // namespace
