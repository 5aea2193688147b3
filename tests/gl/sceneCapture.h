#pragma once
// The Timeline run on the virtual clock to a moment of an entry, and what the
// scene tests check in the frames there.
#include <cstdint>

#include "tests/gl/glProbe.h"

// The last cycle run.
extern CaptureCycle current;
// Runs cycles at `fps` until a frame of `entry` is on screen with the
// Timeline's clock at `ms` or later; the first call opens the window beside
// the pictures and the soundtrack. False once the Timeline is past the entry.
bool runUntil(int entry, int32_t ms, int fps);

// The grid scenes' background grey, (0.7, 0.72, 0.73).
bool background(Rgb c, int tolerance = 0);

// A caption at its darkest: its grey strokes between columns x0 and x1 stand
// from the pen at x (555 of 1200 units up, window y 277.5) 100 units high,
// plus the shake of up to 4 pixels.
void expectCaptionFrom(const ReadBack& frame, double x, int x0, int x1);

// A timer pair rising at `rate` per ms to 1, then falling back as fast: its
// value t ms in.
double riseAndFall(int t, double rate);
// Panel alpha and caption fade (1 the background grey, 0 black) t ms into a
// scene, against their rates.
void expectFades(int t, float alpha, double fadeRate, float caption, double captionRate);
