#include "sim/pendulum.h"

#include <cmath>

Pendulum pendulum;

void stepPendulum(int32_t frameMs) {
  Pendulum& p = pendulum;
  // The frame's rate, frameMs * 0.1, in single precision as every animation
  // rate of the presentation.
  p.pendulumStep = static_cast<float>(static_cast<double>(static_cast<float>(frameMs) * 0.1f) *
                                      p.pendulumTimeScale);
  // Before the first logo scene sets it up the pendulum has no length; it
  // stays at rest rather than dividing zero by zero.
  if (p.pendulumLength == 0.0) return;
  // d(omega)/dt = +sin(angle) * g / l, the angle measured from straight up.
  p.pendulumSpeed += std::sin(p.pendulumAngle) * (p.pendulumGravity / p.pendulumLength) *
                     static_cast<double>(p.pendulumStep);
  p.pendulumAngle += static_cast<double>(p.pendulumStep) * p.pendulumSpeed;
  p.pendulumX = static_cast<float>(std::sin(p.pendulumAngle) * p.pendulumLength);
  p.pendulumY = static_cast<float>(std::cos(p.pendulumAngle) * p.pendulumLength);
}
