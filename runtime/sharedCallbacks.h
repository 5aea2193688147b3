#pragma once
// Callbacks that many Timeline entries borrow, and the small pendulum that the
// logo scenes draw and every idlePendulum entry keeps swinging.

// The swinging pendulum; the angle is measured from the upward vertical, so
// the bob hangs straight down at angle pi.
struct Pendulum {
  double pendulumAngle = 0.0;
  double pendulumSpeed = 0.0;
  double pendulumGravity = 0.0;
  double pendulumLength = 0.0;
  double pendulumTimeScale = 0.0;
  float pendulumStep = 0.0f;
  // Bob position relative to the pivot.
  float pendulumX = 0.0f;
  float pendulumY = 0.0f;
};

extern Pendulum pendulum;

// Viewport over the window, projection (-1, 1, -1, 1); model-view untouched.
void reshapeUnitOrtho(int width, int height);
// Viewport over the window, projection (-1, 1, 0, 1); model-view reset.
void reshapeFluidView(int width, int height);
// Only requests a redisplay.
void idleRedraw();
// One pendulum step, then a redisplay request.
void idlePendulum();
// Does nothing; stands in every slot that has nothing to do.
void emptyCallback();
void emptyReshape(int width, int height);

// One semi-implicit Euler step of the pendulum for the current frameMs.
void stepPendulum();
