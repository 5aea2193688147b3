#pragma once
// The two-stage midpoint integrator shared by the spatial and the planar
// engine. Between the stages the forces are computed again at the midpoint
// state; the second stage then starts over from the saved state.
//
// A particle of mass 0 cannot be accelerated by a finite force; it is held
// where it is instead of being sent to infinity (the planar list head has
// mass 0).
#include "sim/vector3.h"

// Stage one: velocity and position half a substep on.
//   k = F/m h;  x(h/2) = x + (v + k/2) h/2;  v(h/2) = v + k/2
template <typename P>
void midpointHalf(P& p, float h) {
  if (p.mass == 0.0f) return;
  const Vector3 k = p.force * (1.0f / p.mass) * h;
  p.savedVelocity = p.velocity;
  p.savedPosition = p.position;
  p.position = p.position + (p.velocity + k * 0.5) * h * 0.5;
  p.velocity = p.velocity + k * 0.5;
}

// Stage two, with the force of the midpoint state:
//   v' = v + F/m h;  x' = x + v' h  (the new velocity, not the midpoint one)
template <typename P>
void midpointFull(P& p, float h) {
  if (p.mass == 0.0f) return;
  p.velocity = p.savedVelocity + p.force * (1.0f / p.mass) * h;
  p.position = p.savedPosition + p.velocity * h;
}
