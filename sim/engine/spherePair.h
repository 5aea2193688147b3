#pragma once
// The swept collision of a sphere riding on a particle (a) with another
// riding sphere or with a fixed one (b), shared by the spatial and the planar
// engine. The records need carrier, position, radius and bounce; carriers
// need mass, position and velocity.
//
// Over the relative step S the centre of a moves along the line D + s U
// relative to b (D = a - b, U = S/|S|); the spheres touch where that line
// comes within R = ra + rb of b. a's carrier is then moved by m U timeScale
// with m = t - sqrt(R^2 - F) (not positive: back against the motion), and the
// velocities are resolved along the line of centres N.
#include <cmath>

#include "sim/vector3.h"

// True when the riding sphere a and the sphere b lie so far apart that the
// gap cannot close within the step, found without a square root: beyond both
// 2R and 2|S| the distance exceeds R + |S| by a part in 10^9 of itself, far
// more than any rounding, so collideSpherePair would pass the pair over at
// its first test too. The all-pairs passes ask this first; most pairs end
// here.
template <typename Body>
bool sphereGapStaysOpen(const Body& a, const Body& b, float timeScale, double carriedFactor) {
  const Vector3& velocity = a.carrier->velocity;
  const Vector3 D = a.position - b.position;
  const Vector3 S = b.carrier != nullptr ? (velocity - b.carrier->velocity) * timeScale * carriedFactor
                                         : velocity * timeScale;
  const float R = a.radius + b.radius;
  const double D2 = dot(D, D);
  constexpr double reach = 4.0 * (1.0 + 1e-9);
  return D2 > reach * R * R && D2 > reach * dot(S, S);
}

// carriedFactor scales the relative step of two riding spheres (2 in the open
// collision pass); against a fixed sphere the step is a's velocity times
// timeScale alone.
template <typename Body>
void collideSpherePair(Body& a, Body& b, float timeScale, double carriedFactor) {
  auto* const pa = a.carrier;
  auto* const pb = b.carrier;
  if (pa == nullptr || pb == pa) return;

  const Vector3 D = a.position - b.position;
  const Vector3 S = pb != nullptr ? (pa->velocity - pb->velocity) * timeScale * carriedFactor
                                  : pa->velocity * timeScale;
  const float R = a.radius + b.radius;
  const double distance = D.length();
  // The gap closes within the step...
  if (!(distance - R <= S.length())) return;
  // ...the two approach each other...
  if (!(dot(S, D) <= 0.0)) return;
  // ...and the line of relative motion passes within R.
  Vector3 U = S;
  U.normalize();
  const double t = dot(U, D);
  const double F = distance * distance - t * t;
  const float RR = R * R;
  if (!(F <= RR)) return;
  const double m = t - std::sqrt(RR - F);
  if (!(timeScale * m < distance)) return;

  pa->position += U * m * timeScale;
  a.position = pa->position;

  Vector3 N = D;
  N.normalize();
  const Vector3 va = pa->velocity;
  if (pb == nullptr) {
    // Mirror a's velocity in the tangent plane of the fixed sphere.
    pa->velocity = (va - N * (2.0 * dot(N, va))) * b.bounce;
    return;
  }
  // One-dimensional elastic collision of the two masses along N; the parts
  // across N are kept.
  const Vector3 vb = pb->velocity;
  const Vector3 na = N * dot(N, va);
  const Vector3 nb = N * dot(N, vb);
  const float ma = pa->mass;
  const float mb = pb->mass;
  const float sum = ma + mb;
  pa->velocity = ((va - na) + na * ((ma - mb) / sum) + nb * (2.0f * mb / sum)) * b.bounce;
  pb->velocity = ((vb - nb) + na * (2.0f * ma / sum) + nb * ((mb - ma) / sum)) * a.bounce;
}
