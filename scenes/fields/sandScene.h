#pragma once
// The sand hourglass on screen: the scene of the first half, a small panel
// right of centre that fades in and out, and the grid on its title card.
#include <string>

// The scene's timers: fade in / fade out, caption darken / return.
struct SandTimers {
  float fadeIn = 0.0f;
  float fadeOut = 0.0f;
  float captionIn = 0.0f;
  float captionOut = 0.0f;
};

extern SandTimers sandTimers;

// Builds the hourglass with its settled heap and zeroes the timers; blend
// function (source alpha, zero).
void sandInit();
// One automaton step, then a redisplay request.
void sandIdle();
// Viewport over the window; the projection reset to the identity.
void sandReshape(int width, int height);
void sandDisplay();
// The grid over [-1, 1]^2 of the caller's viewport and projection, opaque;
// neither clears nor swaps.
void drawSandCard();

// The grains, walls and colour offsets (140 x 140 each), the step counter and
// the scene's timers.
void dumpSandScene(const std::string& frameDirectory);
