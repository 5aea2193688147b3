#pragma once
// The presentation's Timeline table: 116 entries, each with its four
// callbacks and its end time, in the order they play.
#include "runtime/sceneEntry.h"

// Fills the Timeline; called once by start-up.
void buildTimeline();

