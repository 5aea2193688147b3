#include "sim/fields/fluid.h"

#include <cmath>

FluidState fluid;

void fluidInit() {
  FluidState& f = fluid;
  for (int k = 0; k < fluidPoints - 1; ++k) {
    f.surface[k] = 0.0;
    f.bottom[k] = 0.0;
    f.riseSpeed[k] = 0.0;
    f.depth[k] = 0.0;
  }
  for (int k = 0; k < fluidPoints - 1; ++k) f.surface[k] = 0.35;
  // The swell overwrites elements 1..200, from the far end backwards.
  for (int k = 0; k < fluidPoints - 1; ++k) {
    f.surface[200 - k] = 0.125 * std::cos(static_cast<double>(k) / 36.0) + 0.344;
  }
  for (int k = 0; k < fluidPoints - 1; ++k) {
    if (f.surface[k] < f.bottom[k]) f.surface[k] = f.bottom[k];
  }
}

void fluidStep() {
  FluidState& f = fluid;
  // Depth of the water over the ground, never negative.
  for (int k = fluidFirstMoving; k <= fluidLastMoving; ++k) {
    const double d = f.surface[k] - f.bottom[k];
    f.depth[k] = d < 0.0 ? 0.0 : d;
  }
  // dv/dt = g/8 * [(s[k+1] - s[k]) (d[k] + d[k+1]) - (s[k] - s[k-1]) (d[k-1] + d[k])]:
  // the flux through each face is the slope times the depth on both sides.
  for (int k = fluidFirstMoving; k <= fluidLastMoving; ++k) {
    const double behind = (f.surface[k] - f.surface[k - 1]) * (f.depth[k - 1] + f.depth[k]);
    const double ahead = (f.surface[k + 1] - f.surface[k]) * (f.depth[k] + f.depth[k + 1]);
    f.riseSpeed[k] += fluidTimeStep * -fluidGravity * 0.125 * (behind - ahead);
  }
  // ds/dt = v; a point that would sink into the ground stays just under it,
  // so its depth is 0 at the next step.
  for (int k = fluidFirstMoving; k <= fluidLastMoving; ++k) {
    f.surface[k] += fluidTimeStep * f.riseSpeed[k];
    if (f.surface[k] < f.bottom[k]) f.surface[k] = f.bottom[k] - 1e-6;
  }
  // Zero slope at both ends.
  f.surface[fluidFirstMoving - 1] = f.surface[fluidFirstMoving];
  f.surface[fluidLastMoving + 1] = f.surface[fluidLastMoving];
}
