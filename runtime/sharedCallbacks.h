#pragma once
// Callbacks that many Timeline entries borrow.
#include <string>

// Viewport over the window, projection (-1, 1, -1, 1); model-view untouched.
void reshapeUnitOrtho(int width, int height);
// Viewport over the window, projection (-1, 1, 0, 1); model-view reset.
void reshapeFluidView(int width, int height);
// Only requests a redisplay.
void idleRedraw();
// One step of the logo scenes' pendulum for this frame, then a redisplay
// request.
void idlePendulum();
// Does nothing; stands in every slot that has nothing to do.
void emptyCallback();
void emptyReshape(int width, int height);

// The pendulum's state, into the frame's folder.
void dumpPendulum(const std::string& frameDirectory);
