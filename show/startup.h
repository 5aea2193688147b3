#pragma once
// Start-up: from an empty process to a running Timeline.
#include "platform/display.h"

// Builds the Timeline, opens the display (a window or mode of the given size;
// the layout is 300 x 300 in the small window, 800 x 600 otherwise, scaled
// to fit), activates entry 1, registers the trampolines, reserves the picture
// slots and starts the clock. The caller then hands control to the main loop
// (or drives the callbacks on the virtual clock).
void startPresentation(DisplayKind kind, int width, int height);

// Registers the state dump of every scene module and engine, for the capture
// tool's --dump-state. Start-up calls it; calling it again changes nothing.
void registerStateDumps();
