#include "platform/clock.h"

#include <ctime>

namespace {

struct ClockState {
  bool virtualActive = false;
  uint32_t virtualTick = 0;
  // Added to the real clock's tick, so that it can take over from the
  // virtual one where that stood.
  uint32_t realOffset = 0;
};

ClockState clockState;

}  // namespace

uint64_t threadCpuMicros() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000u + static_cast<uint64_t>(now.tv_nsec) / 1000u;
}

uint64_t monotonicMicros() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000000u + static_cast<uint64_t>(ts.tv_nsec) / 1000u;
}

void sleepMicros(uint64_t micros) {
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(micros / 1000000u);
  ts.tv_nsec = static_cast<long>((micros % 1000000u) * 1000u);
  while (nanosleep(&ts, &ts) != 0) {
  }
}

uint32_t getTickCount() {
  if (clockState.virtualActive) return clockState.virtualTick;
  // Truncation to 32 bits gives the same wrap-around as the system tick.
  return static_cast<uint32_t>(monotonicMicros() / 1000u) + clockState.realOffset;
}

void useVirtualClock(uint32_t tick) {
  clockState.virtualActive = true;
  clockState.virtualTick = tick;
}

void useRealClock() { clockState = {}; }

void continueInRealTime() {
  const uint32_t stood = clockState.virtualTick;
  clockState = {};
  clockState.realOffset = stood - static_cast<uint32_t>(monotonicMicros() / 1000u);
}

bool virtualClockActive() { return clockState.virtualActive; }

void advanceVirtualClock(uint32_t ms) { clockState.virtualTick += ms; }

void setVirtualTick(uint32_t tick) { clockState.virtualTick = tick; }
