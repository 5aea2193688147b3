#pragma once
// The presentation's Timeline table: 116 entries, each with its four
// callbacks and its end time, in the order they play.
#include "runtime/sceneEntry.h"

// Fills the Timeline; called once by start-up.
void buildTimeline();

// True when entry n (1 to 116) still shows the stand-in scene because its own
// scene has not been built yet.
bool entryIsPlaceholder(int number);
