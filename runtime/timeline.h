#pragma once
// The Timeline: the fixed list of the presentation's 116 scene entries.
#include <cstdint>
#include <vector>

#include "platform/glutSeam.h"

using InitFn = void (*)();

// One scene of the Timeline. A slot with nothing to do carries the empty
// callback, never a null.
struct SceneEntry {
  InitFn init;
  IdleFn idle;
  ReshapeFn reshape;
  DisplayFn display;
  // The entry is left once the timeline clock exceeds this.
  int32_t endMs;
};

inline constexpr int timelineLength = 116;

// The entries in order; entry n is timeline[n - 1]. Filled once by
// buildTimeline and never changed afterwards (tests may fill their own).
extern std::vector<SceneEntry> timeline;

void buildTimeline();

// True when entry n (1 to 116) still shows the shared placeholder scene
// because its own scene has not been built yet.
bool entryIsPlaceholder(int number);
