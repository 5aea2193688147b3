#pragma once
// Drives the real Timeline on the virtual clock (show/virtualRun.h) and keeps
// the last picture each display put on screen, read from the back buffer
// just before it is shown. A cycle without a display repeats the previous
// picture.
#include <cstdint>
#include <vector>

#include "show/virtualRun.h"

// The size of the tests' window, the full-screen layout's own.
inline constexpr int captureWidth = 800;
inline constexpr int captureHeight = 600;

using CaptureCycle = VirtualCycle;

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
};

// Opens a window of the given size, switches to the virtual clock standing
// at startTick and runs start-up.
void captureStart(int width = captureWidth, int height = captureHeight, uint32_t startTick = 0);

// One cycle at `fps` (whole) frames a second, or at a fractional rate.
CaptureCycle captureCycle(int fps);
CaptureCycle captureCycle(FrameRate rate);
// One cycle that moves the clock by stepMs.
CaptureCycle captureCycleMs(uint32_t stepMs);

// Whether pictures are read back (on by default); a capture that looks at
// none of a stretch's frames turns it off there.
void captureReadBack(bool on);
// Wall-clock seconds spent reading pictures back so far.
double captureReadBackSeconds();

// The last picture swapped to the screen: RGB rows from the bottom up, of the
// window's size.
const std::vector<uint8_t>& capturedPixels();
int capturedWidth();
int capturedHeight();
// One pixel of it, x and y in window pixels from the bottom left.
Rgb capturedPixel(int x, int y);

// True once the presentation asked to end (the Escape fade-out has finished).
bool captureExitRequested(int* status);
