#pragma once
// The sand hourglass on screen: the scene of the first half, a small panel
// right of centre that fades in and out, and the grid on its title card.

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
