#pragma once
// One scene of the Timeline, and the Timeline itself: the list the Sequencer
// walks. The show fills it once at start-up; tests may fill their own.
#include <cstdint>
#include <vector>

#include "platform/glutSeam.h"

using InitFn = void (*)();

// A slot with nothing to do carries the empty callback, never a null.
struct SceneEntry {
  InitFn init;
  IdleFn idle;
  ReshapeFn reshape;
  DisplayFn display;
  // The entry is left once the timeline clock exceeds this.
  int32_t endMs;
};

inline constexpr int timelineLength = 116;

// The entries in order; entry n is timeline[n - 1].
inline std::vector<SceneEntry> timeline;
