#pragma once
// How much time one frame may ask a simulation to cover. After a long pause
// (the pause key, a suspended machine, a debugger) the next frame reports the
// whole gap; stepping through an hour in small substeps would freeze the show
// for seconds, and past a few days the single-precision countdown of the
// remaining time stops shrinking and the loop never ends. A frame longer than
// this covers only this much simulated time: the simulation resumes where it
// stopped instead of catching up. Frames up to this length are untouched, so
// every rate the show or a capture runs at (down to one frame a second)
// behaves exactly as before.
#include <algorithm>
#include <cstdint>

inline constexpr int32_t longestSimulatedFrameMs = 1000;

inline int32_t simulatedFrameMs(int32_t frameMs) { return std::min(frameMs, longestSimulatedFrameMs); }

// The substeps the spatial and planar engines, the ripple tank and the wave
// packet have taken since program start: what a frame cost them, counted without a clock.
struct EngineWork {
  uint64_t substeps = 0;
};
inline EngineWork engineWork;
