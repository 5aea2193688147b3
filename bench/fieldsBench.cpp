// One step of each grid and field simulation, in the states the scenes show.
#include <benchmark/benchmark.h>

#include "platform/random.h"
#include "sim/fields/fluid.h"
#include "sim/fields/gas.h"
#include "sim/fields/gravity.h"
#include "sim/fields/sand.h"
#include "sim/fields/vote.h"

namespace {

// The step runs on the state the set-up leaves; `again` (0 for never) rebuilds
// it, untimed, after that many steps.
template <typename SetUp, typename Step>
void run(benchmark::State& state, SetUp setUp, Step step, int again = 0) {
  resetDemoRand();
  setUp();
  int steps = 0;
  for (auto _ : state) {
    step();
    benchmark::ClobberMemory();
    if (++steps == again) {
      state.PauseTiming();
      setUp();
      steps = 0;
      state.ResumeTiming();
    }
  }
}

// The full 300 x 300 field.
void BM_ComputeGravityField(benchmark::State& s) { run(s, [] { gravity = {}; }, computeGravityField); }
// Collide, then stream, with the holes open.
void BM_GasStep(benchmark::State& s) {
  run(s, [] { gas = {}, gasSetUp(), gasOpenHoles(); }, [] { gasCollide(), gasStream(); });
}
// From the start heap while it trickles through the neck, the glass rebuilt
// every 600 steps (the scene's length at 60 frames a second).
void BM_SandStep(benchmark::State& s) { run(s, [] { sandGrid = {}, buildHourglass(); }, sandStep, 600); }
// 194 points, three passes and the two ends.
void BM_FluidStep(benchmark::State& s) { run(s, [] { fluid = {}, fluidInit(); }, fluidStep); }
void BM_VoteStep(benchmark::State& s) { run(s, [] { vote = {}, voteFill(); }, voteSweep); }

BENCHMARK(BM_ComputeGravityField);
BENCHMARK(BM_GasStep);
BENCHMARK(BM_SandStep);
BENCHMARK(BM_FluidStep);
BENCHMARK(BM_VoteStep);

}  // namespace
