#pragma once
// The small pendulum that the logo scenes draw and every entry with the
// shared pendulum idle keeps swinging, scene after scene.
#include <cstdint>

// The angle is measured from the upward vertical, so the bob hangs straight
// down at angle pi.
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

// One semi-implicit Euler step for a frame of frameMs milliseconds.
void stepPendulum(int32_t frameMs);
