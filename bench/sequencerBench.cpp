// Cost of the work the Sequencer does on every idle cycle, without drawing.
// The whole-Timeline frame rate with drawing is reported by vorran-capture.
#include <benchmark/benchmark.h>

#include "platform/clock.h"
#include "platform/glutSeam.h"
#include "platform/random.h"
#include "runtime/sequencer.h"
#include "runtime/sharedCallbacks.h"
#include "sim/pendulum.h"

namespace {

void noCallbacks(ReshapeFn, DisplayFn, IdleFn) {}
void noIdle(IdleFn) {}
void nothing() {}
void noExit(int) {}

const GlutSeam quietSeam{noCallbacks, noIdle, nothing, nothing, nothing, nothing, noExit};

// A Timeline of pendulum entries 100 ms long: each cycle reads the clock,
// tests the switch, and steps the pendulum; every sixth cycle switches.
void BM_IdleCycle(benchmark::State& state) {
  installGlutSeam(quietSeam);
  useVirtualClock(0);
  resetDemoRand();
  timeline.assign(1000000, SceneEntry{emptyCallback, idlePendulum, emptyReshape, emptyCallback, 0});
  for (size_t i = 0; i < timeline.size(); ++i) timeline[i].endMs = static_cast<int32_t>(i * 100);
  resetSequencer();
  pendulum = {2.5, 0.0, 9.800000190734863, 0.2, 0.0010000000474974513, 0.0f, 0.0f, 0.0f};
  activateNextEntry();
  for (auto _ : state) {
    advanceVirtualClock(17);
    idleTrampoline();
    benchmark::DoNotOptimize(pendulum.pendulumAngle);
    if (sequencer.nextEntry + 2 >= timeline.size()) {
      state.PauseTiming();
      SequencerState restart = sequencer;
      restart.nextEntry = 1;
      restart.startTick = getTickCount();
      restart.nowMs = 0;
      resetSequencer(restart);
      state.ResumeTiming();
    }
  }
  installGlutSeam(liveGlutSeam());
}
BENCHMARK(BM_IdleCycle);

void BM_SceneActivation(benchmark::State& state) {
  resetDemoRand();
  const SceneEntry entry{emptyCallback, emptyCallback, emptyReshape, emptyCallback, 0};
  for (auto _ : state) {
    activateEntry(entry);
    benchmark::DoNotOptimize(sequencer.decor);
  }
}
BENCHMARK(BM_SceneActivation);

}  // namespace

BENCHMARK_MAIN();
