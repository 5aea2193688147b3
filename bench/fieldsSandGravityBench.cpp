// One idle's work of the gravity field and of the sand hourglass: the full
// 300 x 300 field, and one automaton step over the settled heap.
#include <benchmark/benchmark.h>

#include "effects/fields/gravity.h"
#include "effects/fields/sand.h"
#include "platform/random.h"

namespace {

void BM_ComputeGravityField(benchmark::State& state) {
  gravity = {};
  resetDemoRand();
  for (auto _ : state) {
    computeGravityField();
    benchmark::DoNotOptimize(gravity.field[150][150]);
  }
}
BENCHMARK(BM_ComputeGravityField);

// Steps from the start heap while it trickles through the neck; the glass is
// rebuilt (untimed) every 600 steps, about the scene's length at 60 frames a
// second.
void BM_SandStep(benchmark::State& state) {
  resetDemoRand();
  sandGrid = {};
  buildHourglass();
  int steps = 0;
  for (auto _ : state) {
    sandStep();
    benchmark::DoNotOptimize(sandGrid.sand[70][70]);
    if (++steps == 600) {
      state.PauseTiming();
      buildHourglass();
      steps = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_SandStep);

}  // namespace
