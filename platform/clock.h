#pragma once
// The millisecond tick counter every reader of time goes through.
//
// Live playback reads a monotonic clock; the capture tool and the tests switch
// to a virtual clock that only moves when they move it, so the presentation
// renders the same frames on every run.
#include <cstdint>

// Milliseconds as an unsigned 32-bit count that wraps, like the system tick.
uint32_t getTickCount();

// Replaces the monotonic clock by a virtual one standing at `tick`.
void useVirtualClock(uint32_t tick);
void useRealClock();
// Leaves the virtual clock for the real one without a jump: the tick goes on
// counting real milliseconds from where the virtual clock stood.
void continueInRealTime();
bool virtualClockActive();

// Moves the virtual clock forward (wrapping); no effect on the real clock.
void advanceVirtualClock(uint32_t ms);
void setVirtualTick(uint32_t tick);

// Monotonic time in microseconds, for frame pacing and progress reports only:
// nothing that shapes a picture may read it.
uint64_t monotonicMicros();
// Processor time the calling thread has used, in microseconds: what a frame
// cost the presentation's own thread, apart from waiting for the
// rasteriser's threads.
uint64_t threadCpuMicros();
void sleepMicros(uint64_t micros);
