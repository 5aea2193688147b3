#pragma once
// Drives the real Timeline without a main loop, on the virtual clock, and
// keeps the last picture each display put on screen.
//
// Each cycle calls the callbacks as GLUT would: the virtual clock advances by
// one frame step, the idle runs, and the display runs only if a redisplay was
// requested (a cycle without a display repeats the previous picture). The
// same frame rate always gives the same pictures.
#include <cstdint>
#include <vector>

inline constexpr int captureWidth = 800;
inline constexpr int captureHeight = 600;

struct CaptureCycle {
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
  // display callback up to its buffer swap, with the drawing finished (the
  // drawing); the read-back of the picture is not counted.
  double idleMs = 0.0;
  double displayMs = 0.0;
};

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
};

// Opens the 800 x 600 window, switches to the virtual clock standing at
// startTick and runs start-up; then delivers the one reshape of a new window.
void captureStart(uint32_t startTick = 0);

// The virtual-clock step of cycle `frame` at `fps` frames a second: the whole
// milliseconds that keep the clock on the exact grid (17, 17, 16, ... at 60).
uint32_t captureFrameStep(int64_t frame, int fps);

// One cycle; returns what happened.
CaptureCycle captureCycle(int fps);

// The last picture swapped to the screen: RGB rows from the bottom up.
const std::vector<uint8_t>& capturedPixels();
// One pixel of it, x and y in window pixels from the bottom left.
Rgb capturedPixel(int x, int y);

// True once the presentation asked to end (the Escape fade-out has finished).
bool captureExitRequested(int* status);
