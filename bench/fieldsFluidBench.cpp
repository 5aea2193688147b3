// One step of the water surface: 194 points, three passes and the two ends.
#include <benchmark/benchmark.h>

#include "effects/fields/fluid.h"

namespace {

void BM_FluidStep(benchmark::State& state) {
  fluid = {};
  fluidInit();
  for (auto _ : state) {
    fluidStep();
    benchmark::DoNotOptimize(fluid.surface);
  }
}
BENCHMARK(BM_FluidStep);

}  // namespace
