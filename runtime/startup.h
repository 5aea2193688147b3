#pragma once
// Start-up: from an empty process to a running Timeline.
#include "platform/display.h"

// The layout size of the text and inset layouts: 800 x 600 in the full-screen
// layout, 300 x 300 in the small window. Set once; later reshapes leave them.
extern float screenWidth;
extern float screenHeight;

// Builds the Timeline, opens the display, activates entry 1, registers the
// trampolines, reserves the picture slots and starts the clock. The caller
// then hands control to the main loop (or, capturing, drives the callbacks).
void startPresentation(DisplayKind kind);
