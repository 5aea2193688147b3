#pragma once
// The Timeline driven without GLUT's main loop, on the virtual clock. Each
// cycle the clock moves on by one frame, the idle trampoline runs, then the
// display trampoline if a redisplay was asked for, as GLUT would call them.
// The capture tool records what the displays draw; the presentation uses the
// same cycles to fast-forward to a chosen moment, then plays live from there.
// The same frame rate always gives the same pictures.
#include <cstdint>

#include "platform/display.h"

// Frames per second as a fraction: 60/1, 50/1, 30000/1001, 60000/1001.
struct FrameRate {
  int64_t numerator = 60;
  int64_t denominator = 1;
};

// The whole milliseconds that cycle `frame` moves the clock by: cycle k ends
// at ceil((k + 1) x 1000 / fps) ms, so the clock keeps to the exact frame
// times over any length of run (17, 17, 16, ... at 60).
uint32_t frameStepMs(int64_t frame, FrameRate rate);

struct VirtualCycle {
  // Cycle index since start-up, from 0.
  int64_t frame = 0;
  // The entry current after the cycle (1 to 116).
  int entry = 0;
  // Virtual milliseconds since start-up.
  uint32_t virtualMs = 0;
  int32_t timelineMs = 0;
  int32_t frameMs = 0;
  // Whether the display ran in this cycle.
  bool displayed = false;
  // Wall-clock time of the idle callback (the simulation step) and of the
  // display callback up to its buffer swap, with the drawing finished.
  double idleMs = 0.0;
  double displayMs = 0.0;
  // Processor time of the presentation's thread over the idle and display
  // callbacks; the rest of their time it waited for the rasteriser.
  double cpuMs = 0.0;
};

// Called at each buffer swap of a display, with the drawing finished and
// before the picture is shown; it swaps the buffers itself if it wants the
// picture seen.
using SwapHook = void (*)();

// Opens the display at the given window size, switches to the virtual clock
// standing at startTick, runs start-up and delivers the window's first
// reshape.
void startVirtualRun(DisplayKind kind, int width, int height, uint32_t startTick, SwapHook onSwap);

// Roughly the virtual time at which entry `entry` (1 to 116) begins on a
// run from start-up at this rate: the loading screen takes a frame a
// picture, the rest follows the Timeline's end times in its three clock
// phases. Good to a few frames.
double entryStartVirtualMs(int entry, FrameRate rate);

// Cycles that begin more than two seconds before `ms` (virtual time since
// start-up) are stepped and drawn as always, but fill no pixel: a run ahead
// to a later moment costs its steps and not its pictures. The last two
// seconds are drawn in full, so that whatever a picture keeps of the frames
// before it is there. 0 draws every cycle in full.
void drawUnseenUntil(double ms);
// Whether the next cycle will fill no pixel.
bool nextCycleUnseen();

// One cycle at the given rate.
VirtualCycle runVirtualCycle(FrameRate rate);
// One cycle that moves the clock by stepMs, whatever the rate: an uneven
// frame, or the gap a pause leaves.
VirtualCycle runVirtualCycleMs(uint32_t stepMs);

// True once the presentation asked to end (the Escape fade-out has finished).
bool virtualExitRequested(int* status);

// Hands the running presentation to GLUT's main loop in real time: the live
// GLUT calls, the real clock going on from the virtual time reached, and the
// music going on from where it was. The caller then enters the main loop.
void goLive();
