// One step of the lattice gas (collide, then stream) and one sweep of the
// majority vote, on their full 150 x 150 grids in the states the scenes show.
#include <benchmark/benchmark.h>

#include "effects/fields/gas.h"
#include "effects/fields/vote.h"
#include "platform/random.h"

namespace {

void BM_GasStep(benchmark::State& state) {
  resetDemoRand();
  gas = {};
  gasSetUp();
  gasOpenHoles();
  for (auto _ : state) {
    gasCollide();
    gasStream();
    benchmark::DoNotOptimize(gas.particle[75][75][0]);
  }
}
BENCHMARK(BM_GasStep);

void BM_VoteStep(benchmark::State& state) {
  resetDemoRand();
  vote = {};
  voteFill();
  for (auto _ : state) {
    voteSweep();
    benchmark::DoNotOptimize(vote.state[75][75]);
  }
}
BENCHMARK(BM_VoteStep);

}  // namespace
