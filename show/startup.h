#pragma once
// Start-up: from an empty process to a running Timeline.
#include "platform/display.h"

// Builds the Timeline, opens the display, activates entry 1, registers the
// trampolines, reserves the picture slots and starts the clock. The caller
// then hands control to the main loop (or, capturing, drives the callbacks).
void startPresentation(DisplayKind kind);

// Registers the state dump of every scene module and engine, for the capture
// tool's --dump-state. Start-up calls it; calling it again changes nothing.
void registerStateDumps();
